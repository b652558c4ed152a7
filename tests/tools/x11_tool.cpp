// Small X11 helpers for the end-to-end tests, on the display named by DISPLAY:
//   x11_tool screenshot FILE.png   saves the whole screen
//   x11_tool close WINDOW          asks a window to close, as a window manager's close button does
//   x11_tool pattern -             paints the screen's background with the test pattern
//   x11_tool grab KEYSYM MODMASK   grabs a key combination on the root window, as another
//                                  program holding a hotkey would, until it is killed
//   x11_tool windows -             lists the mapped top-level windows: id x y width height name
//   x11_tool wait-mapped PREFIX MS waits until a top-level window whose name starts with PREFIX
//                                  is mapped; prints its id (exit 1 when the time runs out)
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include <algorithm>
#include <vector>

#include "e2e/pattern.h"
#include "platform/files.h"
#include "platform/image.h"

namespace {

template <class T>
using Reply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    Reply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

int screenshot(xcb_connection_t* c, const char* file) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const int w = screen->width_in_pixels, h = screen->height_in_pixels;
    Reply<xcb_get_image_reply_t> image(
        xcb_get_image_reply(c,
                            xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, 0, 0,
                                          static_cast<uint16_t>(w), static_cast<uint16_t>(h), ~0u),
                            nullptr),
        &std::free);
    if (!image || image->depth != 24) return 1;
    // A 24-bit screen comes as 32-bit pixels, blue first; the fourth byte is padding.
    uint8_t* pixels = xcb_get_image_data(image.get());
    for (int i = 0; i < w * h; ++i)
        pixels[i * 4 + 3] = 255;
    textorin::Bytes png;
    const textorin::PixelView view{pixels, w, h, std::ptrdiff_t{w} * 4,
                                   textorin::PixelLayout::Bgra};
    return textorin::encode_png(view, png) && textorin::write_file(file, png) ? 0 : 1;
}

int close_window(xcb_connection_t* c, xcb_window_t window) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = atom(c, "WM_PROTOCOLS");
    event.data.data32[0] = atom(c, "WM_DELETE_WINDOW");
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
    return xcb_flush(c) > 0 ? 0 : 1;
}

int paint_pattern(xcb_connection_t* c) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const int w = screen->width_in_pixels, h = screen->height_in_pixels;
    const xcb_pixmap_t pixmap = xcb_generate_id(c);
    xcb_create_pixmap(c, screen->root_depth, pixmap, screen->root, static_cast<uint16_t>(w),
                      static_cast<uint16_t>(h));
    const xcb_gcontext_t gc = xcb_generate_id(c);
    xcb_create_gc(c, gc, pixmap, 0, nullptr);
    const int band = 32;  // rows per request, well below the request size limit
    std::vector<uint8_t> rows(std::size_t(w) * band * 4);
    for (int top = 0; top < h; top += band) {
        const int n = std::min(band, h - top);
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < w; ++x) {
                const auto p = textorin::testing::pattern_pixel(x, top + y);
                uint8_t* q = &rows[(std::size_t(y) * w + x) * 4];
                q[0] = p.b, q[1] = p.g, q[2] = p.r, q[3] = 0;
            }
        xcb_put_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, static_cast<uint16_t>(w),
                      static_cast<uint16_t>(n), 0, static_cast<int16_t>(top), 0, screen->root_depth,
                      static_cast<uint32_t>(std::size_t(w) * n * 4), rows.data());
    }
    xcb_change_window_attributes(c, screen->root, XCB_CW_BACK_PIXMAP, &pixmap);
    xcb_clear_area(c, 0, screen->root, 0, 0, 0, 0);
    xcb_free_gc(c, gc);
    xcb_free_pixmap(c, pixmap);
    Reply<xcb_get_input_focus_reply_t> sync(
        xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr), &std::free);
    return sync ? 0 : 1;
}

int hold_grab(xcb_connection_t* c, xcb_keysym_t keysym, uint16_t modifiers) {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(c);
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
    if (!codes) return 1;
    // Checked, so the grab is in force on the server before "grabbed" is printed.
    xcb_generic_error_t* error =
        xcb_request_check(c, xcb_grab_key_checked(c, 1, root, modifiers, codes[0],
                                                  XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    std::free(codes);
    xcb_key_symbols_free(symbols);
    if (error) {
        std::free(error);
        return 1;
    }

    std::puts("grabbed");
    std::fflush(stdout);
    for (;;)
        pause();
}

struct TopWindow {
    xcb_window_t id;
    int x, y, width, height;
    std::string name;
};

// The mapped top-level windows with their geometry and WM_NAME.
std::vector<TopWindow> mapped_windows(xcb_connection_t* c) {
    std::vector<TopWindow> list;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(c, xcb_query_tree(c, root), nullptr),
                                       &std::free);
    if (!tree) return list;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
        Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, children[i]), nullptr),
            &std::free);
        Reply<xcb_get_geometry_reply_t> geometry(
            xcb_get_geometry_reply(c, xcb_get_geometry(c, children[i]), nullptr), &std::free);
        if (!attributes || !geometry || attributes->map_state != XCB_MAP_STATE_VIEWABLE) continue;
        Reply<xcb_get_property_reply_t> name(
            xcb_get_property_reply(c,
                                   xcb_get_property(c, 0, children[i], XCB_ATOM_WM_NAME,
                                                    XCB_GET_PROPERTY_TYPE_ANY, 0, 256),
                                   nullptr),
            &std::free);
        list.push_back(
            {children[i], geometry->x, geometry->y, geometry->width, geometry->height,
             name ? std::string(static_cast<const char*>(xcb_get_property_value(name.get())),
                                static_cast<std::size_t>(xcb_get_property_value_length(name.get())))
                  : std::string()});
    }
    return list;
}

int list_windows(xcb_connection_t* c) {
    for (const TopWindow& w : mapped_windows(c))
        std::printf("%u %d %d %d %d %s\n", w.id, w.x, w.y, w.width, w.height, w.name.c_str());
    return 0;
}

int wait_mapped(xcb_connection_t* c, const std::string& prefix, long milliseconds) {
    for (long waited = 0; waited <= milliseconds; waited += 2) {
        for (const TopWindow& w : mapped_windows(c)) {
            if (w.name.starts_with(prefix)) {
                std::printf("%u\n", w.id);
                return 0;
            }
        }
        usleep(2000);
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs(
            "usage: x11_tool screenshot FILE.png | close WINDOW | pattern - | wait-mapped PREFIX "
            "MS\n",
            stderr);
        return 2;
    }
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fputs("x11_tool: no X display\n", stderr);
        return 1;
    }
    const std::string command = argv[1];
    int rc = 2;
    if (command == "screenshot") {
        rc = screenshot(c, argv[2]);
    } else if (command == "close") {
        rc = close_window(c, static_cast<xcb_window_t>(std::strtoul(argv[2], nullptr, 0)));
    } else if (command == "windows") {
        rc = list_windows(c);
    } else if (command == "pattern") {
        rc = paint_pattern(c);
    } else if (command == "grab" && argc == 4) {
        rc = hold_grab(c, static_cast<xcb_keysym_t>(std::strtoul(argv[2], nullptr, 0)),
                       static_cast<uint16_t>(std::strtoul(argv[3], nullptr, 0)));
    } else if (command == "wait-mapped" && argc == 4) {
        rc = wait_mapped(c, argv[2], std::strtol(argv[3], nullptr, 10));
    }
    xcb_disconnect(c);
    return rc;
}
