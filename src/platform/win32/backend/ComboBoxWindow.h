#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win32/backend/ChildWindow.h"

namespace win32 {

// A combo box: a system drop-down COMBOBOX. Its inner edit reports key presses; the combo box itself
// reports changes, list picks, the list closing and the focus.
class ComboBoxWindow : public ChildWindow<forms::ComboPeer> {
  public:
    ComboBoxWindow(Win32Backend& backend, forms::Form& form, forms::ComboBox& box);

    void setText(const std::string& text) override;
    void setForeColor(forms::Color color) override;
    void setFocus() override;
    forms::Selection selection() const override;
    void setSelection(const forms::Selection& selection) override;
    void setReadOnly(bool readOnly) override;
    void setListItems(const std::vector<std::string>& items) override;
    void setListIndex(int index) override;
    void setTopIndex(int index) override;
    void showDropDown() override;

  private:
    void applyFont() override;
    static LRESULT editProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* self);
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void place(const forms::Rect& device) override;
    LRESULT onNotification(HWND window, int code);
    void setNativeText(const std::wstring& text);

    forms::ComboBox& box_;
    std::vector<std::string> items_;  // what the native list holds
    // No Change from our own updates, nor from the system's own edit update after a list pick.
    bool settingText_ = false;
    bool picking_ = false;
    HWND edit_ = nullptr;
    std::optional<Subclass> editSubclass_;  // removed before the window is destroyed
};

}  // namespace win32
