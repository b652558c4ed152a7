// The magnifier: 画板3, the 21 x 21 source picture at the screen's bottom edge (it dodges to
// the other corner when the mouse comes onto it), and 图片框1, the same picture scaled into a
// 100 x 100 box near the pointer.
#pragma once

#include <QImage>
#include <QWidget>

namespace textorin {

class LoupeCanvas : public QWidget {
    Q_OBJECT

  public:
    explicit LoupeCanvas(QWidget* parent);
    void set_picture(const QImage& picture);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

  private:
    QImage picture_;
};

class MagnifierBox : public QWidget {
    Q_OBJECT

  public:
    explicit MagnifierBox(QWidget* parent);
    void set_picture(const QImage& picture);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage picture_;
};

}  // namespace textorin
