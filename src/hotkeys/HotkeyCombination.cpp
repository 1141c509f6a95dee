#include "hotkeys/HotkeyCombination.h"

#include "forms/Utf8.h"
#include "platform/TextCodec.h"

namespace hotkeys {

forms::Modifiers ModifiersOf(const state::HotkeyEntry& entry) {
    return {.shift = entry.Shift != 0, .ctrl = entry.Ctrl != 0, .alt = entry.Alt != 0};
}

std::optional<unsigned> VirtualKey(const state::HotkeyEntry& entry) {
    if (entry.Key.empty())
        return std::nullopt;
    const platform::Outcome<std::string> first = platform::toCp932(forms::characterSlice(entry.Key, 0, 1));
    if (!first || first->size() != 1)
        return std::nullopt;
    return static_cast<unsigned char>((*first)[0]);
}

// Any value but 0 counts as set, as in ModifiersOf: a hand-edited settings file may hold 2 or -1.
std::string HotkeyText(const state::HotkeyEntry& entry) {
    std::string text;
    if (entry.Ctrl != 0)
        text += "Ctrl + ";
    if (entry.Alt != 0)
        text += "Alt + ";
    if (entry.Shift != 0)
        text += "Shift + ";
    return text + entry.Key;
}

}  // namespace hotkeys
