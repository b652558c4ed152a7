// Global hotkeys of the program's own window on a virtual X display, pressed with xdotool.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <cstdio>

#include "e2e/xvfb_session.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "support/app_under_test.h"
#include "support/temp_dir.h"

#include "ui/app.h"
#include "ui/capture/capture_window.h"
#include "ui/hotkey_dialog.h"

namespace textorin::testing {
namespace {

class HotkeyTest : public ::testing::Test {
  protected:
    void SetUp() override {
        app = start_app(dir, "[服务]\r\nOCR地址=http://127.0.0.1:1\r\n");
        ASSERT_TRUE(app);
    }

    void bind_slot(int slot, int modifier, int key) {
        app->state().hotkey_modifiers[slot - 1] = modifier;
        app->state().hotkey_keys[slot - 1] = key;
        app->register_hotkeys();
    }
    void press(const std::string& keys) { ASSERT_TRUE(g_desktop->xdotool("key " + keys)); }
    bool capture_opened() {
        return wait_until(
            [&] { return app->captures().window() && app->captures().window()->isVisible(); });
    }
    void cancel_capture() {
        press("Escape");
        ASSERT_TRUE(
            wait_until([&] { return !app->captures().busy() && app->window().isVisible(); }));
    }
    MainWindow& w() { return app->window(); }

    TempDir dir;
    std::unique_ptr<App> app;
};

TEST_F(HotkeyTest, ASlotHotkeyStartsItsCaptureWhateverTheLockKeys) {
    bind_slot(1, 2, 'Q');
    EXPECT_EQ(w().capture->text(), "截图识别（主键+Q键）");
    QSignalSpy presses(&app->hotkeys(), &GlobalHotkeys::pressed);
    press("ctrl+q");
    ASSERT_TRUE(capture_opened());
    EXPECT_EQ(app->state().recognition_mode.load(), 0);
    cancel_capture();

    press("Num_Lock");
    press("ctrl+q");
    ASSERT_TRUE(capture_opened()) << "with NumLock on";
    cancel_capture();
    press("Num_Lock");
    EXPECT_EQ(presses.count(), 2);
}

TEST_F(HotkeyTest, SavingTheSameHotkeysAgainStillStartsOneCapturePerPress) {
    bind_slot(2, 1, 'D');
    app->register_hotkeys();
    app->register_hotkeys();
    QSignalSpy presses(&app->hotkeys(), &GlobalHotkeys::pressed);
    w().coordinates->setText("");  // an empty coordinate text leaves a region capture open
    press("alt+d");
    ASSERT_TRUE(capture_opened());
    cancel_capture();
    EXPECT_EQ(presses.count(), 1);
}

TEST_F(HotkeyTest, ACombinationAnotherProgramHoldsFailsWithTheSlotsMessage) {
    FILE* holder =
        popen(("DISPLAY=" + g_desktop->display() + " exec " + TEXTORIN_X11_TOOL + " grab 0x77 0x4")
                  .c_str(),
              "r");
    char line[32] = {};
    ASSERT_TRUE(fgets(line, sizeof line, holder));  // "grabbed": ctrl+w is taken
    bind_slot(2, 2, 'W');
    EXPECT_EQ(w().status->text(), "取坐标图识别快捷键注册失败");
    EXPECT_EQ(w().coordinate_capture->text(),
              "取坐标图识别（主键+）");  // the last success's caption
    std::system("pkill -f 'x11_tool grab 0x77'");
    pclose(holder);
}

TEST_F(HotkeyTest, F4StartsTheRegionCapture) {
    ASSERT_TRUE(wait_until([&] { return w().capture->text() == "截图识别(F4)"; }));
    press("F4");
    ASSERT_TRUE(capture_opened());
    cancel_capture();
}

TEST_F(HotkeyTest, TheDialogTakesAKeyByItsUnshiftedSymbolAndSaves) {
    bool checked = false;
    QTimer::singleShot(300, [&] {
        auto* dialog = qobject_cast<HotkeyDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "");
        EXPECT_EQ(dialog->size(), QSize(380, 250));
        EXPECT_EQ(dialog->modifiers[0]->currentText(), "无主键");
        dialog->activateWindow();
        dialog->keys[0]->setFocus();
        QTest::qWait(100);
        // Shift released last: the key released last decides.
        g_desktop->xdotool("keydown shift keydown 1 keyup 1 keyup shift");
        ASSERT_TRUE(wait_until([&] { return app->state().hotkey_keys[0] == 16; }))
            << app->state().hotkey_keys[0] << " " << dialog->keys[0]->text().toStdString();
        EXPECT_EQ(dialog->keys[0]->text(), "Shift键");
        g_desktop->xdotool("keydown shift keydown 1 keyup shift keyup 1");
        ASSERT_TRUE(wait_until([&] { return app->state().hotkey_keys[0] == '1'; }));
        EXPECT_EQ(dialog->keys[0]->text(), "1键");
        dialog->modifiers[0]->setCurrentIndex(2);
        QTest::mouseClick(dialog->save, Qt::LeftButton);
        EXPECT_EQ(w().capture->text(), "截图识别（主键+1键）");
        checked = true;
        dialog->reject();
    });
    QTest::mouseClick(w().settings, Qt::LeftButton);  // modal until the dialog closes
    ASSERT_TRUE(checked);
    EXPECT_EQ(read_profile(dir / "windows data.ini", gbk("组合框1"), gbk("现行选中项")), "2");
    EXPECT_EQ(read_profile(dir / "windows data.ini", gbk("快捷键1"), gbk("键码")), "49");
    press("ctrl+1");  // the grabs are back now that the dialog is closed
    ASSERT_TRUE(capture_opened());
    cancel_capture();
}

}  // namespace
}  // namespace textorin::testing
