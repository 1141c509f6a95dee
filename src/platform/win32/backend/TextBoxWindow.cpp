#include "platform/win32/backend/TextBoxWindow.h"

#include "forms/Form.h"
#include "platform/win32/Wide.h"
#include "platform/win32/backend/EditText.h"
#include "platform/win32/backend/KeyPress.h"
#include "platform/win32/backend/Win32Backend.h"
#include "platform/win32/backend/WindowMessages.h"

namespace win32 {

TextBoxWindow::TextBoxWindow(Win32Backend& backend, forms::Form& form, forms::TextBox& box)
    : ChildWindow(backend, box), box_(box) {
    create(form, L"EDIT", WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE);
}

void TextBoxWindow::setText(const std::string& text) {
    const std::wstring wide = widen(text);
    // Setting the same text again would only move the caret to the start while the person types.
    if (windowText(window()) == wide)
        return;
    settingText_ = true;
    ::SetWindowTextW(window(), wide.c_str());
    settingText_ = false;
}

forms::Selection TextBoxWindow::selection() const {
    return selectionInCharacters(window(), EM_GETSEL);
}

void TextBoxWindow::setSelection(const forms::Selection& selection) {
    const auto [start, end] = selectionInUnits(windowText(window()), selection);
    ::SendMessageW(window(), EM_SETSEL, start, end);
}

void TextBoxWindow::setReadOnly(bool readOnly) {
    ::SendMessageW(window(), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

// A handler may unload the form, which deletes this peer: nothing of it is used after the event.
LRESULT TextBoxWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CHAR: {
            const std::weak_ptr<int> alive = alive_;
            const int code = box_.notifyKeyPress(static_cast<int>(wParam));
            if (alive.expired() || !passesToEdit(code))
                return 0;
            return Subclass::original(window, WM_CHAR, static_cast<WPARAM>(code), lParam);
        }
        case WM_LBUTTONDBLCLK: {
            // The edit selects the word first, as it always does; then the program hears of it.
            const LRESULT result = Subclass::original(window, message, wParam, lParam);
            box_.notifyDblClick();
            return result;
        }
        case kReflectedCommand:
            switch (HIWORD(wParam)) {
                case EN_CHANGE:
                    if (!settingText_)
                        box_.notifyTextChanged(narrow(windowText(window)));
                    return 0;
                case EN_SETFOCUS:
                    box_.form().notifyFocus(&box_);
                    return 0;
                case EN_KILLFOCUS:
                    if (box_.hasFocus())
                        box_.form().notifyFocus(nullptr);
                    return 0;
                default:
                    return 0;
            }
        case kReflectedCtlColor:
            // A read-only edit asks as a static does; it keeps the look of a field. A disabled one
            // keeps the system's grey.
            if (!::IsWindowEnabled(window))
                return 0;
            [[fallthrough]];
        case kReflectedCtlColorEdit: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            ::SetTextColor(dc, foreColor());
            ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
        }
        default:
            return Subclass::original(window, message, wParam, lParam);
    }
}

}  // namespace win32
