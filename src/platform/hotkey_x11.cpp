// Global hotkeys on X11: passive key grabs on the root window, made on Qt's own xcb connection
// so that the key presses arrive in Qt's native event filter. Each combination is grabbed with
// every state of CapsLock and NumLock, so a hotkey works whatever lock keys are on.
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>
#include <array>
#include <cstdlib>
#include <map>
#include <memory>
#include <vector>

#include "hotkeys/key_names.h"
#include "platform/global_hotkeys.h"

namespace textorin {
namespace {

// Windows virtual-key codes and the X key symbols of the same keys.
struct KeyPair {
    int vk;
    xcb_keysym_t keysym;
};
constexpr KeyPair kNamedKeys[] = {
    {3, 0xff6b},   {8, 0xff08},   {9, 0xff09},   {13, 0xff0d},  {16, 0xffe1},  {17, 0xffe3},
    {18, 0xffe9},  {19, 0xff13},  {20, 0xffe5},  {27, 0xff1b},  {32, 0x0020},  {33, 0xff55},
    {34, 0xff56},  {35, 0xff57},  {36, 0xff50},  {37, 0xff51},  {38, 0xff52},  {39, 0xff53},
    {40, 0xff54},  {45, 0xff63},  {46, 0xffff},  {91, 0xffeb},  {92, 0xffec},  {106, 0xffaa},
    {107, 0xffab}, {108, 0xffac}, {109, 0xffad}, {110, 0xffae}, {111, 0xffaf}, {144, 0xff7f},
    {145, 0xff14}, {186, 0x003b}, {187, 0x003d}, {188, 0x002c}, {189, 0x002d}, {190, 0x002e},
    {191, 0x002f}, {192, 0x0060}, {219, 0x005b}, {220, 0x005c}, {221, 0x005d}, {222, 0x0027},
};
constexpr xcb_keysym_t kNumLock = 0xff7f;

xcb_keysym_t keysym_of(int vk) {
    if (vk >= '0' && vk <= '9') return static_cast<xcb_keysym_t>(vk);
    if (vk >= 'A' && vk <= 'Z') return static_cast<xcb_keysym_t>(vk - 'A' + 'a');
    if (vk >= 0x60 && vk <= 0x69)
        return 0xffb0 + static_cast<xcb_keysym_t>(vk - 0x60);  // keypad digits
    if (vk >= 0x70 && vk <= 0x7f)
        return 0xffbe + static_cast<xcb_keysym_t>(vk - 0x70);  // F1 to F16
    for (const auto& [code, keysym] : kNamedKeys)
        if (code == vk) return keysym;
    return 0;
}

int vk_of(xcb_keysym_t keysym) {
    if (keysym >= '0' && keysym <= '9') return static_cast<int>(keysym);
    if (keysym >= 'a' && keysym <= 'z') return static_cast<int>(keysym - 'a' + 'A');
    if (keysym >= 'A' && keysym <= 'Z') return static_cast<int>(keysym);
    if (keysym >= 0xffb0 && keysym <= 0xffb9) return 0x60 + static_cast<int>(keysym - 0xffb0);
    if (keysym >= 0xffbe && keysym <= 0xffcd) return 0x70 + static_cast<int>(keysym - 0xffbe);
    if (keysym == 0xffe2) return 16;  // the right-hand Shift, Control and Alt keys
    if (keysym == 0xffe4) return 17;
    if (keysym == 0xffea) return 18;
    for (const auto& [code, sym] : kNamedKeys)
        if (sym == keysym) return code;
    return 0;
}

uint16_t x11_modifiers(std::uint32_t flags) {
    uint16_t m = 0;
    if (flags & kModAlt) m |= XCB_MOD_MASK_1;
    if (flags & kModControl) m |= XCB_MOD_MASK_CONTROL;
    if (flags & kModShift) m |= XCB_MOD_MASK_SHIFT;
    if (flags & kModWin) m |= XCB_MOD_MASK_4;
    return m;
}

}  // namespace

struct GlobalHotkeys::Impl {
    struct Grab {
        xcb_keycode_t keycode;
        uint16_t modifiers;
    };

    xcb_connection_t* connection = nullptr;
    xcb_window_t root = 0;
    xcb_key_symbols_t* symbols = nullptr;
    uint16_t num_lock = XCB_MOD_MASK_2;
    std::map<int, Grab> grabs;
    bool suspended = false;

    std::array<uint16_t, 4> lock_variants() const {
        return {0, XCB_MOD_MASK_LOCK, num_lock,
                static_cast<uint16_t>(XCB_MOD_MASK_LOCK | num_lock)};
    }

    // Finds the modifier that NumLock sets on this keyboard (usually Mod2).
    void find_num_lock() {
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, kNumLock);
        std::unique_ptr<xcb_get_modifier_mapping_reply_t, decltype(&std::free)> mapping(
            xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection),
                                           nullptr),
            &std::free);
        if (codes && mapping) {
            const xcb_keycode_t* map = xcb_get_modifier_mapping_keycodes(mapping.get());
            const int per = mapping->keycodes_per_modifier;
            for (int mod = 0; mod < 8; ++mod)
                for (int i = 0; i < per; ++i)
                    if (map[mod * per + i] != 0 && map[mod * per + i] == codes[0])
                        num_lock = static_cast<uint16_t>(1 << mod);
        }
        std::free(codes);
    }

    bool grab_all_variants(const Grab& g) {
        std::vector<xcb_void_cookie_t> cookies;
        for (uint16_t lock : lock_variants())
            cookies.push_back(xcb_grab_key_checked(connection, 1, root, g.modifiers | lock,
                                                   g.keycode, XCB_GRAB_MODE_ASYNC,
                                                   XCB_GRAB_MODE_ASYNC));
        bool ok = true;
        // A grab another client holds is refused at once, and reported synchronously here.
        for (const auto& cookie : cookies) {
            if (xcb_generic_error_t* error = xcb_request_check(connection, cookie)) {
                ok = false;
                std::free(error);
            }
        }
        if (!ok) ungrab_all_variants(g);
        return ok;
    }

    void ungrab_all_variants(const Grab& g) {
        for (uint16_t lock : lock_variants())
            xcb_ungrab_key(connection, g.keycode, root, g.modifiers | lock);
        xcb_flush(connection);
    }
};

GlobalHotkeys::GlobalHotkeys(QWidget*) : impl_(std::make_unique<Impl>()) {
    auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return;  // not on X11: no global hotkeys
    impl_->connection = x11->connection();
    impl_->root = xcb_setup_roots_iterator(xcb_get_setup(impl_->connection)).data->root;
    impl_->symbols = xcb_key_symbols_alloc(impl_->connection);
    impl_->find_num_lock();
    qApp->installNativeEventFilter(this);
}

GlobalHotkeys::~GlobalHotkeys() {
    if (!impl_->connection) return;
    qApp->removeNativeEventFilter(this);
    for (const auto& [id, g] : impl_->grabs)
        impl_->ungrab_all_variants(g);
    xcb_key_symbols_free(impl_->symbols);
}

bool GlobalHotkeys::grab(int id, std::uint32_t modifiers, int key) {
    if (!impl_->connection) return false;
    release(id);
    const xcb_keysym_t keysym = keysym_of(key);
    xcb_keycode_t* codes = keysym ? xcb_key_symbols_get_keycode(impl_->symbols, keysym) : nullptr;
    const xcb_keycode_t keycode = codes ? codes[0] : 0;
    std::free(codes);
    if (keycode == 0) return false;  // the keyboard cannot produce the key
    const Impl::Grab g{keycode, x11_modifiers(modifiers)};
    if (!impl_->suspended && !impl_->grab_all_variants(g)) return false;
    impl_->grabs[id] = g;
    return true;
}

void GlobalHotkeys::release(int id) {
    const auto it = impl_->grabs.find(id);
    if (it == impl_->grabs.end()) return;
    if (!impl_->suspended) impl_->ungrab_all_variants(it->second);
    impl_->grabs.erase(it);
}

void GlobalHotkeys::set_suspended(bool suspended) {
    if (!impl_->connection || suspended == impl_->suspended) return;
    impl_->suspended = suspended;
    for (const auto& [id, g] : impl_->grabs) {
        if (suspended) {
            impl_->ungrab_all_variants(g);
        } else {
            impl_->grab_all_variants(g);
        }
    }
}

int GlobalHotkeys::virtual_key(const QKeyEvent& event) const {
    if (!impl_->connection) return 0;
    const auto keycode = static_cast<xcb_keycode_t>(event.nativeScanCode());
    return vk_of(xcb_key_symbols_get_keysym(impl_->symbols, keycode, 0));
}

bool GlobalHotkeys::nativeEventFilter(const QByteArray& type, void* message, qintptr*) {
    if (type != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & ~0x80) != XCB_KEY_PRESS) return false;
    const auto* press = reinterpret_cast<const xcb_key_press_event_t*>(event);
    if (press->event != impl_->root) return false;
    const uint16_t relevant =
        XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;
    for (const auto& [id, g] : impl_->grabs) {
        if (g.keycode == press->detail && g.modifiers == (press->state & relevant)) {
            const int hit = id;
            QMetaObject::invokeMethod(
                this, [this, hit] { emit pressed(hit); }, Qt::QueuedConnection);
            return true;
        }
    }
    return false;
}

}  // namespace textorin
