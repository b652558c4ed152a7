#include "app/licence_table.h"

#include <gtest/gtest.h>

#include "app/csv.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "support/temp_dir.h"

namespace textorin {
namespace {

using testing::TempDir;
using Texts = std::vector<Text>;

void put(const std::filesystem::path& path, const std::string& utf8) {
    ASSERT_TRUE(testing::write_gbk_file(path, utf8));
}

TEST(LicenceTable, TitlesStopAtTheFirstMissingOrEmptyKey) {
    TempDir dir;
    const std::pair<std::string, Texts> cases[] = {
        {"[标题]\r\n1=号牌号码\r\n2=车辆类型\r\n4=所有人\r\n", {gbk("号牌号码"), gbk("车辆类型")}},
        {"[标题]\r\n1=a\r\n2=b\r\n3=\r\n4=d\r\n", {"a", "b"}},
        {"[其他]\r\n1=a\r\n", {}},
    };
    for (const auto& [file, titles] : cases) {
        put(licence_title_file(dir.path()), file);
        EXPECT_EQ(load_licence_table(licence_title_file(dir.path()), dir / "none.ini").titles,
                  titles)
            << file;
    }
    EXPECT_TRUE(load_licence_table(dir / "none.ini", dir / "none.ini").titles.empty());
}

TEST(LicenceTable, ExportSectionsBecomeColumnsInFileOrder) {
    TempDir dir;
    put(licence_title_file(dir.path()), "[标题]\r\n1=甲\r\n2=乙\r\n3=丙\r\n");
    put(licence_export_file(dir.path()), "[A]\r\n1=a1\r\n3=a3\r\n9=ignored\r\n[B]\r\n2=b2\r\n");
    const auto table =
        load_licence_table(licence_title_file(dir.path()), licence_export_file(dir.path()));
    ASSERT_EQ(table.columns.size(), 2u);
    EXPECT_EQ(table.columns[0].name, "A");
    EXPECT_EQ(table.columns[0].cells, (Texts{"a1", "", "a3"}));
    EXPECT_EQ(table.columns[1].name, "B");
    EXPECT_EQ(table.columns[1].cells, (Texts{"", "b2", ""}));
}

TEST(Csv, QuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(to_csv({{"行号", "标题"}, {"1", "a,b"}, {"2", "say \"hi\""}, {"3", "two\nlines"}}),
              "\xEF\xBB\xBF行号,标题\r\n1,\"a,b\"\r\n2,\"say \"\"hi\"\"\"\r\n3,\"two\nlines\"\r\n");
}

}  // namespace
}  // namespace textorin
