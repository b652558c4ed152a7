#include "ui/capture/capture_window.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>

#include "ui/capture/magnifier.h"
#include "ui/capture/physical.h"
#include "ui/capture/snapshot_canvas.h"

namespace textorin {
namespace {

// A label that hides itself when the mouse comes onto it.
class HintLabel : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void enterEvent(QEnterEvent*) override { hide(); }
};

}  // namespace

QImage CaptureWindow::grab_primary_screen() {
    QScreen* screen = QGuiApplication::primaryScreen();
    // RGB32 holds blue, green, red and 0xFF in memory: the layout the core reads.
    QImage image = screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
    image.setDevicePixelRatio(screen->devicePixelRatio());
    return image;
}

CaptureWindow::CaptureWindow(QImage snapshot)
    : QWidget(nullptr,
              Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::X11BypassWindowManagerHint) {
    setObjectName(QStringLiteral("截图窗口"));
    setAttribute(Qt::WA_DeleteOnClose);
    const QRect screen(QGuiApplication::primaryScreen()->geometry().topLeft(),
                       snapshot.deviceIndependentSize().toSize());
    setGeometry(screen);

    canvas_ = new SnapshotCanvas(std::move(snapshot), this);
    canvas_->setGeometry(0, 0, screen.width(), screen.height());

    magnifier_ = new MagnifierBox(this);
    magnifier_->hide();
    loupe_ = new LoupeCanvas(this);
    loupe_->move(0, screen.height() - kLoupeSize);
    loupe_->hide();

    hint_ = new HintLabel(QStringLiteral("按住鼠标左键不放，拉动鼠标到合适的位置即可"), this);
    hint_->setObjectName(QStringLiteral("标签_提示"));
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setBold(true);
    font.setPixelSize(20);
    hint_->setFont(font);
    hint_->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0); background: rgb(253, 254, 231);"));
    hint_->setAlignment(Qt::AlignCenter);
    hint_->setGeometry(screen.width() / 2 - 428 / 2, 8, 428, 32);

    connect(canvas_, &SnapshotCanvas::left_pressed, this, &CaptureWindow::press);
    connect(canvas_, &SnapshotCanvas::moved, this, &CaptureWindow::move_to);
    connect(canvas_, &SnapshotCanvas::left_released, this, &CaptureWindow::release);
    connect(canvas_, &SnapshotCanvas::right_pressed, this, [this] {
        emit cancelled();
        close();
    });
}

PixelView CaptureWindow::pixels() const {
    return canvas_->pixels();
}

void CaptureWindow::open(std::optional<std::string> coordinates) {
    show();
    raise();
    activateWindow();
    grabKeyboard();
    if (!coordinates) return;
    const CoordinateReading reading = read_coordinates(*coordinates);
    if (std::holds_alternative<EmptyCoordinates>(reading)) return;  // stays open for a drag
    if (const Rect* rect = std::get_if<Rect>(&reading)) {
        emit captured(*rect, false);
    } else {
        emit unusable_coordinates();
    }
    close();
}

void CaptureWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() != Qt::Key_Escape) return QWidget::keyPressEvent(event);
    emit cancelled();
    close();
}

void CaptureWindow::press(Point at) {
    hint_->hide();
    canvas_->set_outline({});
    press_ = at;
    held_ = true;
}

void CaptureWindow::move_to(Point at) {
    if (held_) {
        canvas_->set_outline(outline_bands(press_, at));
    } else {
        loupe_->show();
        magnifier_->show();
    }
    update_magnifier(at);
}

void CaptureWindow::release(Point at) {
    if (!held_) return;
    held_ = false;
    canvas_->set_outline({});
    const Rect rect = ordered_rect(press_, at);
    // A click without a drag selects nothing: the window stays open for another try.
    if (rect.empty()) return;
    emit captured(rect, true);
    close();
}

void CaptureWindow::update_magnifier(Point at) {
    const Picture loupe = magnifier_picture(canvas_->pixels(), at, canvas_->outline());
    const QImage image(loupe.bgra.data(), loupe.width, loupe.height, loupe.width * 4,
                       QImage::Format_RGB32);
    const QImage copy = image.copy();  // the picture's memory ends with this call
    loupe_->set_picture(copy);
    magnifier_->set_picture(copy);
    const qreal ratio = canvas_->pixels().width / qreal(std::max(1, width()));
    const Point box = magnifier_box_position(at, held_, press_.x, canvas_->pixels().width,
                                             canvas_->pixels().height);
    magnifier_->move(static_cast<int>(box.x / ratio), static_cast<int>(box.y / ratio));
}

}  // namespace textorin
