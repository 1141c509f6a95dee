#pragma once

#include "platform/win32/backend/StandardControl.h"

namespace win32 {

// A push button: a system BUTTON whose BN_CLICKED (mouse, space bar) is the control's Click. Enter on
// the focused button is the runtime's own key action.
class CommandButtonWindow : public StandardControl<forms::ControlPeer> {
  public:
    CommandButtonWindow(Win32Backend& backend, forms::Form& form, forms::Control& button);

  protected:
    LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A check box: a system BS_AUTOCHECKBOX. The person's click flips the box natively and reports the new
// value; a value set by code is only shown (the runtime raises its Click).
class CheckBoxWindow : public StandardControl<forms::CheckPeer> {
  public:
    CheckBoxWindow(Win32Backend& backend, forms::Form& form, forms::CheckBox& box);
    void setValue(int value) override;

  protected:
    LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    forms::CheckBox& box_;
};

}  // namespace win32
