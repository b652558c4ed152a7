#include "hotkeys/hotkey_table.h"

#include <algorithm>

#include "hotkeys/key_names.h"
#include "platform/codepage.h"

namespace textorin {

bool HotkeyTable::register_hotkey(std::uint32_t modifiers, int key, std::function<void()> routine,
                                  int id) {
    if (grabbed_.erase(id)) backend_.release(id);
    if (id == 0) return false;
    if (key != 0) {
        const Combination wanted{modifiers, key};
        const bool taken = std::any_of(grabbed_.begin(), grabbed_.end(),
                                       [&](const auto& held) { return held.second == wanted; });
        if (taken || !backend_.grab(id, modifiers, key)) return false;
        grabbed_[id] = wanted;
    }
    entries_.push_back({id, std::move(routine)});
    return true;
}

bool HotkeyTable::dispatch(int id) const {
    const auto entry =
        std::find_if(entries_.begin(), entries_.end(), [id](const Entry& e) { return e.id == id; });
    if (entry == entries_.end()) return false;
    entry->routine();
    return true;
}

void register_slots(HotkeyTable& table, const SharedState& state, ViewPort& view,
                    const SlotRoutines& routines) {
    struct Slot {
        CaptureButton button;
        const char* prefix;
        const char* failure;
    };
    static constexpr Slot kSlots[] = {
        {CaptureButton::Region, "截图识别（主键+", "截图识别快捷键注册失败"},
        {CaptureButton::Coordinates, "取坐标图识别（主键+", "取坐标图识别快捷键注册失败"},
        {CaptureButton::LicenceFront, "正面截图识别（主键+", "正面截图识别快捷键注册失败"},
        {CaptureButton::LicenceBack, "副面截图识别（主键+", "副面截图识别快捷键注册失败"},
    };
    for (std::size_t k = 0; k < 4; ++k) {
        const int key = state.hotkey_keys[k];
        if (table.register_hotkey(modifier_flags(state.hotkey_modifiers[k]), key, routines[k],
                                  static_cast<int>(k) + 1)) {
            view.set_button_caption(kSlots[k].button,
                                    gbk(kSlots[k].prefix) + key_name(key) + gbk("）"));
        } else {
            view.set_status(gbk(kSlots[k].failure));
        }
    }
}

}  // namespace textorin
