#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include "capture/bmp_file.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "services/recognition.h"
#include "support/fake_ocr_service.h"
#include "support/temp_dir.h"
#include "ui/app.h"

namespace textorin {
namespace {

using testing::FakeOcrService;
using testing::TempDir;

void put(const std::filesystem::path& path, const std::string& utf8) {
    ASSERT_TRUE(testing::write_gbk_file(path, utf8));
}

class LicenceTableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        put(dir / "windows data.ini",
            "[服务]\r\nOCR地址=" + service.base_url() +
                "\r\n翻译地址=http://127.0.0.1:1\r\n[选择夹1]\r\n现行子夹=1\r\n");
        std::string titles = "[标题]\r\n";
        for (int i = 1; i <= 30; ++i)
            titles += std::to_string(i) + "=标题" + std::to_string(i) + "\r\n";
        put(licence_title_file(dir.path()), titles);
        put(licence_export_file(dir.path()), "[A]\r\n1=a1\r\n2=a2\r\n[B]\r\n2=b2\r\n");
        app = std::make_unique<App>(dir.path());
        app->start();
        app->window().show();
        QApplication::setActiveWindow(&app->window());
        ASSERT_TRUE(QTest::qWaitForWindowActive(&app->window()));
    }
    QTreeWidget* list() { return app->window().licence_table; }
    QLineEdit* editor() { return app->window().cell_editor; }
    QPoint cell(int row, int column) {
        return list()->visualRect(list()->model()->index(row, column)).center();
    }
    void double_click(QPoint at) {
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at);
        QTest::qWait(20);
    }
    QString text(int row, int column) { return list()->topLevelItem(row)->text(column); }

    FakeOcrService service;
    TempDir dir;
    std::unique_ptr<App> app;
};

TEST_F(LicenceTableTest, BuiltFromTheTwoFiles) {
    ASSERT_EQ(list()->columnCount(), 5);
    const char* headers[] = {"行号", "标题", "内容（各列表项都可以修改编辑，双击修改表项）", "A",
                             "B"};
    const int widths[] = {40, 150, 300, 100, 100};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(list()->headerItem()->text(c), headers[c]) << c;
        EXPECT_EQ(list()->columnWidth(c), widths[c]) << c;
    }
    ASSERT_EQ(list()->topLevelItemCount(), 30);
    EXPECT_EQ(text(0, 0), "1");
    EXPECT_EQ(text(0, 1), "标题1");
    EXPECT_EQ(text(1, 3), "a2");
    EXPECT_EQ(text(0, 4), "");
    EXPECT_EQ(text(1, 4), "b2");
}

TEST_F(LicenceTableTest, TheEditorOpensOverTheCellAndWritesBack) {
    list()->setCurrentItem(list()->topLevelItem(4));
    double_click(cell(1, 2));
    ASSERT_TRUE(editor()->isVisible());
    EXPECT_TRUE(list()->selectedItems().isEmpty());
    const QRect rect = list()->visualRect(list()->model()->index(1, 2));
    const int row_height = list()->visualItemRect(list()->topLevelItem(1)).top() -
                           list()->visualItemRect(list()->topLevelItem(0)).top();
    EXPECT_EQ(editor()->geometry(),
              QRect(list()->viewport()->mapTo(editor()->parentWidget(), rect.topLeft()),
                    QSize(300, row_height + 1)));
    EXPECT_TRUE(editor()->hasFocus());

    QTest::keyClicks(editor(), "JA1");  // typing replaces the selected (empty) text
    QTest::keyClick(editor(), Qt::Key_Return);
    EXPECT_FALSE(editor()->isVisible());
    EXPECT_EQ(text(1, 2), "JA1");

    // Column 0 is edited like any other; leaving the editor writes it.
    double_click(cell(2, 0));
    EXPECT_EQ(editor()->text(), "3");
    QTest::keyClicks(editor(), "x");
    app->window().coordinates->setFocus();
    EXPECT_EQ(text(2, 0), "x");
    EXPECT_FALSE(editor()->isVisible());

    // Esc has no meaning of its own: the text is written when the focus leaves.
    double_click(cell(3, 1));
    QTest::keyClicks(editor(), "y");
    QTest::keyClick(editor(), Qt::Key_Escape);
    app->window().coordinates->setFocus();
    EXPECT_EQ(text(3, 1), "y");
}

TEST_F(LicenceTableTest, ScrollingHidesTheEditorWithoutWriting) {
    double_click(cell(0, 2));
    QTest::keyClicks(editor(), "lost");
    list()->verticalScrollBar()->setValue(list()->verticalScrollBar()->value() + 3);
    EXPECT_FALSE(editor()->isVisible());
    app->window().coordinates->setFocus();
    EXPECT_EQ(text(0, 2), "");
}

TEST_F(LicenceTableTest, ADoubleClickBelowTheLastRowOpensNothing) {
    for (int i = 29; i >= 3; --i)
        delete list()->takeTopLevelItem(i);
    list()->setCurrentItem(list()->topLevelItem(1));
    double_click(QPoint(20, list()->viewport()->height() - 5));
    EXPECT_FALSE(editor()->isVisible());
    EXPECT_TRUE(list()->selectedItems().isEmpty());
}

TEST_F(LicenceTableTest, ABackSideReplyFillsRowsElevenToThirteen) {
    service.answer_fields({{"发证机关", "北京"}, {"检验记录", "合格"}, {"核定载人数", "5人"}});
    SharedState& state = app->state();
    state.set_access_token(FakeOcrService::kToken);
    Picture p{8, 8, std::vector<std::uint8_t>(8 * 8 * 4, 200)};
    const Bytes bmp = write_bmp(p.view());
    ServiceConfig config{
        service.base_url(), FakeOcrService::kApiKey, FakeOcrService::kSecretKey, {}, {}};
    run_recognition({state.begin_recognition(bmp), bmp, 6}, state, app->port(), config);
    EXPECT_EQ(text(9, 2), "");
    EXPECT_EQ(text(10, 2), "北京");
    EXPECT_EQ(text(11, 2), "合格");
    EXPECT_EQ(text(12, 2), "5人");
    EXPECT_EQ(text(13, 2), "");
}

TEST_F(LicenceTableTest, ExportWritesAUtf8CsvWithAByteOrderMark) {
    list()->topLevelItem(0)->setText(2, "京A,1");
    ASSERT_TRUE(app->export_licence_table(dir / "out.csv"));
    const auto bytes = read_file(dir / "out.csv");
    const std::string csv(bytes->begin(), bytes->end());
    EXPECT_TRUE(
        csv.starts_with("\xEF\xBB\xBF行号,标题,内容（各列表项都可以修改编辑，双击修改表项）,A,B\r\n"
                        "1,标题1,\"京A,1\",a1,\r\n2,标题2,,a2,b2\r\n"));
    EXPECT_FALSE(app->export_licence_table(dir / "missing" / "out.csv"));
}

}  // namespace
}  // namespace textorin
