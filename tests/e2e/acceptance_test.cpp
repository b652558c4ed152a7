// The real program under Xvfb, driven as a user would: captures by button, hotkey and typed
// coordinates over a known pattern, the merge box, a cancel, a translation of a selection, the
// notice pages, the hotkey dialog, a licence capture, and the settings file across a restart.
#include <gtest/gtest.h>

#include <sstream>
#include <thread>

#include "e2e/desktop.h"
#include "e2e/pattern.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/image.h"
#include "support/fake_ocr_service.h"
#include "support/raw_http_server.h"
#include "support/temp_dir.h"

namespace textorin::testing {
namespace {

using namespace std::chrono_literals;

template <class Condition>
bool wait_until(Condition condition, std::chrono::milliseconds limit = 8s) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (condition()) return true;
        std::this_thread::sleep_for(20ms);
    }
    return condition();
}

struct Window {
    unsigned long id = 0;
    int x = 0, y = 0, width = 0, height = 0;
};

class Acceptance : public ::testing::Test {
  protected:
    void SetUp() override {
        desktop.run(std::string(TEXTORIN_X11_TOOL) + " pattern -");
        ocr.answer_lines({"第一行", "second"});
        write_gbk_lines(folder / "windows data.ini",
                        {"[服务]", "OCR地址=" + ocr.base_url(),
                         std::string("APIKey=") + FakeOcrService::kApiKey,
                         std::string("SecretKey=") + FakeOcrService::kSecretKey,
                         "翻译地址=" + web.url(""), "公告地址1=" + web.url("/notice1"),
                         "公告地址2=" + web.url("/notice2"), "公告地址3=" + web.url("/notice3")});
        write_gbk_lines(folder / "行驶证标题设置.ini", {"[标题]", "1=号牌号码", "2=车辆类型"});
        std::filesystem::create_directories(TEXTORIN_SCREENSHOTS);
    }

    void start() {
        const int tokens = ocr.token_requests();
        program = std::make_unique<Program>(desktop, folder.path());
        ASSERT_NE(program->wait_for_window(), 0u);
        ASSERT_TRUE(wait_until([&] { return ocr.token_requests() == tokens + 1; }));

        std::this_thread::sleep_for(300ms);  // the token reply is on its way into the program
    }
    // Clicks a point of the main window given in client coordinates.
    void click(int x, int y, int button = 1) {
        ASSERT_TRUE(desktop.xdotool("mousemove " + std::to_string(screen_x(x)) + " " +
                                    std::to_string(screen_y(y)) + " click " +
                                    std::to_string(button)));
        std::this_thread::sleep_for(100ms);
    }
    void drag(int x1, int y1, int x2, int y2) {
        ASSERT_TRUE(desktop.xdotool("mousemove " + std::to_string(x1) + " " + std::to_string(y1) +
                                    " mousedown 1 mousemove " + std::to_string((x1 + x2) / 2) +
                                    " " + std::to_string((y1 + y2) / 2) + " mousemove " +
                                    std::to_string(x2) + " " + std::to_string(y2) + " mouseup 1"));
    }
    std::vector<Window> windows() {
        std::vector<Window> list;
        std::istringstream lines(desktop.run(std::string(TEXTORIN_X11_TOOL) + " windows -"));
        for (Window w; lines >> w.id >> w.x >> w.y >> w.width >> w.height;) {
            list.push_back(w);
            lines.ignore(1 << 20, '\n');
        }
        return list;
    }
    std::optional<Window> window_sized(int width, int height) {
        for (const auto& w : windows())
            if (w.width == width && w.height == height) return w;
        return std::nullopt;
    }
    bool capture_window_open() {
        return wait_until([&] { return window_sized(1280, 1024).has_value(); });
    }
    void screenshot(const std::string& name) {
        desktop.screenshot(std::string(TEXTORIN_SCREENSHOTS) + "/" + name);
    }
    std::size_t requests() { return ocr.recognition_requests().size(); }

    // The picture the service received, checked against the pattern at (x, y).
    void expect_sent_picture(int x, int y, int width, int height) {
        const std::string jpeg = ocr.recognition_requests().back().image;
        Picture picture;
        ASSERT_TRUE(decode_jpeg({reinterpret_cast<const std::uint8_t*>(jpeg.data()), jpeg.size()},
                                picture));
        ASSERT_EQ(picture.width, width);
        ASSERT_EQ(picture.height, height);
        double difference = 0;
        for (int row = 0; row < height; ++row)
            for (int col = 0; col < width; ++col) {
                const Rgb want = pattern_pixel(x + col, y + row);
                const std::uint8_t* got = &picture.bgra[(std::size_t(row) * width + col) * 4];
                difference += std::abs(got[0] - want.b) + std::abs(got[1] - want.g) +
                              std::abs(got[2] - want.r);
            }
        EXPECT_LT(difference / (width * height * 3.0), 8.0);
    }

    Desktop desktop;
    FakeOcrService ocr;
    std::string translation_reply = "errorCode=0\r\nresult=你好\r\n";
    RawHttpServer web{[this](const RawRequest& r) {
        if (r.request_line.starts_with("GET /notice1"))
            return http_response(200, "[起]9.9|有新版本|已是最新[止]");
        if (r.request_line.starts_with("GET /notice2"))
            return http_response(200, "[起]" + web.url("/page") + "[止]");
        if (r.request_line.starts_with("GET /notice3"))
            return http_response(200, "[起]公告正文[止]");
        if (r.request_line.starts_with("GET /page"))
            return http_response(200, "<h3>欢迎使用</h3><p>公告页</p>");
        return http_response(200, translation_reply);
    }};
    TempDir folder;
    std::unique_ptr<Program> program;
};

TEST_F(Acceptance, RegionCapturesByButtonAndByF4ReachTheClipboard) {
    start();
    screenshot("main-window.png");
    click(825, 379);  // 按钮截图
    ASSERT_TRUE(capture_window_open());
    ASSERT_TRUE(desktop.xdotool("mousemove 640 500 mousemove 650 510"));  // the magnifier shows
    std::this_thread::sleep_for(200ms);

    screenshot("capture-window.png");
    drag(400, 300, 100, 150);  // from bottom-right to top-left
    ASSERT_TRUE(wait_until([&] { return requests() == 1; }));
    expect_sent_picture(100, 150, 300, 150);
    ASSERT_TRUE(wait_until([&] { return desktop.clipboard() == "第一行second"; }))
        << desktop.clipboard();

    ocr.answer_lines({"F4"});
    ASSERT_TRUE(desktop.xdotool("key F4"));
    ASSERT_TRUE(capture_window_open());
    drag(500, 500, 600, 560);
    ASSERT_TRUE(wait_until([&] { return desktop.clipboard() == "F4"; })) << desktop.clipboard();
    expect_sent_picture(500, 500, 100, 60);
}

TEST_F(Acceptance, MergeBoxCoordinateCaptureCancelAndRestart) {
    start();
    click(770, 604);  // 选择框文本合并: unchecked now
    click(825, 435);  // 编辑框坐标
    ASSERT_TRUE(desktop.xdotool("key ctrl+a type --delay 10 '100|100|1000|200'"));
    click(825, 474);  // 按钮坐标截图
    ASSERT_TRUE(wait_until([&] { return requests() == 1; }));
    expect_sent_picture(100, 100, 900, 100);
    ASSERT_TRUE(wait_until([&] { return desktop.clipboard() == "第一行\nsecond\n"; }))
        << desktop.clipboard();

    click(825, 379);  // 按钮截图, then a right click cancels
    ASSERT_TRUE(capture_window_open());
    ASSERT_TRUE(desktop.xdotool("mousemove 300 300 click 3"));
    ASSERT_TRUE(wait_until([&] { return !window_sized(1280, 1024); }));
    std::this_thread::sleep_for(300ms);
    EXPECT_EQ(requests(), 1u);

    // The settings file holds each choice, byte for byte, and a restart restores them.
    const auto bytes = read_file(folder / "windows data.ini");
    const std::string settings(bytes->begin(), bytes->end());
    EXPECT_NE(settings.find(gbk("[选择框文本合并]\r\n选中=假\r\n")), std::string::npos);
    EXPECT_NE(settings.find(gbk("[编辑框坐标]\r\n内容=100|100|1000|200\r\n")), std::string::npos);
    program.reset();
    ocr.answer_lines({"a", "b"});
    start();
    click(825, 474);  // 按钮坐标截图 with the saved coordinates, lines kept apart
    ASSERT_TRUE(wait_until([&] { return requests() == 2; }));
    expect_sent_picture(100, 100, 900, 100);
    ASSERT_TRUE(wait_until([&] { return desktop.clipboard() == "a\nb\n"; })) << desktop.clipboard();
}

TEST_F(Acceptance, TranslationOfASelectionAndTheNotices) {
    start();
    // The third notice page's text stands in the translation box; copy it out.
    click(300, 588);
    ASSERT_TRUE(desktop.xdotool("key ctrl+a ctrl+c"));
    ASSERT_TRUE(wait_until([&] { return desktop.clipboard() == "公告正文"; }))
        << desktop.clipboard();
    // The second page's address is shown in the browser box: it fetches that page.
    ASSERT_TRUE(wait_until([&] {
        for (const auto& r : web.requests())
            if (r.request_line.starts_with("GET /page")) return true;
        return false;
    }));
    screenshot("main-window-notices.png");

    click(300, 428);  // 编辑框_源
    ASSERT_TRUE(desktop.xdotool("type --delay 10 'hello world'"));
    ASSERT_TRUE(desktop.xdotool("key ctrl+shift+Left"));  // selects "world"
    const std::size_t before = web.requests().size();
    click(825, 547);  // 按钮_翻译
    ASSERT_TRUE(wait_until([&] { return desktop.clipboard() == "你好\n\n"; }))
        << desktop.clipboard();
    const auto sent = web.requests().at(before);
    EXPECT_TRUE(sent.request_line.starts_with("GET /translate?i=world&type=AUTO"))
        << sent.request_line;
}

TEST_F(Acceptance, TheHotkeyDialogSavesASlotThatThenWorks) {
    start();
    click(840, 16);  // 按钮设置
    std::optional<Window> dialog;
    ASSERT_TRUE(wait_until([&] { return (dialog = window_sized(380, 250)).has_value(); }));
    auto at = [&](int x, int y) {
        return "mousemove " + std::to_string(dialog->x + x) + " " + std::to_string(dialog->y + y);
    };
    ASSERT_TRUE(desktop.xdotool(at(315, 32) + " click 1"));  // the key box of slot 1
    ASSERT_TRUE(desktop.xdotool("keydown k keyup k"));
    ASSERT_TRUE(desktop.xdotool("key shift+Tab Down"));  // its modifier box: Alt
    screenshot("hotkey-dialog.png");
    ASSERT_TRUE(desktop.xdotool(at(315, 215) + " click 1"));  // 保存
    std::this_thread::sleep_for(200ms);
    ASSERT_TRUE(desktop.xdotool("key Escape"));
    ASSERT_TRUE(wait_until([&] { return !window_sized(380, 250); }));
    ASSERT_TRUE(desktop.xdotool("key alt+k"));
    ASSERT_TRUE(capture_window_open());
    ASSERT_TRUE(desktop.xdotool("key Escape"));
    const auto bytes = read_file(folder / "windows data.ini");
    const std::string settings(bytes->begin(), bytes->end());
    EXPECT_NE(settings.find(gbk("[组合框1]\r\n现行选中项=1\r\n")), std::string::npos);
    EXPECT_NE(settings.find(gbk("[快捷键1]\r\n键码=75\r\n")), std::string::npos);
}

TEST_F(Acceptance, ALicenceCaptureAsksForTheVehicleLicence) {
    start();
    ocr.answer_fields({{"号牌号码", "京A12345"}, {"车辆类型", "小型轿车"}});
    click(120, 338);  // the tab "证件识别(未完成)"
    click(824, 375);  // 按钮正面截图
    ASSERT_TRUE(capture_window_open());
    drag(100, 100, 300, 200);
    ASSERT_TRUE(wait_until([&] { return requests() == 1; }));
    EXPECT_EQ(ocr.recognition_requests()[0].path, "/rest/2.0/ocr/v1/vehicle_license");
    EXPECT_EQ(ocr.recognition_requests()[0].query.count("access_token"), 1u);
    std::this_thread::sleep_for(300ms);
    screenshot("licence-table.png");
}

}  // namespace
}  // namespace textorin::testing
