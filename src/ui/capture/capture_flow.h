// Starting a capture from the main window and finishing it: the main window steps aside, the
// capture window freezes the screen, and the chosen rectangle becomes the capture buffer, the
// main window's picture and a new recognition run.
#pragma once

#include <QObject>
#include <QPointer>

#include "app/shared_state.h"
#include "app/view_port.h"
#include "capture/selection.h"
#include "services/recognition.h"
#include "ui/main_window.h"

namespace textorin {

class CaptureWindow;

class CaptureFlow : public QObject {
    Q_OBJECT

  public:
    CaptureFlow(MainWindow& window, ViewPort& port, SharedState& state, Recognizer& recognizer);

    // On the user-interface thread. Ignored while a capture is already under way.
    void start_capture(int tab_index, int mode, bool coordinates);
    bool busy() const { return busy_; }
    CaptureWindow* window() const;  // the open capture window, if any

  private:
    void open_capture_window(bool coordinates);
    void complete_capture(const Rect& rect, bool write_back);
    void close_capture();

    MainWindow& main_;
    ViewPort& port_;
    SharedState& state_;
    Recognizer& recognizer_;
    QPointer<CaptureWindow> capture_;
    bool busy_ = false;
};

}  // namespace textorin
