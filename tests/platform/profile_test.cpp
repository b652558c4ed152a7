#include "platform/profile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include "platform/codepage.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace textorin {
namespace {

using testing::TempDir;
using testing::test_data;

std::string file_text(const std::filesystem::path& path) {
    const auto bytes = read_file(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : "<missing>";
}

TEST(ProfileRead, WindowsRules) {
    const auto file = test_data("profile/windows.ini");
    struct Case {
        const char* section;
        const char* key;
        std::string value;
    };
    const Case cases[] = {
        {"General", "Name", "Value With Spaces"},
        {" general ", "NAME ", "Value With Spaces"},  // any letter case, blanks ignored
        {"General", "quoted", "  padded  "},
        {"General", "single", "x"},
        {"General", "mismatched", "\"y'"},
        {"General", "trail", "a;b"},               // ";" after a value belongs to it
        {"General", "#hash", "1"},                 // "#" starts no comment
        {"General", "noequals line", "fallback"},  // a line without "=" is no key
        {"General", "dup", "first"},               // the first matching key wins
        {"中文节", "键", "中文值"},                // blanks inside the brackets ignored
        {"Empty", "k", "fallback"},
        {"Missing", "k", "fallback"},
        {"; 注释：由 Windows 写入", "k", "fallback"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(read_profile(file, gbk(c.section), gbk(c.key), "fallback  "), gbk(c.value))
            << c.section << "/" << c.key;
    EXPECT_EQ(read_profile("/nonexistent/x.ini", "a", "b", " d  "), " d");
}

TEST(ProfileRead, FoldsOnlyAsciiLettersAndCutsLongValues) {
    TempDir dir;
    // 丄 is 81 41: its trail byte looks like "A" but must not be folded to match 81 61.
    const Text content = "[\x81\x41]\r\nk=1\r\n[long]\r\nx=" + std::string(12000, 'x') +
                         "\r\ny=" + std::string(10238, 'y') + gbk("中") + "\r\n";
    ASSERT_TRUE(write_file(
        dir / "f.ini", {reinterpret_cast<const std::uint8_t*>(content.data()), content.size()}));
    EXPECT_EQ(read_profile(dir / "f.ini", "\x81\x41", "K"), "1");
    EXPECT_EQ(read_profile(dir / "f.ini", "\x81\x61", "k", "none"), "none");
    EXPECT_EQ(read_profile(dir / "f.ini", "long", "x"), std::string(kProfileValueMax, 'x'));
    EXPECT_EQ(read_profile(dir / "f.ini", "long", "y"),
              std::string(10238, 'y'));  // never half a character
}

TEST(ProfileSections, InFileOrderOnce) {
    EXPECT_EQ(profile_section_names(test_data("profile/windows.ini")),
              (std::vector<Text>{"General", gbk("中文节"), "Empty"}));
    EXPECT_TRUE(profile_section_names("/nonexistent/x.ini").empty());
}

TEST(ProfileWrite, EditsInPlaceAndKeepsEverythingElse) {
    TempDir dir;
    const auto file = dir / "w.ini";
    std::filesystem::copy_file(test_data("profile/windows.ini"), file);
    ASSERT_TRUE(write_profile(file, "general", "NAME", "new"));
    ASSERT_TRUE(write_profile(file, "General", "added", "v"));
    ASSERT_TRUE(write_profile(file, "Empty", "k", "1"));
    ASSERT_TRUE(write_profile(file, gbk("新节"), gbk("键"), gbk("值")));
    EXPECT_EQ(file_text(file), file_text(test_data("profile/windows_after_writes.ini")));
}

TEST(ProfileWrite, NewFilesLineEndsAndValues) {
    const std::tuple<std::string, std::string, std::string, std::string> cases[] = {
        {"", "s", "v", "[s]\r\nk=v\r\n"},
        {"[s]\nk=1\nj=2", "s", " padded ", "[s]\r\nk= padded \r\nj=2\r\n"},
        {"[a]\r\n\r\n", "b", "x", "[a]\r\n\r\n[b]\r\nk=x\r\n"},
        {"[s]\r\n; note\r\n", "s", "v", "[s]\r\nk=v\r\n; note\r\n"},
    };
    for (const auto& [before, section, value, after] : cases)
        EXPECT_EQ(profile_with_value(before, section, "k", value), after) << before;

    TempDir dir;
    ASSERT_TRUE(write_profile(dir / "new.ini", "s", "k", "line1\r\nline2"));
    EXPECT_EQ(file_text(dir / "new.ini"), "[s]\r\nk=line1\r\n");  // a line break ends the value
    EXPECT_FALSE(write_profile(dir / "missing" / "x.ini", "s", "k", "v"));
    EXPECT_FALSE(write_profile(dir.path(), "s", "k", "v"));  // the path is a folder
}

// A write that fails half-way (a full disk here) leaves the old file whole and no temporary
// file behind.
TEST(ProfileWrite, FailedWriteKeepsTheOldFile) {
    TempDir dir;
    const auto file = dir / "s.ini";
    ASSERT_TRUE(write_profile(file, "s", "k", "old"));
    const std::string before = file_text(file);

    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const auto old_handler = signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 64;
    setrlimit(RLIMIT_FSIZE, &small);
    const bool written = write_profile(file, "s", "k", std::string(1000, 'n'));
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, old_handler);

    EXPECT_FALSE(written);
    EXPECT_EQ(file_text(file), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);
}

}  // namespace
}  // namespace textorin
