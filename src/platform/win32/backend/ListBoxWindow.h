#pragma once

#include <string>
#include <vector>

#include "platform/win32/backend/StandardControl.h"

namespace win32 {

// A list box or file list box: a system LISTBOX with a single selection. The person's pick (mouse or
// keys) is reported once through LBN_SELCHANGE; a selection set by code sends nothing natively.
class ListBoxWindow : public StandardControl<forms::ListPeer> {
  public:
    ListBoxWindow(Win32Backend& backend, forms::Form& form, forms::ListBox& box);

    void setListItems(const std::vector<std::string>& items) override;
    void setListIndex(int index) override;
    int topIndex() const override;
    void setTopIndex(int index) override;

  protected:
    LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    int backgroundColorIndex() const override { return COLOR_WINDOW; }

  private:
    forms::ListBox& box_;
    std::vector<std::string> items_;  // what the native list holds
};

}  // namespace win32
