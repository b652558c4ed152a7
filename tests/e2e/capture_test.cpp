// Region and coordinate captures with the program's own windows on a virtual X display that
// shows the test pattern: the crop must hold exactly the screen's pixels.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <QTabWidget>
#include <QTreeWidget>

#include "app/licence_table.h"
#include "e2e/pattern.h"
#include "e2e/xvfb_session.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "support/app_under_test.h"
#include "support/fake_ocr_service.h"
#include "support/temp_dir.h"

#include "ui/app.h"
#include "ui/capture/capture_window.h"

namespace textorin::testing {
namespace {

class CaptureTest : public ::testing::Test {
  protected:
    void SetUp() override {
        app = start_app(dir, "[服务]\r\nOCR地址=http://127.0.0.1:1\r\n");
        ASSERT_TRUE(app);
        ratio = QGuiApplication::primaryScreen()->devicePixelRatio();
    }

    MainWindow& w() { return app->window(); }

    // Starts a capture with a click on the button and waits for the frozen screen.
    void begin(QPushButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        ASSERT_TRUE(wait_until(
            [&] { return app->captures().window() && app->captures().window()->isVisible(); }));
        QTest::qWait(50);
    }
    bool finished() {
        return wait_until([&] { return !app->captures().busy() && w().isVisible(); });
    }

    void xdotool(const std::string& arguments) { ASSERT_TRUE(g_desktop->xdotool(arguments)); }

    // The picture the main window shows, checked against the screen pixels of `rect`.
    void expect_picture_of(const QRect& rect) {
        ASSERT_TRUE(w().picture->isVisible());
        const QImage shown = w().picture->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(shown.size(), rect.size());
        int wrong = 0;
        for (int y = 0; y < rect.height(); ++y)
            for (int x = 0; x < rect.width(); ++x) {
                const Rgb want = pattern_pixel(rect.x() + x, rect.y() + y);
                const QRgb got = shown.pixel(x, y);
                wrong += qRed(got) != want.r || qGreen(got) != want.g || qBlue(got) != want.b;
            }
        EXPECT_EQ(wrong, 0) << "pixels that differ from the screen";
    }

    TempDir dir;
    std::unique_ptr<App> app;
    qreal ratio = 1;
};

TEST_F(CaptureTest, ADragCropsExactlyTheScreenPixels) {
    begin(w().capture);
    // Dragged from bottom-right to top-left, in physical screen pixels.
    xdotool(
        "mousemove 410 320 mousedown 1 mousemove 300 250 mousemove 200 150 mousemove 110 120 "
        "mouseup 1");
    ASSERT_TRUE(finished());
    expect_picture_of(QRect(110, 120, 300, 200));
    EXPECT_EQ(w().coordinates->text(), "110|120|410|320");
    EXPECT_EQ(read_profile(dir / "windows data.ini", gbk("编辑框坐标"), gbk("内容")),
              "110|120|410|320");
    EXPECT_EQ(app->state().capture().size(),
              54u + 300 * 200 * 3);  // the BMP until the run re-encodes it
}

TEST_F(CaptureTest, TypedCoordinatesAreCutOutWithoutTheMouse) {
    w().coordinates->setText("100|100|1000|200");
    QTest::mouseClick(w().coordinate_capture, Qt::LeftButton);
    ASSERT_TRUE(finished());
    expect_picture_of(QRect(100, 100, 900, 100));
    EXPECT_EQ(w().coordinates->text(), "100|100|1000|200");
}

TEST_F(CaptureTest, UnusableCoordinatesAreReportedAndNothingIsCaptured) {
    w().coordinates->setText("1|2|3");
    QTest::mouseClick(w().coordinate_capture, Qt::LeftButton);
    ASSERT_TRUE(finished());
    EXPECT_EQ(w().status->text(), "截图坐标有误，请检查");
    EXPECT_FALSE(w().picture->isVisible());
    EXPECT_TRUE(app->state().capture().empty());
}

TEST_F(CaptureTest, ARightClickOrEscCancelsAndAClickAloneCapturesNothing) {
    w().source->setPlainText("kept");
    begin(w().capture);
    xdotool("mousemove 500 500 click 1");  // no drag: the window stays open
    QTest::qWait(100);
    EXPECT_TRUE(app->captures().busy());
    xdotool("click 3");
    ASSERT_TRUE(finished());
    begin(w().capture);
    xdotool("key Escape");
    ASSERT_TRUE(finished());
    EXPECT_TRUE(app->state().capture().empty());
    EXPECT_FALSE(w().picture->isVisible());
    EXPECT_EQ(w().source->toPlainText(), "kept");
}

TEST_F(CaptureTest, AFurtherStartIsIgnoredWhileACaptureIsUnderWay) {
    begin(w().capture);
    CaptureWindow* first = app->captures().window();
    app->region_capture();
    app->coordinate_capture();
    QTest::qWait(300);
    EXPECT_EQ(app->captures().window(), first);
    xdotool("key Escape");
    ASSERT_TRUE(finished());
}

}  // namespace
}  // namespace textorin::testing

namespace textorin::testing {
namespace {

TEST(LicenceCapture, TheFrontButtonCapturesAndFillsTheTable) {
    FakeOcrService service;
    service.answer_fields({{"号牌号码", "京A12345"}, {"车辆类型", "小型轿车"}, {"所有人", "张三"}});
    TempDir dir;
    const Text settings =
        gbk("[服务]\r\nOCR地址=" + service.base_url() + "\r\nAPIKey=" + FakeOcrService::kApiKey +
            "\r\nSecretKey=" + FakeOcrService::kSecretKey + "\r\n");
    write_file(dir / "windows data.ini",
               {reinterpret_cast<const std::uint8_t*>(settings.data()), settings.size()});
    const Text titles = gbk("[标题]\r\n1=号牌号码\r\n2=车辆类型\r\n3=所有人\r\n4=住址\r\n");
    write_file(licence_title_file(dir.path()),
               {reinterpret_cast<const std::uint8_t*>(titles.data()), titles.size()});
    App app(dir.path());
    app.start();
    app.window().show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&app.window()));
    ASSERT_TRUE(wait_until([&] { return !app.state().access_token().empty(); }));

    app.window().tabs->setCurrentIndex(1);
    QTest::mouseClick(app.window().licence_front, Qt::LeftButton);
    ASSERT_TRUE(wait_until(
        [&] { return app.captures().window() && app.captures().window()->isVisible(); }));
    ASSERT_TRUE(g_desktop->xdotool(
        "mousemove 100 100 mousedown 1 mousemove 200 150 mousemove 300 200 mouseup 1"));
    QTreeWidget* table = app.window().licence_table;
    ASSERT_TRUE(wait_until([&] { return table->topLevelItem(2)->text(2) == "张三"; }));
    EXPECT_EQ(table->topLevelItem(0)->text(2), "京A12345");
    EXPECT_EQ(table->topLevelItem(1)->text(2), "小型轿车");
    EXPECT_EQ(table->topLevelItem(3)->text(2), "");
    EXPECT_EQ(app.window().tabs->currentIndex(), 1);
    const auto sent = service.recognition_requests().at(0);
    EXPECT_EQ(sent.path, "/rest/2.0/ocr/v1/vehicle_license");
    EXPECT_EQ(app.window().status->text(), "状态：识别完毕");
}

}  // namespace
}  // namespace textorin::testing
