#include "hotkeys/key_names.h"

#include <array>
#include <string>

#include "platform/codepage.h"

namespace textorin {
namespace {

struct Named {
    int code;
    const char* name;
};

constexpr Named kNamed[] = {
    {3, "Break"},          {8, "退格键"},    {13, "回车键"},      {16, "Shift键"},
    {17, "Ctrl键"},        {18, "Alt键"},    {19, "Pause键"},     {20, "Caps Lock键"},
    {27, "Esc键"},         {32, "空格键"},   {33, "PageUp键"},    {34, "PageDown键"},
    {35, "End键"},         {36, "Home键"},   {37, "左光标键"},    {38, "上光标键"},
    {39, "右光标键"},      {40, "下光标键"}, {45, "Ins键"},       {46, "Del键"},
    {91, "Win键"},         {106, "乘号键"},  {107, "加号键"},     {144, "NumLock键"},
    {145, "ScrollLock键"}, {186, "分号键"},  {187, "等号键"},     {188, "逗号键"},
    {189, "减号键"},       {190, "圆点键"},  {191, "除号键"},     {192, "反撇号键"},
    {219, "左中括号键"},   {220, "斜杠键"},  {221, "右中括号键"}, {222, "单引号键"},
};

// Built once: every name of the 256 codes, in GBK.
const std::array<Text, 256>& names() {
    static const std::array<Text, 256> table = [] {
        std::array<Text, 256> t;
        for (int c = '0'; c <= '9'; ++c)
            t[c] = std::string(1, static_cast<char>(c)) + gbk("键");
        for (int c = 'A'; c <= 'Z'; ++c)
            t[c] = std::string(1, static_cast<char>(c)) + gbk("键");
        for (int c = 0x70; c <= 0x7F; ++c)
            t[c] = "F" + std::to_string(c - 111) + gbk("键");
        for (const auto& [code, name] : kNamed)
            t[code] = gbk(name);
        return t;
    }();
    return table;
}

}  // namespace

Text key_name(int code) {
    return code >= 0 && code < 256 ? names()[code] : Text();
}

std::uint32_t modifier_flags(int index) {
    constexpr std::uint32_t kFlags[] = {0, kModAlt, kModControl, kModShift, kModWin};
    return index >= 0 && index < 5 ? kFlags[index] : 0;
}

}  // namespace textorin
