// System-wide hotkeys of the window system, delivered to the user-interface thread. The one
// seam of the platform layer that needs Qt: its key events arrive through Qt's native event
// filter. One implementation file per platform (hotkey_x11.cpp, hotkey_win.cpp).
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <memory>

#include "hotkeys/hotkey_table.h"

class QKeyEvent;
class QWidget;

namespace textorin {

class GlobalHotkeys : public QObject, public HotkeyBackend, public QAbstractNativeEventFilter {
    Q_OBJECT

  public:
    // For hotkeys of `window`; without a connection to the window system every grab fails.
    explicit GlobalHotkeys(QWidget* window);
    ~GlobalHotkeys() override;

    bool grab(int id, std::uint32_t modifiers, int key) override;
    void release(int id) override;

    // While suspended no combination is grabbed (a dialog is reading keys); resuming grabs
    // them all again.
    void set_suspended(bool suspended);

    // The Windows virtual-key code of a key event's key, taken from its unshifted symbol (Shift
    // with 1 gives the code of "1"); 0 when it has none.
    int virtual_key(const QKeyEvent& event) const;

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr* result) override;

  signals:
    // Queued: never emitted from inside the native event filter's call.
    void pressed(int id);

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace textorin
