#include "dialogs/hotkey/THotKeyOpt.h"

#include "hotkeys/HotkeyCombination.h"

namespace dialogs {

THotKeyOpt::THotKeyOpt(forms::Backend& backend, Host& host, state::LauncherState& s,
                       platform::Platform& platform)
    : Dialog(backend, "THotKeyOpt", host, s, platform, "Tolvane HotKey Option", 278, 104) {
    setKeyPreview(true);

    HotKeyTitle.move(8, 8, 249, 17);
    HotC.move(16, 40, 49, 17).setCaption("Ctrl");
    HotA.move(80, 40, 49, 17).setCaption("Alt");
    HotS.move(144, 40, 57, 17).setCaption("Shift");
    HotW.move(216, 40, 49, 18).setAccessibleName("キー");
    HotW.setLocked(true);
    CancelButton.move(104, 72, 81, 25).setCaption("ｷｬﾝｾﾙ");
    OKButton.move(192, 72, 81, 25).setCaption("OK");
    // OK first, so that it has the focus when the dialog opens.
    int tab = 0;
    for (forms::Control* c :
         std::initializer_list<forms::Control*>{&OKButton, &CancelButton, &HotC, &HotA, &HotS, &HotW})
        c->setTabIndex(tab++);

    onKeyDown = [this](int& keyCode, int) { CaptureKey(keyCode); };
    // Nothing is ever typed: the key comes from KeyDown alone, and Backspace erases nothing.
    onKeyPress = [](int& keyAscii) { keyAscii = 0; };
    OKButton.onClick = [this] { StoreAndRegister(); };
    CancelButton.onClick = [this] { unload(); };
}

void THotKeyOpt::Edit(int id, const std::string& title) {
    const state::HotkeyEntry& entry = s_.Hotkeys.at(static_cast<std::size_t>(id));
    HotKeyTitle.setCaption(title);
    // Any value but 0 is set, as registration reads it; OK writes 0 or 1 back.
    HotC.setValue(entry.Ctrl != 0 ? 1 : 0);
    HotA.setValue(entry.Alt != 0 ? 1 : 0);
    HotS.setValue(entry.Shift != 0 ? 1 : 0);
    HotW.setText(entry.Key);
    HK_IDGiven = id;
}

// The Shift mask is not read: the modifiers come only from the check boxes.
void THotKeyOpt::CaptureKey(int& keyCode) {
    if ((keyCode >= 'A' && keyCode <= 'Z') || (keyCode >= '0' && keyCode <= '9')) {
        HotW.setText(std::string(1, static_cast<char>(keyCode)));
    } else if (keyCode == forms::kKeyReturn) {
        keyCode = 0;
        StoreAndRegister();
    } else if (keyCode == forms::kKeyEscape) {
        keyCode = 0;
        unload();
    }
}

void THotKeyOpt::StoreAndRegister() {
    const int id = HK_IDGiven;
    state::HotkeyEntry& entry = s_.Hotkeys.at(static_cast<std::size_t>(id));
    entry.Ctrl = static_cast<state::Integer>(HotC.value() == 1 ? 1 : 0);
    entry.Alt = static_cast<state::Integer>(HotA.value() == 1 ? 1 : 0);
    entry.Shift = static_cast<state::Integer>(HotS.value() == 1 ? 1 : 0);
    entry.Key = HotW.text();
    host_.RegisterHotkeys();
    // Stored all the same (the next save writes it), but the person learns that it does nothing.
    if (!host_.HotkeyWorks(id)) {
        platform_.messageBox(hotkeys::HotkeyText(entry) +
                                 " は登録できませんでした。\r\n"
                                 "ほかのプログラムか、ほかのホットキーがこの組み合わせを使っています。",
                             platform::MessageButtons::Ok);
    }
    unload();
}

}  // namespace dialogs
