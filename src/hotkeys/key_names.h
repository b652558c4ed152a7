// Names of Windows virtual-key codes as the hotkey window shows them, and the modifier choices.
#pragma once

#include <cstdint>

#include "text/text.h"

namespace textorin {

// "A键", "F1键", "回车键", ... (GBK); empty for a code without a name.
Text key_name(int code);

// Windows modifier flags.
enum ModifierFlag : std::uint32_t {
    kModAlt = 0x1,
    kModControl = 0x2,
    kModShift = 0x4,
    kModWin = 0x8
};

// The flags of a modifier choice: 0 none, 1 Alt, 2 Ctrl, 3 Shift, 4 Win; any other index
// registers without a modifier.
std::uint32_t modifier_flags(int index);

}  // namespace textorin
