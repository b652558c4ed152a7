// The capture window: the frozen primary screen, full size and frameless, on which the user
// drags a rectangle (or which cuts out typed coordinates at once). It only reports what the
// user chose: a rectangle (with or without writing it back to the coordinate box), a cancel,
// or coordinates that cannot be used.
#pragma once

#include <QImage>
#include <QWidget>

#include "capture/selection.h"

class QLabel;

namespace textorin {

class LoupeCanvas;
class MagnifierBox;
class SnapshotCanvas;

class CaptureWindow : public QWidget {
    Q_OBJECT

  public:
    // The primary screen at its real pixel size (RGB32, its device pixel ratio set): take it
    // while no window of ours is on screen.
    static QImage grab_primary_screen();

    // Covers the primary screen with the snapshot.
    explicit CaptureWindow(QImage snapshot);

    // Shows the window, grabbing the keyboard for Esc (it bypasses the window manager and would
    // get no focus otherwise). With coordinates, cuts them out at once when they can be used.
    void open(std::optional<std::string> coordinates = std::nullopt);

    PixelView pixels() const;
    SnapshotCanvas* canvas() const { return canvas_; }

  signals:
    void captured(Rect rect, bool write_back);
    void cancelled();
    void unusable_coordinates();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void press(Point at);
    void move_to(Point at);
    void release(Point at);
    void update_magnifier(Point at);

    SnapshotCanvas* canvas_;
    QLabel* hint_;
    LoupeCanvas* loupe_;
    MagnifierBox* magnifier_;
    bool held_ = false;
    Point press_;
};

}  // namespace textorin
