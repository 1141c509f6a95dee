#pragma once

#include <array>
#include <optional>

#include "forms/Form.h"
#include "state/State.h"

namespace hotkeys {

// The five hotkeys as the system holds them for one window: which combination each id holds, and
// registering and releasing them on that window, whose onHotkey then receives them.
class Registrations {
  public:
    explicit Registrations(forms::Form& window) : window_(window) {}

    // Registers the five entries. A hotkey that already holds its combination keeps it; a changed one
    // gives up its old combination first; one that the system refuses stays unregistered (and is tried
    // again next time) without disturbing the others.
    void Set_HK_ID(const state::HotkeyTable& entries);
    // Gives all five back to the system, the last id first.
    void ReleaseAll();
    // Whether hotkey `id` holds its combination now.
    bool Registered(int id) const {
        return id >= 0 && id < state::kHotkeyCount && held_[static_cast<std::size_t>(id)].has_value();
    }

  private:
    // A combination: modifiers and virtual key.
    struct Held {
        forms::Modifiers modifiers;
        unsigned key = 0;
        bool operator==(const Held&) const = default;
    };

    forms::Form& window_;
    std::array<std::optional<Held>, state::kHotkeyCount> held_{};
};

}  // namespace hotkeys
