#pragma once

#include <optional>
#include <string>

#include "forms/Geometry.h"
#include "state/State.h"

namespace hotkeys {

// The modifiers of an entry: any stored value but 0 is set.
forms::Modifiers ModifiersOf(const state::HotkeyEntry& entry);
// The virtual-key code of an entry: the code page 932 code of the first character of Key.
// Nothing when Key is empty or its first character has no single-byte code.
std::optional<unsigned> VirtualKey(const state::HotkeyEntry& entry);
// How a hotkey reads for a person: "Ctrl + Alt + T".
std::string HotkeyText(const state::HotkeyEntry& entry);

}  // namespace hotkeys
