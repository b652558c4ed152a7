#include "ui/capture/snapshot_canvas.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include "ui/capture/physical.h"

namespace textorin {

SnapshotCanvas::SnapshotCanvas(QImage snapshot, QWidget* parent)
    : QWidget(parent), snapshot_(std::move(snapshot)) {
    setObjectName(QStringLiteral("画板1"));
    setCursor(Qt::CrossCursor);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel comes from the snapshot
}

PixelView SnapshotCanvas::pixels() const {
    return {snapshot_.constBits(), snapshot_.width(), snapshot_.height(), snapshot_.bytesPerLine(),
            PixelLayout::Bgra};
}

void SnapshotCanvas::set_outline(std::vector<Rect> bands) {
    const qreal ratio = snapshot_.devicePixelRatio();
    QRegion dirty;
    for (const Rect& band : outline_)
        dirty += to_logical(band, ratio);
    for (const Rect& band : bands)
        dirty += to_logical(band, ratio);
    outline_ = std::move(bands);
    update(dirty);
}

void SnapshotCanvas::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const qreal ratio = snapshot_.devicePixelRatio();
    for (const QRect& area : event->region()) {
        const Rect source = to_physical(area, ratio);
        painter.drawImage(QRectF(source.left / ratio, source.top / ratio, source.width() / ratio,
                                 source.height() / ratio),
                          snapshot_,
                          QRect(source.left, source.top, source.width(), source.height()));
    }
    if (outline_.empty()) return;
    // Drawn in physical pixels: each covered pixel ANDed with the pen's blue.
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.scale(1 / ratio, 1 / ratio);
    for (const Rect& band : outline_)
        painter.fillRect(QRect(band.left, band.top, band.width(), band.height()),
                         QColor(0, 0, 255));
}

void SnapshotCanvas::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) emit right_pressed();
    if (event->button() == Qt::LeftButton)
        emit left_pressed(to_physical(event->position(), snapshot_.devicePixelRatio()));
}

void SnapshotCanvas::mouseMoveEvent(QMouseEvent* event) {
    emit moved(to_physical(event->position(), snapshot_.devicePixelRatio()));
}

void SnapshotCanvas::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit left_released(to_physical(event->position(), snapshot_.devicePixelRatio()));
}

}  // namespace textorin
