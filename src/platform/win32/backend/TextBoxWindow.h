#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "forms/Backend.h"
#include "forms/Control.h"
#include "platform/win32/Handles.h"
#include "platform/win32/backend/ControlFont.h"
#include "platform/win32/backend/Subclass.h"

namespace win32 {

class Win32Backend;

// A text box: a system EDIT control whose key presses, changes and focus go to the runtime.
class TextBoxWindow : public forms::EditPeer {
  public:
    TextBoxWindow(Win32Backend& backend, forms::Form& form, forms::TextBox& box);
    ~TextBoxWindow() override = default;
    TextBoxWindow(const TextBoxWindow&) = delete;
    TextBoxWindow& operator=(const TextBoxWindow&) = delete;

    void setText(const std::string& text) override;
    void setRect(const forms::Rect& rect) override;
    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;
    void setFont(const forms::Font& font) override;
    void setForeColor(forms::Color color) override;
    void setFocus() override;
    forms::NativeWindow handle() const override;
    forms::Selection selection() const override;
    void setSelection(const forms::Selection& selection) override;
    void setReadOnly(bool readOnly) override;

  private:
    static LRESULT subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* self);
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    Win32Backend& backend_;
    forms::TextBox& box_;
    SharedFont font_;
    COLORREF color_ = 0;
    bool settingText_ = false;  // the runtime holds the text already: no Change from our own update
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    UniqueWindow window_;
    std::optional<Subclass> subclass_;  // removed before the window is destroyed
};

}  // namespace win32
