#include <gtest/gtest.h>

#include <set>

#include "hotkeys/hotkey_table.h"
#include "hotkeys/key_names.h"
#include "platform/codepage.h"
#include "support/recording_view.h"

namespace textorin {
namespace {

using testing::RecordingView;

TEST(KeyNames, TheTableHas88Rows) {
    const std::pair<int, const char*> named[] = {
        {3, "Break"},          {8, "退格键"},    {13, "回车键"},      {16, "Shift键"},
        {17, "Ctrl键"},        {18, "Alt键"},    {19, "Pause键"},     {20, "Caps Lock键"},
        {27, "Esc键"},         {32, "空格键"},   {33, "PageUp键"},    {34, "PageDown键"},
        {35, "End键"},         {36, "Home键"},   {37, "左光标键"},    {38, "上光标键"},
        {39, "右光标键"},      {40, "下光标键"}, {45, "Ins键"},       {46, "Del键"},
        {91, "Win键"},         {106, "乘号键"},  {107, "加号键"},     {144, "NumLock键"},
        {145, "ScrollLock键"}, {186, "分号键"},  {187, "等号键"},     {188, "逗号键"},
        {189, "减号键"},       {190, "圆点键"},  {191, "除号键"},     {192, "反撇号键"},
        {219, "左中括号键"},   {220, "斜杠键"},  {221, "右中括号键"}, {222, "单引号键"},
        {48, "0键"},           {57, "9键"},      {65, "A键"},         {90, "Z键"},
        {112, "F1键"},         {127, "F16键"},
    };
    for (const auto& [code, name] : named)
        EXPECT_EQ(key_name(code), gbk(name)) << code;
    for (int code : {0, 9, 92, 96, 101, 105, 108, 109, 110, 111, 47, 58, 64, -1, 255, 1000})
        EXPECT_EQ(key_name(code), "") << code;
    int rows = 0;
    for (int code = 0; code < 256; ++code)
        rows += !key_name(code).empty();
    EXPECT_EQ(rows, 88);
}

TEST(KeyNames, ModifierFlags) {
    const std::pair<int, std::uint32_t> cases[] = {{0, 0}, {1, 1},  {2, 2}, {3, 4},
                                                   {4, 8}, {-1, 0}, {5, 0}};
    for (const auto& [index, flags] : cases)
        EXPECT_EQ(modifier_flags(index), flags) << index;
}

// Grabs as an X server would: refuses what `held_elsewhere` says another program holds.
struct FakeBackend : HotkeyBackend {
    std::set<std::pair<std::uint32_t, int>> held_elsewhere;
    std::map<int, std::pair<std::uint32_t, int>> grabs;
    std::vector<std::string> calls;

    bool grab(int id, std::uint32_t modifiers, int key) override {
        calls.push_back("grab " + std::to_string(id));
        if (held_elsewhere.count({modifiers, key})) return false;
        grabs[id] = {modifiers, key};
        return true;
    }
    void release(int id) override {
        calls.push_back("release " + std::to_string(id));
        grabs.erase(id);
    }
};

TEST(HotkeyTable, RegistrationBookkeeping) {
    FakeBackend backend;
    HotkeyTable table(backend);
    int first = 0, second = 0;
    EXPECT_TRUE(table.register_hotkey(
        kModControl, 'A', [&] { ++first; }, 1));
    EXPECT_TRUE(table.register_hotkey(
        kModControl, 'A', [&] { ++second; }, 1));  // same id again
    EXPECT_EQ(table.entries(), 2u);
    EXPECT_TRUE(table.dispatch(1));
    EXPECT_EQ(first, 1);  // the first entry with the id wins
    EXPECT_EQ(second, 0);
    EXPECT_FALSE(table.dispatch(7));

    // Another id cannot take a combination this program holds; releasing never frees another's.
    EXPECT_FALSE(table.register_hotkey(
        kModControl, 'A', [] {}, 2));
    EXPECT_EQ(backend.grabs.count(1), 1u);
    // A failed re-registration leaves the id without a hotkey.
    backend.held_elsewhere.insert({kModAlt, 'B'});
    EXPECT_FALSE(table.register_hotkey(
        kModAlt, 'B', [] {}, 1));
    EXPECT_EQ(backend.grabs.count(1), 0u);
    EXPECT_TRUE(table.register_hotkey(
        kModControl, 'A', [] {}, 2));  // now free
    // Key 0 grabs nothing, succeeds, and never conflicts.
    EXPECT_TRUE(table.register_hotkey(
        0, 0, [] {}, 3));
    EXPECT_TRUE(table.register_hotkey(
        0, 0, [] {}, 4));
    EXPECT_EQ(backend.grabs.count(3) + backend.grabs.count(4), 0u);
    EXPECT_FALSE(table.register_hotkey(
        0, 'C', [] {}, 0));
}

TEST(HotkeyTable, SlotsShowTheirCaptionsAndTheHighestFailure) {
    FakeBackend backend;
    HotkeyTable table(backend);
    SharedState state;
    RecordingView view;
    state.hotkey_modifiers = {2, 2, 3, 9};
    state.hotkey_keys = {0x71, 0x71, 101, 'Q'};  // slot 2 repeats slot 1's Ctrl+F2
    backend.held_elsewhere.insert({0, 'Q'});     // slot 4 (index 9: no modifier) is taken
    register_slots(table, state, view, {});
    EXPECT_EQ(view.buttons[CaptureButton::Region], gbk("截图识别（主键+F2键）"));
    EXPECT_EQ(view.buttons.count(CaptureButton::Coordinates), 0u);
    EXPECT_EQ(view.buttons[CaptureButton::LicenceFront],
              gbk("正面截图识别（主键+）"));  // 101 has no name
    EXPECT_EQ(view.status, gbk("副面截图识别快捷键注册失败"));
    EXPECT_EQ(view.writes(),
              (std::vector<std::string>{
                  gbk("button0=截图识别（主键+F2键）"), gbk("status=取坐标图识别快捷键注册失败"),
                  gbk("button2=正面截图识别（主键+）"), gbk("status=副面截图识别快捷键注册失败")}));
    EXPECT_EQ(backend.grabs[3], (std::pair<std::uint32_t, int>{kModShift, 101}));

    // Saving the same hotkeys again: all four released and registered again, same captions.
    RecordingView again;
    register_slots(table, state, again, {});
    EXPECT_EQ(again.buttons, view.buttons);
    EXPECT_EQ(backend.grabs.size(), 2u);
}

}  // namespace
}  // namespace textorin
