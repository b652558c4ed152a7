// Global hotkeys on Windows: RegisterHotKey for the main window, WM_HOTKEY through Qt's native
// event filter.
#include <windows.h>

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>
#include <map>

#include "platform/global_hotkeys.h"

namespace textorin {

struct GlobalHotkeys::Impl {
    HWND window = nullptr;
    std::map<int, std::pair<UINT, UINT>> grabs;  // id -> modifiers, key
    bool suspended = false;
};

GlobalHotkeys::GlobalHotkeys(QWidget* window) : impl_(std::make_unique<Impl>()) {
    impl_->window = reinterpret_cast<HWND>(window->winId());
    QCoreApplication::instance()->installNativeEventFilter(this);
}

GlobalHotkeys::~GlobalHotkeys() {
    QCoreApplication::instance()->removeNativeEventFilter(this);
    for (const auto& [id, g] : impl_->grabs)
        UnregisterHotKey(impl_->window, id);
}

bool GlobalHotkeys::grab(int id, std::uint32_t modifiers, int key) {
    release(id);
    if (!impl_->suspended && !RegisterHotKey(impl_->window, id, modifiers, static_cast<UINT>(key)))
        return false;
    impl_->grabs[id] = {modifiers, static_cast<UINT>(key)};
    return true;
}

void GlobalHotkeys::release(int id) {
    if (!impl_->grabs.erase(id)) return;
    if (!impl_->suspended) UnregisterHotKey(impl_->window, id);
}

void GlobalHotkeys::set_suspended(bool suspended) {
    if (suspended == impl_->suspended) return;
    impl_->suspended = suspended;
    for (const auto& [id, g] : impl_->grabs) {
        if (suspended) {
            UnregisterHotKey(impl_->window, id);
        } else {
            RegisterHotKey(impl_->window, id, g.first, g.second);
        }
    }
}

int GlobalHotkeys::virtual_key(const QKeyEvent& event) const {
    return static_cast<int>(event.nativeVirtualKey());
}

bool GlobalHotkeys::nativeEventFilter(const QByteArray& type, void* message, qintptr* result) {
    if (type != "windows_generic_MSG") return false;
    const MSG* msg = static_cast<const MSG*>(message);
    if (msg->message != WM_HOTKEY || !impl_->grabs.count(static_cast<int>(msg->wParam)))
        return false;
    const int id = static_cast<int>(msg->wParam);
    QMetaObject::invokeMethod(
        this, [this, id] { emit pressed(id); }, Qt::QueuedConnection);
    *result = 0;
    return true;
}

}  // namespace textorin
