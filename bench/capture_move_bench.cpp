// One mouse move with the button held over a 3840 x 2160 snapshot: the outline and the
// magnifier, up to the repaint, driven with synthetic events on Qt's offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

#include "ui/capture/capture_window.h"
#include "ui/capture/snapshot_canvas.h"

namespace {

QImage screen_image() {
    QImage image(3840, 2160, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            line[x] = qRgb(x & 255, y & 255, (x ^ y) & 255);
    }
    return image;
}

void send(QWidget* target, QEvent::Type type, QPointF at, Qt::MouseButton button,
          Qt::MouseButtons held) {
    QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void BM_DragMove4K(benchmark::State& state) {
    textorin::CaptureWindow window(screen_image());
    window.show();
    QApplication::processEvents();
    QWidget* canvas = window.canvas();
    send(canvas, QEvent::MouseButtonPress, {200, 200}, Qt::LeftButton, Qt::LeftButton);
    int step = 0;
    for (auto _ : state) {
        // A sweep across most of the screen, back and forth.
        const int i = step++ % 3000;
        const QPointF at(300 + (i < 1500 ? i : 3000 - i) * 2.3, 250 + (i < 1500 ? i : 3000 - i));
        send(canvas, QEvent::MouseMove, at, Qt::NoButton, Qt::LeftButton);
        QApplication::processEvents();  // the repaint of what changed
    }
    send(canvas, QEvent::MouseButtonRelease, {210, 210}, Qt::LeftButton, Qt::NoButton);
    window.close();
}
BENCHMARK(BM_DragMove4K)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
