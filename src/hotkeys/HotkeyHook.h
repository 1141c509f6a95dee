#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "forms/Geometry.h"
#include "state/State.h"

namespace mainwindow {
class MainF;
}

namespace hotkeys {

// Puts HotkeyWindowProc in place of the main window's procedure; PrevWndProc keeps the old one.
void InstallHotkeyHook(mainwindow::MainF& form);
// Puts the window's own procedure back.
void RemoveHotkeyHook(mainwindow::MainF& form);

// Sees every message of the main window: a hotkey runs MyMsg, and every message, the hotkey's
// too, goes on to the window's own procedure.
std::intptr_t HotkeyWindowProc(mainwindow::MainF& form, forms::NativeWindow hwnd, unsigned msg,
                               std::uintptr_t wParam, std::intptr_t lParam);

// The system's modifier mask of an entry: MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4.
unsigned ModifierMask(const state::HotkeyEntry& entry);
// The virtual-key code of an entry: the code page 932 code of the first character of Key.
// Nothing when Key is empty or its first character has no single-byte code.
std::optional<unsigned> VirtualKey(const state::HotkeyEntry& entry);
// How a hotkey reads for a person: "Ctrl + Alt + T".
std::string HotkeyText(const state::HotkeyEntry& entry);

}  // namespace hotkeys
