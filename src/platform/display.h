// Whether the desktop the program draws on and captures can be reached.
#pragma once

namespace textorin {

// On X11: a connection to the X server can be opened (XWayland counts).
bool display_available();

}  // namespace textorin
