#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/Backend.h"
#include "forms/Control.h"
#include "platform/win32/Handles.h"
#include "platform/win32/backend/ControlFont.h"
#include "platform/win32/backend/Subclass.h"

namespace win32 {

class Win32Backend;

// A combo box: a system drop-down COMBOBOX. Its inner edit reports key presses; the combo box itself
// reports changes, list picks, the list closing and the focus.
class ComboBoxWindow : public forms::ComboPeer {
  public:
    ComboBoxWindow(Win32Backend& backend, forms::Form& form, forms::ComboBox& box);
    ~ComboBoxWindow() override = default;
    ComboBoxWindow(const ComboBoxWindow&) = delete;
    ComboBoxWindow& operator=(const ComboBoxWindow&) = delete;

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
    void setListItems(const std::vector<std::string>& items) override;
    void setListIndex(int index) override;
    void setTopIndex(int index) override;
    void showDropDown() override;

    HWND editWindow() const { return edit_; }

  private:
    static LRESULT comboProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* self);
    static LRESULT editProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* self);
    LRESULT handleComboMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT onNotification(HWND window, int code);
    void setNativeText(const std::wstring& text);

    Win32Backend& backend_;
    forms::ComboBox& box_;
    SharedFont font_;
    COLORREF color_ = 0;
    forms::Rect rect_;
    std::vector<std::string> items_;  // what the native list holds
    // No Change from our own updates, nor from the system's own edit update after a list pick.
    bool settingText_ = false;
    bool picking_ = false;
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    UniqueWindow window_;
    HWND edit_ = nullptr;
    std::optional<Subclass> comboSubclass_;  // both removed before the window is destroyed
    std::optional<Subclass> editSubclass_;
};

}  // namespace win32
