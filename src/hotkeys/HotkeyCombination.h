#pragma once

#include <optional>
#include <string>

#include "state/State.h"

namespace hotkeys {

// The system's modifier mask of an entry: MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4.
unsigned ModifierMask(const state::HotkeyEntry& entry);
// The virtual-key code of an entry: the code page 932 code of the first character of Key.
// Nothing when Key is empty or its first character has no single-byte code.
std::optional<unsigned> VirtualKey(const state::HotkeyEntry& entry);
// How a hotkey reads for a person: "Ctrl + Alt + T".
std::string HotkeyText(const state::HotkeyEntry& entry);

}  // namespace hotkeys
