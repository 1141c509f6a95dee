#include "platform/win32/backend/ListBoxWindow.h"

#include <algorithm>

#include "platform/win32/Wide.h"
#include "platform/win32/backend/WindowMessages.h"

namespace win32 {

ListBoxWindow::ListBoxWindow(Win32Backend& backend, forms::Form& form, forms::ListBox& box)
    : StandardControl(backend, box), box_(box) {
    // No integral height: the list fills exactly the rectangle the window was laid out with.
    create(form, L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
           WS_EX_CLIENTEDGE);
}

void ListBoxWindow::setListItems(const std::vector<std::string>& items) {
    HWND list = window();
    // Entries added one by one arrive as the old list plus one: only the new ones are appended.
    const bool appended =
        items.size() >= items_.size() && std::equal(items_.begin(), items_.end(), items.begin());
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    if (!appended) {
        ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
        items_.clear();
    }
    for (std::size_t i = items_.size(); i < items.size(); ++i)
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(items[i]).c_str()));
    items_ = items;
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

void ListBoxWindow::setListIndex(int index) {
    ::SendMessageW(window(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int ListBoxWindow::topIndex() const {
    return static_cast<int>(::SendMessageW(window(), LB_GETTOPINDEX, 0, 0));
}

void ListBoxWindow::setTopIndex(int index) {
    ::SendMessageW(window(), LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

LRESULT ListBoxWindow::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kReflectedCommand)
        return StandardControl::onMessage(window, message, wParam, lParam);
    switch (HIWORD(wParam)) {
        case LBN_SELCHANGE: {
            const int index = static_cast<int>(::SendMessageW(window, LB_GETCURSEL, 0, 0));
            if (index >= 0)
                box_.notifyListPicked(index);
            return 0;
        }
        case LBN_DBLCLK:
            control_.notifyDblClick();
            return 0;
        default:
            return 0;
    }
}

}  // namespace win32
