#include "app/settings_load.h"

namespace textorin {

void load_settings(const SettingsFile& settings, SharedState& state, ViewPort& view,
                   const std::function<void()>& register_hotkeys) {
    view.set_checked(CheckBox::MergeText, settings.read_check(keys::kMergeText));
    view.set_checked(CheckBox::SyncClipboard, settings.read_check(keys::kSyncClipboard));
    view.set_checked(CheckBox::SyncCoordinates, settings.read_check(keys::kSyncCoordinates));
    view.set_coordinate_text(settings.read_text(keys::kCoordinates));
    view.set_recognition_index(settings.read_integer(keys::kRecognition));
    view.set_page(settings.read_integer(keys::kPage));
    for (std::size_t slot = 0; slot < 4; ++slot)
        state.hotkey_modifiers[slot] = settings.read_integer(keys::kHotkeyModifier[slot]);
    for (std::size_t slot = 0; slot < 4; ++slot)
        state.hotkey_keys[slot] = settings.read_integer(keys::kHotkeyKey[slot]);
    if (register_hotkeys) register_hotkeys();
}

}  // namespace textorin
