// The start routine: the window, its creation handler, the message loop, and an exit that
// never waits for the network.
#include <QApplication>
#include <QFont>
#include <cstdio>
#include <cstdlib>

#include "app/settings_file.h"
#include "platform/abort_signal.h"
#include "platform/display.h"
#include "platform/http.h"
#include "ui/app.h"

int main(int argc, char** argv) {
    if (!textorin::display_available()) {
        std::fputs(
            "textorin: no X11 display to show the window on; run it in an X11 or XWayland "
            "desktop session, or in a virtual one: xvfb-run build/textorin\n",
            stderr);
        return 1;
    }
    textorin::http_global_init();  // before any thread starts

    // Qt takes its own options from the command line; the program itself reads none.
    QApplication qt(argc, argv);
    // The program ends when its main window is closed, whatever other window may be up.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setFont(QFont(QStringLiteral("Noto Sans CJK SC"), 9));

    auto* app = new textorin::App(textorin::data_directory());  // lives until the process ends
    QObject::connect(&app->window(), &textorin::MainWindow::closed, qApp, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    app->start();
    app->window().show();
    const int rc = QApplication::exec();

    // Exit clean-up: transfers are aborted and the process ends at once. Workers may still be
    // running, so nothing they touch is destroyed: no destructors, no waiting.
    textorin::process_abort().abort();
    std::fflush(nullptr);
    std::_Exit(rc);
}
