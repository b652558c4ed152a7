#include "support/recording_view.h"

#include <chrono>
#include <thread>

namespace textorin::testing {

void RecordingView::write(std::string entry, std::function<void()> apply, WriteGuard guard) {
    auto applied = [this, entry = std::move(entry), apply = std::move(apply),
                    guard = std::move(guard)] {
        if (guard && !guard()) return;
        apply();
        log.push_back(entry);
    };
    std::lock_guard lock(mutex_);
    if (deferred) {
        queue_.push_back(std::move(applied));
    } else {
        applied();
    }
}

void RecordingView::flush() {
    std::lock_guard lock(mutex_);
    while (!queue_.empty()) {
        auto next = std::move(queue_.front());
        queue_.pop_front();
        next();
    }
}

bool RecordingView::wait_for_writes(std::size_t count, int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        {
            std::lock_guard lock(mutex_);
            if (log.size() >= count) return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

std::vector<std::string> RecordingView::writes() const {
    std::lock_guard lock(mutex_);
    return log;
}

Text RecordingView::window_caption() {
    std::lock_guard lock(mutex_);
    return caption;
}
Text RecordingView::source_text() {
    std::lock_guard lock(mutex_);
    return source;
}
Text RecordingView::source_selection() {
    std::lock_guard lock(mutex_);
    return selection;
}
Text RecordingView::translation_text() {
    std::lock_guard lock(mutex_);
    return translation;
}
bool RecordingView::checked(CheckBox box) {
    std::lock_guard lock(mutex_);
    return checks[box];
}
Text RecordingView::coordinate_text() {
    std::lock_guard lock(mutex_);
    return coordinates;
}
int RecordingView::recognition_index() {
    std::lock_guard lock(mutex_);
    return recognition;
}
int RecordingView::page() {
    std::lock_guard lock(mutex_);
    return page_index;
}
Text RecordingView::licence_cell(int row, int column) {
    std::lock_guard lock(mutex_);
    return cells[{row, column}];
}

void RecordingView::set_status(Text text, WriteGuard guard) {
    write(
        "status=" + text, [this, text] { status = text; }, std::move(guard));
}
void RecordingView::set_source_text(Text text, WriteGuard guard) {
    write(
        "source=" + text, [this, text] { source = text; }, std::move(guard));
}
void RecordingView::set_translation_text(Text text, WriteGuard guard) {
    write(
        "translation=" + text, [this, text] { translation = text; }, std::move(guard));
}
void RecordingView::set_checked(CheckBox box, bool value) {
    write("check" + std::to_string(static_cast<int>(box)) + "=" + (value ? "1" : "0"),
          [this, box, value] { checks[box] = value; });
}
void RecordingView::set_coordinate_text(Text text) {
    write("coordinates=" + text, [this, text] { coordinates = text; });
}
void RecordingView::set_recognition_index(int index) {
    write("recognition=" + std::to_string(index), [this, index] { recognition = index; });
}
void RecordingView::set_page(int p) {
    write("page=" + std::to_string(p), [this, p] { page_index = p; });
}
void RecordingView::set_button_caption(CaptureButton button, Text text) {
    write("button" + std::to_string(static_cast<int>(button)) + "=" + text,
          [this, button, text] { buttons[button] = text; });
}
void RecordingView::set_notice(Text text) {
    write("notice=" + text, [this, text] { notice = text; });
}
void RecordingView::set_browser_address(Text address) {
    write("browser=" + address, [this, address] { browser = address; });
}
void RecordingView::set_picture(Bytes bmp) {
    write("picture=" + std::to_string(bmp.size()), [this, bmp] { picture = bmp; });
}
void RecordingView::set_licence_cell(int row, int column, Text text, WriteGuard guard) {
    if (row < 0 || row >= licence_rows) return;
    write(
        "cell" + std::to_string(row) + "," + std::to_string(column) + "=" + text,
        [this, row, column, text] {
            cells[{row, column}] = text;
        },
        std::move(guard));
}
void RecordingView::set_clipboard(Text text, WriteGuard guard) {
    write(
        "clipboard=" + text, [this, text] { clipboard = text; }, std::move(guard));
}

}  // namespace textorin::testing
