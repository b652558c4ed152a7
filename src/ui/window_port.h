// The view port over the main window. Writes from a worker thread are queued to the
// user-interface thread (their guard checked there, right before they apply); reads from a
// worker wait for that thread's answer. On the user-interface thread itself both act directly.
#pragma once

#include "app/view_port.h"
#include "ui/main_window.h"

namespace textorin {

class WindowPort : public ViewPort {
  public:
    explicit WindowPort(MainWindow& window) : w_(window) {}

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
    void set_checked(CheckBox box, bool checked) override;
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
    template <class F>
    auto read(F f) -> decltype(f());
    template <class F>
    void write(F f, WriteGuard guard = {});

    QCheckBox* box(CheckBox which) const;
    MainWindow& w_;
};

}  // namespace textorin
