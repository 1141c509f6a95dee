#include "hotkeys/Registrations.h"

#include "hotkeys/HotkeyCombination.h"

namespace hotkeys {

void Registrations::Set_HK_ID(const state::HotkeyTable& entries) {
    std::array<std::optional<Held>, state::kHotkeyCount> wanted{};
    for (std::size_t id = 0; id < wanted.size(); ++id) {
        // An entry without a usable key stays unregistered; the others still work.
        if (const auto key = VirtualKey(entries[id]))
            wanted[id] = Held{ModifiersOf(entries[id]), *key};
    }
    // Every replaced combination is given up before any is taken, so that two hotkeys can swap their
    // combinations, and a replaced one stops working at once.
    for (std::size_t id = 0; id < wanted.size(); ++id) {
        if (held_[id] == wanted[id] && held_[id])
            continue;
        window_.unregisterHotkey(static_cast<int>(id));
        held_[id].reset();
    }
    for (std::size_t id = 0; id < wanted.size(); ++id) {
        if (held_[id] || !wanted[id])
            continue;
        if (window_.registerHotkey(static_cast<int>(id), wanted[id]->modifiers, wanted[id]->key))
            held_[id] = wanted[id];
    }
}

void Registrations::ReleaseAll() {
    for (int id = state::kHotkeyCount - 1; id >= 0; --id) {
        window_.unregisterHotkey(id);
        held_[static_cast<std::size_t>(id)].reset();
    }
}

}  // namespace hotkeys
