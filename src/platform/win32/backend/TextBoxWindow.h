#pragma once

#include <windows.h>

#include "platform/win32/backend/ChildWindow.h"

namespace win32 {

// A text box: a system EDIT control whose key presses, changes and focus go to the runtime.
class TextBoxWindow : public ChildWindow<forms::EditPeer> {
  public:
    TextBoxWindow(Win32Backend& backend, forms::Form& form, forms::TextBox& box);

    void setText(const std::string& text) override;
    forms::Selection selection() const override;
    void setSelection(const forms::Selection& selection) override;
    void setReadOnly(bool readOnly) override;

  private:
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

    forms::TextBox& box_;
    bool settingText_ = false;  // the runtime holds the text already: no Change from our own update
};

}  // namespace win32
