// Every key of the settings file, declared once: section, key, kind and the value a missing
// key reads as. Names are UTF-8 here and GBK in the file.
#pragma once

#include <array>
#include <string_view>

namespace textorin {

enum class SettingKind {
    Check,    // "真" or "假"; only "假" reads as unchecked
    Integer,  // decimal; read by the text-to-integer rule
    Plain,    // a text, as it stands
};

struct SettingKey {
    std::string_view section;
    std::string_view key;
    SettingKind kind;
    std::string_view fallback;  // for Text keys; a missing Check key is checked, an Integer 0
};

namespace keys {

inline constexpr SettingKey kMergeText{"选择框文本合并", "选中", SettingKind::Check, {}};
inline constexpr SettingKey kSyncClipboard{"选择框同步剪切板", "选中", SettingKind::Check, {}};
inline constexpr SettingKey kSyncCoordinates{"选择框坐标同步", "选中", SettingKind::Check, {}};
inline constexpr SettingKey kCoordinates{"编辑框坐标", "内容", SettingKind::Plain, {}};
inline constexpr SettingKey kRecognition{"组合框识别", "现行选中项", SettingKind::Integer, {}};
inline constexpr SettingKey kPage{"选择夹1", "现行子夹", SettingKind::Integer, {}};
inline constexpr std::array<SettingKey, 4> kHotkeyModifier = {{
    {"组合框1", "现行选中项", SettingKind::Integer, {}},
    {"组合框2", "现行选中项", SettingKind::Integer, {}},
    {"组合框3", "现行选中项", SettingKind::Integer, {}},
    {"组合框4", "现行选中项", SettingKind::Integer, {}},
}};
inline constexpr std::array<SettingKey, 4> kHotkeyKey = {{
    {"快捷键1", "键码", SettingKind::Integer, {}},
    {"快捷键2", "键码", SettingKind::Integer, {}},
    {"快捷键3", "键码", SettingKind::Integer, {}},
    {"快捷键4", "键码", SettingKind::Integer, {}},
}};

// The optional service section a user edits by hand; read at start, never written.
inline constexpr SettingKey kOcrAddress{"服务", "OCR地址", SettingKind::Plain,
                                        "https://aip.baidubce.com"};
inline constexpr SettingKey kApiKey{"服务", "APIKey", SettingKind::Plain,
                                    "Wq3bNe7LcTm2Hx5RfJ8uPa4K"};
inline constexpr SettingKey kSecretKey{"服务", "SecretKey", SettingKind::Plain,
                                       "Gb6Yw1Qe9Rk4Dn8Vs2Zc7Lh3Mx5Pt0Af"};
inline constexpr SettingKey kTranslateAddress{"服务", "翻译地址", SettingKind::Plain,
                                              "http://fanyi.youdao.com"};
inline constexpr std::array<SettingKey, 3> kNoticeAddress = {{
    {"服务", "公告地址1", SettingKind::Plain, {}},
    {"服务", "公告地址2", SettingKind::Plain, {}},
    {"服务", "公告地址3", SettingKind::Plain, {}},
}};

}  // namespace keys
}  // namespace textorin
