// 画板1: the frozen screen, with the outline of the rectangle being dragged drawn over it in
// the mask-pen look (each pixel ANDed with blue). Reports the mouse in physical pixels. Only
// what an outline covered or covers is repainted on a move.
#pragma once

#include <QImage>
#include <QWidget>
#include <vector>

#include "capture/selection.h"

namespace textorin {

class SnapshotCanvas : public QWidget {
    Q_OBJECT

  public:
    // `snapshot` is the whole screen in physical pixels (RGB32), its device pixel ratio set.
    SnapshotCanvas(QImage snapshot, QWidget* parent);

    PixelView pixels() const;
    const std::vector<Rect>& outline() const { return outline_; }
    void set_outline(std::vector<Rect> bands);

  signals:
    void left_pressed(Point at);
    void moved(Point at);
    void left_released(Point at);
    void right_pressed();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QImage snapshot_;
    std::vector<Rect> outline_;
};

}  // namespace textorin
