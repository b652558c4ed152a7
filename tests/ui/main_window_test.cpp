#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <thread>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "support/app_under_test.h"
#include "support/temp_dir.h"

#include "ui/app.h"

namespace textorin {
namespace {

using testing::TempDir;

// Services point at a closed loopback port: nothing leaves the machine.
const std::string kServices =
    "[服务]\r\nOCR地址=http://127.0.0.1:1\r\n翻译地址=http://127.0.0.1:1\r\n";

std::string file_text(const std::filesystem::path& path) {
    const auto bytes = read_file(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : "";
}

void put_settings(const TempDir& dir, const std::string& utf8) {
    testing::write_gbk_file(dir / "windows data.ini", utf8);
}

using testing::wait_until;

class MainWindowTest : public ::testing::Test {
  protected:
    void start(const std::string& settings = "") {
        put_settings(dir, kServices + settings);
        app = std::make_unique<App>(dir.path());
        app->start();
        app->window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&app->window()));
    }
    MainWindow& w() { return app->window(); }
    std::string settings_file() { return file_text(dir / "windows data.ini"); }

    TempDir dir;
    std::unique_ptr<App> app;
};

TEST_F(MainWindowTest, ControlsSitAtTheirDesignPlaces) {
    start();
    EXPECT_EQ(w().size(), QSize(896, 672));
    EXPECT_TRUE(w().windowTitle().startsWith("TextorinV2.4-"));
    struct Case {
        const char* name;
        QRect rect;
        bool on_page;  // relative to the tab control, else to the window's client area
    };
    const Case cases[] = {
        {"标签1", {0, 2, 784, 30}, false},
        {"超文本浏览框1", {-1, 32, 897, 300}, false},
        {"图片框1", {1, 34, 895, 294}, false},
        {"按钮设置", {788, 0, 104, 32}, false},
        {"选择夹1", {0, 328, 896, 344}, false},
        {"标签状态", {569, 328, 320, 16}, false},
        {"编辑框_源", {0, 23, 759, 153}, true},
        {"编辑框_翻译", {0, 183, 759, 153}, true},
        {"按钮截图", {763, 23, 125, 57}, true},
        {"分组框1", {763, 81, 125, 80}, true},
        {"按钮_复制", {763, 160, 125, 23}, true},
        {"按钮_清除", {763, 184, 125, 23}, true},
        {"按钮_翻译", {763, 208, 125, 23}, true},
        {"按钮_全角符号", {763, 232, 61, 23}, true},
        {"按钮_半角符号", {824, 232, 64, 23}, true},
        {"选择框文本合并", {763, 268, 109, 16}, true},
        {"选择框同步剪切板", {763, 288, 80, 17}, true},
        {"组合框识别", {763, 312, 96, 20}, true},
        {"超级列表框1", {0, 24, 752, 312}, true},
        {"按钮正面截图", {768, 23, 112, 49}, true},
        {"按钮副面截图", {768, 80, 112, 48}, true},
        {"按钮_导出", {768, 135, 112, 32}, true},
        {"编辑框1", {592, 208, 144, 14}, true},
    };
    for (const auto& c : cases) {
        auto* control = w().findChild<QWidget*>(QString::fromUtf8(c.name));
        ASSERT_NE(control, nullptr) << c.name;
        QWidget* origin = c.on_page ? static_cast<QWidget*>(w().tabs) : &w();
        EXPECT_EQ(QRect(control->mapTo(origin, QPoint(0, 0)), control->size()), c.rect) << c.name;
    }
    const struct {
        const char* name;
        QRect rect;
    } in_group[] = {{"编辑框坐标", {8, 16, 109, 20}},
                    {"选择框坐标同步", {8, 37, 109, 16}},
                    {"按钮坐标截图", {6, 53, 112, 24}}};
    for (const auto& c : in_group)
        EXPECT_EQ(w().findChild<QWidget*>(QString::fromUtf8(c.name))->geometry(), c.rect) << c.name;
    EXPECT_LE(w().tabs->tabBar()->geometry().bottom(), 22);  // the bar fits above the pages
    EXPECT_TRUE(w().picture->isHidden());
    EXPECT_TRUE(w().cell_editor->isHidden());
    EXPECT_EQ(w().status->text(), "状态：");
}

TEST_F(MainWindowTest, WithoutSavedChoicesTheDefaultsHold) {
    start();
    EXPECT_TRUE(w().merge_text->isChecked());
    EXPECT_TRUE(w().sync_clipboard->isChecked());
    EXPECT_TRUE(w().sync_coordinates->isChecked());
    EXPECT_EQ(w().coordinates->text(), "");
    EXPECT_EQ(w().recognition->currentIndex(), 0);
    EXPECT_EQ(w().recognition->currentText(), "高精度识别");
    EXPECT_EQ(w().tabs->currentIndex(), 0);
    EXPECT_EQ(settings_file(), gbk(kServices));  // starting writes nothing
}

TEST_F(MainWindowTest, SavedChoicesAreRestored) {
    start(
        "[选择框文本合并]\r\n选中=假\r\n[选择框同步剪切板]\r\n选中=假\r\n[编辑框坐标]\r\n内容=1|2|"
        "3|4\r\n"
        "[组合框识别]\r\n现行选中项=2\r\n[选择夹1]\r\n现行子夹=1\r\n");
    EXPECT_FALSE(w().merge_text->isChecked());
    EXPECT_FALSE(w().sync_clipboard->isChecked());
    EXPECT_TRUE(w().sync_coordinates->isChecked());
    EXPECT_EQ(w().coordinates->text(), "1|2|3|4");
    EXPECT_EQ(w().recognition->currentIndex(), 2);
    EXPECT_EQ(w().tabs->currentIndex(), 1);
    EXPECT_EQ(settings_file(),
              gbk(kServices + "[选择框文本合并]\r\n选中=假\r\n[选择框同步剪切板]\r\n"
                              "选中=假\r\n[编辑框坐标]\r\n内容=1|2|3|4\r\n[组合框识别]"
                              "\r\n现行选中项=2\r\n[选择夹1]\r\n现行子夹=1\r\n"));

    put_settings(dir, kServices + "[组合框识别]\r\n现行选中项=7\r\n");
    App other(dir.path());
    other.start();
    EXPECT_EQ(other.window().recognition->currentIndex(), -1);  // no such item: none is current
}

TEST_F(MainWindowTest, EachUserActionWritesExactlyItsKey) {
    start();
    struct Case {
        const char* name;
        std::function<void()> act;
        const char* section;
        const char* key;
        const char* value;
    };
    const Case cases[] = {
        {"merge box", [&] { QTest::mouseClick(w().merge_text, Qt::LeftButton); }, "选择框文本合并",
         "选中", "假"},
        {"clipboard box", [&] { QTest::mouseClick(w().sync_clipboard, Qt::LeftButton); },
         "选择框同步剪切板", "选中", "假"},
        {"coordinate box", [&] { QTest::mouseClick(w().sync_coordinates, Qt::LeftButton); },
         "选择框坐标同步", "选中", "假"},
        {"merge box again", [&] { QTest::mouseClick(w().merge_text, Qt::LeftButton); },
         "选择框文本合并", "选中", "真"},
        {"combo box",
         [&] {
             w().recognition->setFocus();
             QTest::keyClick(w().recognition, Qt::Key_Down);
         },
         "组合框识别", "现行选中项", "1"},
        {"tab",
         [&] {
             QTabBar* bar = w().tabs->tabBar();
             QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
         },
         "选择夹1", "现行子夹", "1"},
        {"coordinates typed",
         [&] {
             w().tabs->setCurrentIndex(0);
             QTest::keyClicks(w().coordinates, "7|8");
         },
         "编辑框坐标", "内容", "7|8"},
    };
    for (const auto& c : cases) {
        const std::string before = settings_file();
        c.act();
        EXPECT_EQ(settings_file(),
                  profile_with_value(before, gbk(c.section), gbk(c.key), gbk(c.value)))
            << c.name;
    }
    // A page change made by the program (a capture makes page 0 current) writes nothing.
    w().tabs->setCurrentIndex(1);
    const std::string before = settings_file();
    app->port().set_page(0);
    EXPECT_EQ(settings_file(), before);
}

TEST_F(MainWindowTest, SymbolButtonsCopyAndClear) {
    start();
    QClipboard* clipboard = QGuiApplication::clipboard();
    w().source->setPlainText("ＡＢ　１\n中文");
    w().translation->setPlainText("ｘ！😀");
    QTest::mouseClick(w().half_width, Qt::LeftButton);
    EXPECT_EQ(w().source->toPlainText(), "AB 1\n中文");
    EXPECT_EQ(w().translation->toPlainText(), "x!😀");  // a character outside the code page stays
    EXPECT_EQ(clipboard->text(), "AB 1\n中文");

    w().source->setPlainText("abc");
    w().translation->setPlainText("ＸＹ");
    clipboard->setText("other");
    QTest::mouseClick(w().half_width, Qt::LeftButton);
    EXPECT_EQ(clipboard->text(), "abc");  // the source text, though only the translation changed

    QTest::mouseClick(w().full_width, Qt::LeftButton);
    EXPECT_EQ(w().source->toPlainText(), "ａｂｃ");
    EXPECT_EQ(clipboard->text(), "ａｂｃ");

    clipboard->setText("other");
    QTest::mouseClick(w().copy, Qt::LeftButton);
    EXPECT_EQ(clipboard->text(), "ａｂｃ");
    QTest::mouseClick(w().clear, Qt::LeftButton);
    EXPECT_EQ(w().source->toPlainText(), "");
    EXPECT_EQ(w().translation->toPlainText(), "ＸＹ");
    EXPECT_EQ(clipboard->text(), "ａｂｃ");
}

TEST_F(MainWindowTest, WorkerThreadsReadAndWriteThroughThePort) {
    start();
    ViewPort& port = app->port();
    Text seen;
    std::atomic<bool> done = false;
    std::thread worker([&] {
        port.set_source_text(gbk("甲\r\n乙"));
        port.set_status(gbk("状态：识别完毕"));
        port.set_status(gbk("dropped"), [] { return false; });
        seen = port.source_text();  // waits for the user-interface thread's answer
        done = true;
    });
    ASSERT_TRUE(wait_until([&] { return done.load(); }));
    worker.join();
    EXPECT_EQ(w().source->toPlainText(), "甲\n乙");
    EXPECT_EQ(seen, gbk("甲\r\n乙"));
    EXPECT_EQ(w().status->text(), "状态：识别完毕");

    // A selection over a line break comes back with CR LF.
    QTextCursor cursor = w().source->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    w().source->setTextCursor(cursor);
    EXPECT_EQ(port.source_selection(), gbk("甲\r\n乙"));
}

}  // namespace
}  // namespace textorin
