#include "platform/win32/backend/ButtonWindows.h"

#include "forms/Control.h"
#include "forms/Form.h"
#include "platform/win32/backend/WindowMessages.h"

namespace win32 {

CommandButtonWindow::CommandButtonWindow(Win32Backend& backend, forms::Form& form, forms::Control& button)
    : StandardControl(backend, button) {
    // The default button wears the heavier frame that tells which button Enter presses.
    const bool isDefault = form.defaultButton() == &button;
    create(form, L"BUTTON", WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON));
}

LRESULT CommandButtonWindow::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kReflectedCommand) {
        if (HIWORD(wParam) == BN_CLICKED)
            control_.notifyClick();
        return 0;
    }
    return StandardControl::onMessage(window, message, wParam, lParam);
}

CheckBoxWindow::CheckBoxWindow(Win32Backend& backend, forms::Form& form, forms::CheckBox& box)
    : StandardControl(backend, box), box_(box) {
    create(form, L"BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX);
}

void CheckBoxWindow::setValue(int value) {
    // BM_SETCHECK sends no notification.
    ::SendMessageW(window(), BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
}

LRESULT CheckBoxWindow::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kReflectedCommand) {
        if (HIWORD(wParam) == BN_CLICKED) {
            const bool checked = ::SendMessageW(window, BM_GETCHECK, 0, 0) == BST_CHECKED;
            box_.notifyValueChanged(checked ? 1 : 0);
        }
        return 0;
    }
    return StandardControl::onMessage(window, message, wParam, lParam);
}

}  // namespace win32
