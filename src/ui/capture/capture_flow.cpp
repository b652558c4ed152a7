#include "ui/capture/capture_flow.h"

#include <QTimer>

#include "platform/codepage.h"
#include "ui/capture/capture_window.h"

namespace textorin {

CaptureFlow::CaptureFlow(MainWindow& window, ViewPort& port, SharedState& state,
                         Recognizer& recognizer)
    : main_(window), port_(port), state_(state), recognizer_(recognizer) {}

CaptureWindow* CaptureFlow::window() const {
    return capture_;
}

void CaptureFlow::start_capture(int tab_index, int mode, bool coordinates) {
    if (busy_) return;
    busy_ = true;
    main_.hide();
    port_.set_page(tab_index);
    state_.recognition_mode = mode;
    // The wait lets the hide reach the X server before the snapshot, without blocking the
    // user-interface thread.
    QTimer::singleShot(200, this, [this, coordinates] { open_capture_window(coordinates); });
}

void CaptureFlow::open_capture_window(bool coordinates) {
    capture_ = new CaptureWindow(CaptureWindow::grab_primary_screen());
    connect(capture_, &CaptureWindow::captured, this, &CaptureFlow::complete_capture);
    connect(capture_, &CaptureWindow::unusable_coordinates, this,
            [this] { port_.set_status(gbk("截图坐标有误，请检查")); });
    connect(capture_, &QObject::destroyed, this, &CaptureFlow::close_capture);
    capture_->open(coordinates ? std::optional(port_.coordinate_text()) : std::nullopt);
}

void CaptureFlow::complete_capture(const Rect& rect, bool write_back) {
    Bytes crop = crop_bmp(capture_->pixels(), rect);
    port_.set_picture(crop);
    if (write_back && port_.checked(CheckBox::SyncCoordinates))
        port_.set_coordinate_text(coordinate_text(rect));  // saved by the box's change handler
    recognizer_.start(std::move(crop));                    // supersedes the run still going on
}

void CaptureFlow::close_capture() {
    main_.show();
    main_.raise();
    main_.activateWindow();
    busy_ = false;
}

}  // namespace textorin
