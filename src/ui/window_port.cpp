#include "ui/window_port.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QThread>
#include <QTreeWidget>

#include "ui/browser_box.h"
#include "ui/text_bridge.h"

namespace textorin {
namespace {

bool on_ui_thread(const QObject& object) {
    return QThread::currentThread() == object.thread();
}

}  // namespace

template <class F>
auto WindowPort::read(F f) -> decltype(f()) {
    if (on_ui_thread(w_)) return f();
    decltype(f()) result{};
    QMetaObject::invokeMethod(
        &w_, [&] { result = f(); }, Qt::BlockingQueuedConnection);
    return result;
}

template <class F>
void WindowPort::write(F f, WriteGuard guard) {
    auto apply = [f = std::move(f), guard = std::move(guard)] {
        if (!guard || guard()) f();
    };
    if (on_ui_thread(w_)) {
        apply();
    } else {
        QMetaObject::invokeMethod(&w_, std::move(apply), Qt::QueuedConnection);
    }
}

QCheckBox* WindowPort::box(CheckBox which) const {
    switch (which) {
        case CheckBox::MergeText:
            return w_.merge_text;
        case CheckBox::SyncClipboard:
            return w_.sync_clipboard;
        case CheckBox::SyncCoordinates:
            return w_.sync_coordinates;
    }
    return w_.merge_text;
}

Text WindowPort::window_caption() {
    return read([this] { return from_qt(w_.windowTitle()); });
}
Text WindowPort::source_text() {
    return read([this] { return from_qt(w_.source->toPlainText()); });
}
Text WindowPort::source_selection() {
    return read([this] { return from_qt(w_.source->textCursor().selectedText()); });
}
Text WindowPort::translation_text() {
    return read([this] { return from_qt(w_.translation->toPlainText()); });
}
bool WindowPort::checked(CheckBox which) {
    return read([this, which] { return box(which)->isChecked(); });
}
Text WindowPort::coordinate_text() {
    return read([this] { return from_qt(w_.coordinates->text()); });
}
int WindowPort::recognition_index() {
    return read([this] { return w_.recognition->currentIndex(); });
}
int WindowPort::page() {
    return read([this] { return w_.tabs->currentIndex(); });
}
Text WindowPort::licence_cell(int row, int column) {
    return read([this, row, column] {
        const QTreeWidgetItem* item = w_.licence_table->topLevelItem(row);
        return item ? from_qt(item->text(column)) : Text();
    });
}

void WindowPort::set_status(Text caption, WriteGuard guard) {
    write([this, c = to_qt(caption)] { w_.status->setText(c); }, std::move(guard));
}
void WindowPort::set_source_text(Text text, WriteGuard guard) {
    write([this, t = to_qt(text)] { w_.source->setPlainText(t); }, std::move(guard));
}
void WindowPort::set_translation_text(Text text, WriteGuard guard) {
    write([this, t = to_qt(text)] { w_.translation->setPlainText(t); }, std::move(guard));
}
void WindowPort::set_checked(CheckBox which, bool value) {
    write([this, which, value] { box(which)->setChecked(value); });
}
void WindowPort::set_coordinate_text(Text text) {
    write([this, t = to_qt(text)] { w_.coordinates->setText(t); });
}
void WindowPort::set_recognition_index(int index) {
    // An index outside the items leaves the combo box without a current item.
    write([this, index] {
        w_.recognition->setCurrentIndex(index >= 0 && index < w_.recognition->count() ? index : -1);
    });
}
void WindowPort::set_page(int page) {
    write([this, page] { w_.tabs->setCurrentIndex(page); });
}
void WindowPort::set_button_caption(CaptureButton button, Text caption) {
    write([this, button, c = to_qt(caption)] {
        QPushButton* target = button == CaptureButton::Region         ? w_.capture
                              : button == CaptureButton::Coordinates  ? w_.coordinate_capture
                              : button == CaptureButton::LicenceFront ? w_.licence_front
                                                                      : w_.licence_back;
        target->setText(c);
    });
}
void WindowPort::set_notice(Text caption) {
    write([this, c = to_qt(caption)] { w_.notice->setText(c); });
}
void WindowPort::set_browser_address(Text address) {
    write([this, a = to_qt(address)] { w_.browser->set_address(a); });
}
void WindowPort::set_picture(Bytes bmp) {
    write([this, bmp = std::move(bmp)] {
        QPixmap pixmap;
        pixmap.loadFromData(bmp.data(), static_cast<uint>(bmp.size()), "BMP");
        w_.picture->setPixmap(pixmap);
        w_.picture->show();
        w_.picture->raise();
    });
}
void WindowPort::set_licence_cell(int row, int column, Text text, WriteGuard guard) {
    write(
        [this, row, column, t = to_qt(text)] {
            if (QTreeWidgetItem* item = w_.licence_table->topLevelItem(row))
                item->setText(column, t);
        },
        std::move(guard));
}
void WindowPort::set_clipboard(Text text, WriteGuard guard) {
    write([t = to_qt(text)] { QGuiApplication::clipboard()->setText(t); }, std::move(guard));
}

}  // namespace textorin
