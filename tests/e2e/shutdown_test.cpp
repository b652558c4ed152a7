// Closing the window while a translation waits on a server that never answers ends the program
// at once, cleanly.
#include <gtest/gtest.h>

#include "e2e/desktop.h"
#include "support/raw_http_server.h"

namespace textorin::testing {
namespace {

using namespace std::chrono_literals;

TEST(Shutdown, ClosingWhileATranslationWaitsEndsTheProcessPromptly) {
    RawHttpServer silent([](const RawRequest&) { return std::optional<std::string>(); });
    Desktop desktop;
    TempDir folder;
    write_gbk_lines(folder / "windows data.ini",
                    {"[服务]", "OCR地址=http://127.0.0.1:1", "翻译地址=" + silent.url("")});
    Program program(desktop, folder.path());

    const unsigned long window = program.wait_for_window();
    ASSERT_NE(window, 0u);

    // Type into the source box (page 0 at y 328 + 23), then click 按钮_翻译 (763,208 on the page).
    ASSERT_TRUE(desktop.xdotool("mousemove " + std::to_string(screen_x(300)) + " " +
                                std::to_string(screen_y(328 + 80)) + " click 1"));
    ASSERT_TRUE(desktop.xdotool("type --delay 20 hello"));
    ASSERT_TRUE(desktop.xdotool("mousemove " + std::to_string(screen_x(763 + 62)) + " " +
                                std::to_string(screen_y(328 + 208 + 11)) + " click 1"));
    for (int i = 0; i < 200 && silent.requests().empty(); ++i)
        std::this_thread::sleep_for(20ms);
    ASSERT_EQ(silent.requests().size(), 1u) << "the translation never reached the server";

    // Qt 6.4's X event queue now and then holds a window-system close until the next input
    // event arrives; a user then presses the close button again, and so does this test.
    const std::string close = std::string(TEXTORIN_X11_TOOL) + " close " + std::to_string(window);
    auto mapped = [&] {
        return desktop.run(std::string(TEXTORIN_X11_TOOL) + " windows -")
                   .find(std::to_string(window)) != std::string::npos;
    };
    desktop.run(close);
    for (int i = 1; i <= 150 && mapped(); ++i) {
        if (i % 25 == 0) desktop.run(close);

        std::this_thread::sleep_for(20ms);
    }
    const auto status = program.wait_for_exit(2s);

    ASSERT_TRUE(status.has_value()) << "still running 2 s after the window was closed";
    EXPECT_EQ(*status, 0);
}

}  // namespace
}  // namespace textorin::testing
