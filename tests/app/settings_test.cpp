#include <gtest/gtest.h>

#include "app/service_config.h"
#include "app/settings_file.h"
#include "app/settings_load.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "support/recording_view.h"
#include "support/temp_dir.h"

namespace textorin {
namespace {

using testing::RecordingView;
using testing::TempDir;
using testing::test_data;

std::string file_text(const std::filesystem::path& path) {
    const auto bytes = read_file(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : "<missing>";
}

void put_file(const std::filesystem::path& path, const std::string& utf8_lines) {
    ASSERT_TRUE(testing::write_gbk_file(path, utf8_lines));
}

TEST(SettingsFile, TheListedWritesGiveTheExampleFile) {
    TempDir dir;
    const SettingsFile settings(dir / "windows data.ini");
    settings.write_check(keys::kMergeText, false);
    settings.write_check(keys::kSyncClipboard, true);
    settings.write_check(keys::kSyncCoordinates, true);
    settings.write_text(keys::kCoordinates, "100|100|1000|200");
    settings.write_integer(keys::kRecognition, 1);
    settings.write_integer(keys::kPage, 0);
    const int modifiers[] = {2, 0, 0, 0}, codes[] = {65, 0, 0, 0};
    for (int slot = 0; slot < 4; ++slot)
        settings.write_integer(keys::kHotkeyModifier[slot], modifiers[slot]);
    for (int slot = 0; slot < 4; ++slot)
        settings.write_integer(keys::kHotkeyKey[slot], codes[slot]);
    EXPECT_EQ(file_text(settings.path()), file_text(test_data("profile/settings_example.ini")));

    settings.write_integer(keys::kRecognition, -1);
    EXPECT_EQ(read_profile(settings.path(), gbk("组合框识别"), gbk("现行选中项")), "-1");
}

TEST(SettingsLoad, WithoutAFileEverythingTakesItsDefault) {
    TempDir dir;
    const SettingsFile settings(dir / "windows data.ini");
    SharedState state;
    state.hotkey_keys = {1, 2, 3, 4};
    RecordingView view;
    view.checks = {{CheckBox::MergeText, false},
                   {CheckBox::SyncClipboard, false},
                   {CheckBox::SyncCoordinates, false}};
    view.coordinates = "100|100|1000|200";
    view.recognition = 2;
    int registered = 0;
    load_settings(settings, state, view, [&] { ++registered; });

    EXPECT_TRUE(view.checks[CheckBox::MergeText]);
    EXPECT_TRUE(view.checks[CheckBox::SyncClipboard]);
    EXPECT_TRUE(view.checks[CheckBox::SyncCoordinates]);
    EXPECT_EQ(view.coordinates, "");
    EXPECT_EQ(view.recognition, 0);
    EXPECT_EQ(view.page_index, 0);
    EXPECT_EQ(state.hotkey_modifiers, (std::array<int, 4>{}));
    EXPECT_EQ(state.hotkey_keys, (std::array<int, 4>{}));
    EXPECT_EQ(registered, 1);
    EXPECT_FALSE(std::filesystem::exists(settings.path()));  // the load writes nothing
}

TEST(SettingsLoad, ValuesFollowTheConventions) {
    TempDir dir;
    const SettingsFile settings(dir / "windows data.ini");
    put_file(settings.path(),
             "[选择框文本合并]\r\n选中=假\r\n[选择框同步剪切板]\r\n选中=否\r\n"
             "[选择框坐标同步]\r\n选中=0\r\n[编辑框坐标]\r\n内容=1|2|3|4\r\n"
             "[组合框识别]\r\n现行选中项=２\r\n[选择夹1]\r\n现行子夹=1a\r\n"
             "[组合框1]\r\n现行选中项=abc\r\n[组合框3]\r\n现行选中项=-1\r\n[快捷键2]\r\n键码="
             "１１２\r\n");
    SharedState state;
    RecordingView view;
    load_settings(settings, state, view, {});
    EXPECT_FALSE(view.checks[CheckBox::MergeText]);
    EXPECT_TRUE(view.checks[CheckBox::SyncClipboard]);
    EXPECT_TRUE(view.checks[CheckBox::SyncCoordinates]);
    EXPECT_EQ(view.coordinates, "1|2|3|4");
    EXPECT_EQ(view.recognition, 2);
    EXPECT_EQ(view.page_index, 1);
    EXPECT_EQ(state.hotkey_modifiers, (std::array<int, 4>{0, 0, -1, 0}));
    EXPECT_EQ(state.hotkey_keys, (std::array<int, 4>{0, 112, 0, 0}));
    // The order of the load: check boxes, coordinates, recognition item, page.
    EXPECT_EQ(view.writes(),
              (std::vector<std::string>{"check0=0", "check1=1", "check2=1", "coordinates=1|2|3|4",
                                        "recognition=2", "page=1"}));
}

TEST(SettingsFile, AFailedWriteIsIgnoredAndTheFileKept) {
    TempDir dir;
    put_file(dir / "blocker", "not a folder");
    const SettingsFile unwritable(dir / "blocker" / "windows data.ini");
    unwritable.write_check(keys::kMergeText, false);  // no crash, no exception
    EXPECT_TRUE(unwritable.read_check(keys::kMergeText));
    EXPECT_EQ(file_text(dir / "blocker"), gbk("not a folder"));

    const SettingsFile nested(dir / "new" / "folder" / "windows data.ini");
    nested.write_integer(keys::kPage, 1);  // the folder is made on the first write
    EXPECT_EQ(nested.read_integer(keys::kPage), 1);
}

TEST(ServiceConfig, BuiltInValuesUnlessTheServiceSectionSaysOtherwise) {
    TempDir dir;
    const SettingsFile settings(dir / "windows data.ini");
    const auto defaults = ServiceConfig::load(settings);
    EXPECT_EQ(defaults.ocr_address, "https://aip.baidubce.com");
    EXPECT_EQ(defaults.api_key, "Wq3bNe7LcTm2Hx5RfJ8uPa4K");
    EXPECT_EQ(defaults.secret_key, "Gb6Yw1Qe9Rk4Dn8Vs2Zc7Lh3Mx5Pt0Af");
    EXPECT_EQ(defaults.translate_address, "http://fanyi.youdao.com");
    EXPECT_EQ(defaults.notice_addresses, (std::array<Text, 3>{}));

    put_file(settings.path(),
             "[服务]\r\nOCR地址=http://127.0.0.1:8080\r\nAPIKey=mine\r\n公告地址2=http://"
             "127.0.0.1:9/n\r\n");
    const auto custom = ServiceConfig::load(settings);
    EXPECT_EQ(custom.ocr_address, "http://127.0.0.1:8080");
    EXPECT_EQ(custom.api_key, "mine");
    EXPECT_EQ(custom.secret_key, "Gb6Yw1Qe9Rk4Dn8Vs2Zc7Lh3Mx5Pt0Af");
    EXPECT_EQ(custom.notice_addresses[1], "http://127.0.0.1:9/n");
}

}  // namespace
}  // namespace textorin
