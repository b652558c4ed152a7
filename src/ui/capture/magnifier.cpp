#include "ui/capture/magnifier.h"

#include <QPainter>

#include "capture/selection.h"

namespace textorin {

LoupeCanvas::LoupeCanvas(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("画板3"));
    setFixedSize(kLoupeSize, kLoupeSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LoupeCanvas::set_picture(const QImage& picture) {
    picture_ = picture;
    update();
}

void LoupeCanvas::paintEvent(QPaintEvent*) {
    QPainter(this).drawImage(rect(), picture_);
}

void LoupeCanvas::enterEvent(QEnterEvent*) {
    // Jumps between the bottom-left and the bottom-right corner, out of the pointer's way.
    const int right = parentWidget()->width() - width();
    move(x() == 0 ? right : 0, y());
}

MagnifierBox::MagnifierBox(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("图片框1"));
    setFixedSize(kMagnifierBox, kMagnifierBox);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void MagnifierBox::set_picture(const QImage& picture) {
    picture_ = picture;
    update();
}

void MagnifierBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(rect().adjusted(1, 1, -1, -1), picture_);  // scaled, pixels kept square
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));  // the single-line border
}

}  // namespace textorin
