#include "hotkeys/HotkeyHook.h"

#include "forms/Utf8.h"
#include "mainwindow/MainF.h"
#include "platform/TextCodec.h"

namespace hotkeys {

void InstallHotkeyHook(mainwindow::MainF& form) {
    form.state().PrevWndProc = form.platform().replaceWindowProc(
        form.handle(),
        [&form](forms::NativeWindow hwnd, unsigned msg, std::uintptr_t wParam, std::intptr_t lParam) {
            return HotkeyWindowProc(form, hwnd, msg, wParam, lParam);
        });
}

void RemoveHotkeyHook(mainwindow::MainF& form) {
    form.platform().restoreWindowProc(form.handle(), form.state().PrevWndProc);
}

std::intptr_t HotkeyWindowProc(mainwindow::MainF& form, forms::NativeWindow hwnd, unsigned msg,
                               std::uintptr_t wParam, std::intptr_t lParam) {
    if (msg == platform::kWmHotkey)
        form.MyMsg(hwnd, msg, wParam, lParam);
    return form.platform().callWindowProc(form.state().PrevWndProc, hwnd, msg, wParam, lParam);
}

unsigned ModifierMask(const state::HotkeyEntry& entry) {
    unsigned mask = 0;
    if (entry.Ctrl != 0)
        mask |= 2;
    if (entry.Alt != 0)
        mask |= 1;
    if (entry.Shift != 0)
        mask |= 4;
    return mask;
}

std::optional<unsigned> VirtualKey(const state::HotkeyEntry& entry) {
    if (entry.Key.empty())
        return std::nullopt;
    const platform::CodecResult first = platform::toCp932(forms::characterSlice(entry.Key, 0, 1));
    if (!first.ok || first.text.size() != 1)
        return std::nullopt;
    return static_cast<unsigned char>(first.text[0]);
}

std::string HotkeyText(const state::HotkeyEntry& entry) {
    std::string text;
    if (entry.Ctrl == 1)
        text += "Ctrl + ";
    if (entry.Alt == 1)
        text += "Alt + ";
    if (entry.Shift == 1)
        text += "Shift + ";
    return text + entry.Key;
}

}  // namespace hotkeys
