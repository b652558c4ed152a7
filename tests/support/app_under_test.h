// For tests that run the program's own windows in this process: waiting on the event loop, and
// starting the program's App in a folder with a given settings file.
#pragma once

#include <QTest>
#include <memory>
#include <string>

#include "platform/codepage.h"
#include "platform/files.h"
#include "support/temp_dir.h"
#include "ui/app.h"

namespace textorin::testing {

// Runs the event loop until the condition holds or the time runs out.
template <class Condition>
bool wait_until(Condition condition, int milliseconds = 5000) {
    for (int waited = 0; waited < milliseconds; waited += 10) {
        if (condition()) return true;
        QTest::qWait(10);
    }
    return condition();
}

// The settings file (UTF-8 text, written as GBK) in the folder, then the program started there
// with its main window shown and exposed; null when the window never shows.
inline std::unique_ptr<App> start_app(const TempDir& dir, const std::string& settings) {
    write_gbk_file(dir / "windows data.ini", settings);
    auto app = std::make_unique<App>(dir.path());
    app->start();
    app->window().show();
    if (!QTest::qWaitForWindowExposed(&app->window())) return nullptr;
    return app;
}

}  // namespace textorin::testing
