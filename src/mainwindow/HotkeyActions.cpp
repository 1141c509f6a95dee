// The main window's hotkey methods: registration, dispatch and the window-order toggle.
#include "hotkeys/HotkeyCombination.h"
#include "mainwindow/MainF.h"

namespace mainwindow {

void MainF::Set_HK_ID() {
    std::array<std::optional<HeldHotkey>, state::kHotkeyCount> wanted{};
    for (std::size_t id = 0; id < wanted.size(); ++id) {
        const state::HotkeyEntry& entry = s_.Hotkeys[id];
        // An entry without a usable key stays unregistered; the others still work.
        if (const auto key = hotkeys::VirtualKey(entry))
            wanted[id] = HeldHotkey{hotkeys::ModifierMask(entry), *key};
    }
    // Every replaced combination is given up before any is taken, so that two hotkeys can swap their
    // combinations, and a replaced one stops working at once.
    for (std::size_t id = 0; id < wanted.size(); ++id) {
        if (heldHotkeys_[id] == wanted[id] && heldHotkeys_[id])
            continue;
        unregisterHotkey(static_cast<int>(id));
        heldHotkeys_[id].reset();
    }
    for (std::size_t id = 0; id < wanted.size(); ++id) {
        if (heldHotkeys_[id] || !wanted[id])
            continue;
        if (registerHotkey(static_cast<int>(id), wanted[id]->modifiers, wanted[id]->key))
            heldHotkeys_[id] = wanted[id];
    }
}

void MainF::ReleaseHotkeys() {
    for (int id = state::kHotkeyCount - 1; id >= 0; --id) {
        unregisterHotkey(id);
        heldHotkeys_[static_cast<std::size_t>(id)].reset();
    }
}

bool MainF::HotkeyRegistered(int id) const {
    return id >= 0 && id < state::kHotkeyCount && heldHotkeys_[static_cast<std::size_t>(id)].has_value();
}

void MainF::MyMsg(int id) {
    switch (id) {
        case 0: {
            // The hotkey toggles the window order even while the mouse toggle is locked.
            const state::Integer kept = s_.ZOrderLock;
            if (kept == 1)
                s_.ZOrderLock = 0;
            ToggleZOrder();
            s_.ZOrderLock = kept;
            break;
        }
        case 1:
            SwitchMode();
            break;
        case 2:
            OpenCommandBox();
            break;
        case 3:
            if (s_.Mode == 1)
                SwitchMode();
            OpenCommandBox();
            break;
        case 4:
            if (s_.Mode == 0)
                SwitchMode();
            OpenCommandBox();
            break;
        default:
            break;
    }
}

void MainF::ToggleZOrder() {
    if (s_.ZOrderLock == 1)
        return;
    s_.ZOrderBottom = s_.ZOrderBottom == 1 ? 0 : 1;
    ApplyWindowOrder();
}

void MainF::ApplyWindowOrder() {
    if (s_.ZOrderBottom != 0) {
        zoL.setCaption("B");
        platform_.setWindowOrder(handle(), platform::WindowOrder::Bottom);
    } else {
        zoL.setCaption("T");
        platform_.setWindowOrder(handle(), platform::WindowOrder::Topmost);
    }
}

}  // namespace mainwindow
