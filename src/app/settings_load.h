// Restoring the saved choices into the window and the hotkey arrays at start.
#pragma once

#include <functional>

#include "app/settings_file.h"
#include "app/shared_state.h"
#include "app/view_port.h"

namespace textorin {

// Reads every saved choice in order: the three check boxes, the coordinate text, the
// recognition item, the page, the hotkey modifiers and keys; then registers the hotkeys.
// Nothing is written back: the view must not take these settings for user changes.
void load_settings(const SettingsFile& settings, SharedState& state, ViewPort& view,
                   const std::function<void()>& register_hotkeys);

}  // namespace textorin
