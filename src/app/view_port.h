// How the core reads and writes the main window, without knowing what draws it. Texts cross
// it as GBK with CR LF line breaks. Every call is safe from any thread: writes are applied on
// the user-interface thread, and reads made from a worker wait for that thread's answer.
#pragma once

#include <functional>

#include "text/text.h"

namespace textorin {

enum class CheckBox { MergeText, SyncClipboard, SyncCoordinates };
enum class CaptureButton { Region, Coordinates, LicenceFront, LicenceBack };

// Checked on the user-interface thread right before a write is applied; a write whose guard
// says false is dropped (a superseded recognition run's late result, say).
using WriteGuard = std::function<bool()>;

class ViewPort {
  public:
    virtual ~ViewPort() = default;

    virtual Text window_caption() = 0;
    virtual Text source_text() = 0;
    virtual Text source_selection() = 0;  // empty when nothing is selected
    virtual Text translation_text() = 0;
    virtual bool checked(CheckBox box) = 0;
    virtual Text coordinate_text() = 0;
    virtual int recognition_index() = 0;  // -1 when no item is current
    virtual int page() = 0;
    virtual Text licence_cell(int row, int column) = 0;

    virtual void set_status(Text caption, WriteGuard guard = {}) = 0;
    virtual void set_source_text(Text text, WriteGuard guard = {}) = 0;
    virtual void set_translation_text(Text text, WriteGuard guard = {}) = 0;
    virtual void set_checked(CheckBox box, bool checked) = 0;
    virtual void set_coordinate_text(Text text) = 0;
    virtual void set_recognition_index(int index) = 0;  // an index out of range selects nothing
    virtual void set_page(int page) = 0;
    virtual void set_button_caption(CaptureButton button, Text caption) = 0;
    virtual void set_notice(Text caption) = 0;
    virtual void set_browser_address(Text address) = 0;
    virtual void set_picture(Bytes bmp) = 0;
    // A cell of a row that does not exist is not written.
    virtual void set_licence_cell(int row, int column, Text text, WriteGuard guard = {}) = 0;
    virtual void set_clipboard(Text text, WriteGuard guard = {}) = 0;
};

}  // namespace textorin
