#pragma once

#include "dialogs/Dialog.h"

namespace dialogs {

// The hotkey capture dialog: the modifiers come from the three check boxes, the key from the keyboard
// (A to Z and 0 to 9), caught before anything can be typed. OK stores the entry and registers the
// five hotkeys again.
class THotKeyOpt : public Dialog {
  public:
    THotKeyOpt(forms::Backend& backend, Host& host, state::LauncherState& s, platform::Platform& platform);

    forms::Label HotKeyTitle{*this, "HotKeyTitle"};
    forms::CheckBox HotC{*this, "HotC"};
    forms::CheckBox HotA{*this, "HotA"};
    forms::CheckBox HotS{*this, "HotS"};
    // Only the key capture writes it: typing, deleting and pasting cannot empty it or add to it.
    forms::TextBox HotW{*this, "HotW"};
    forms::CommandButton CancelButton{*this, "CancelButton"};
    forms::CommandButton OKButton{*this, "OKButton"};

    // The hotkey being edited, 0..4.
    int HK_IDGiven = 0;

    // Edits hotkey `id`, named `title`: the check boxes and the key field show its entry as it stands.
    void Edit(int id, const std::string& title);

  private:
    void CaptureKey(int& keyCode);
    void StoreAndRegister();
};

}  // namespace dialogs
