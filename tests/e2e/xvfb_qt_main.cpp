// GoogleTest main for tests that run the program's own widgets in this process on a virtual X
// display (with the test pattern on its background), driven by real input events from xdotool.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "e2e/desktop.h"
#include "e2e/xvfb_session.h"

namespace textorin::testing {
const Desktop* g_desktop = nullptr;
}

int main(int argc, char** argv) {
    textorin::testing::Desktop desktop;
    textorin::testing::g_desktop = &desktop;
    setenv("DISPLAY", desktop.display().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    desktop.run(std::string(TEXTORIN_X11_TOOL) + " pattern -");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
