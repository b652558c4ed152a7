#include <xcb/xcb.h>

#include "platform/display.h"

namespace textorin {

bool display_available() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool ok = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return ok;
}

}  // namespace textorin
