// A view port that keeps the window's state in plain fields and logs every write, for tests
// of the core without a window. In deferred mode writes wait in a queue until flush(), so a
// test can see a write that is sent before, and applied after, something else happens; the
// guard is checked when the write is applied, as the window does.
#pragma once

#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "app/view_port.h"

namespace textorin::testing {

class RecordingView : public ViewPort {
  public:
    // The window's state; tests set the initial values directly.
    Text caption = "TextorinV2.4-test";
    Text status, source, selection, translation, coordinates, notice, browser, clipboard;
    std::map<CheckBox, bool> checks{{CheckBox::MergeText, true},
                                    {CheckBox::SyncClipboard, true},
                                    {CheckBox::SyncCoordinates, true}};
    int recognition = 0, page_index = 0;
    std::map<CaptureButton, Text> buttons;
    Bytes picture;
    int licence_rows = 0;  // rows of the licence table; writes to other rows are dropped
    std::map<std::pair<int, int>, Text> cells;

    // Every write applied, in order, as "what=value" (texts as they are, GBK).
    std::vector<std::string> log;

    bool deferred = false;
    void flush();  // applies the queued writes in order

    // Waits (briefly polling) until the log holds `count` writes or the time runs out.
    bool wait_for_writes(std::size_t count, int milliseconds = 5000);
    std::vector<std::string> writes() const;

    Text window_caption() override;
    Text source_text() override;
    Text source_selection() override;
    Text translation_text() override;
    bool checked(CheckBox box) override;
    Text coordinate_text() override;
    int recognition_index() override;
    int page() override;
    Text licence_cell(int row, int column) override;

    void set_status(Text caption, WriteGuard guard) override;
    void set_source_text(Text text, WriteGuard guard) override;
    void set_translation_text(Text text, WriteGuard guard) override;
    void set_checked(CheckBox box, bool value) override;
    void set_coordinate_text(Text text) override;
    void set_recognition_index(int index) override;
    void set_page(int page) override;
    void set_button_caption(CaptureButton button, Text caption) override;
    void set_notice(Text caption) override;
    void set_browser_address(Text address) override;
    void set_picture(Bytes bmp) override;
    void set_licence_cell(int row, int column, Text text, WriteGuard guard) override;
    void set_clipboard(Text text, WriteGuard guard) override;

  private:
    void write(std::string entry, std::function<void()> apply, WriteGuard guard = {});

    mutable std::recursive_mutex mutex_;
    std::deque<std::function<void()>> queue_;
};

}  // namespace textorin::testing
