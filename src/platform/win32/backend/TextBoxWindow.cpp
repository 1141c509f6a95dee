#include "platform/win32/backend/TextBoxWindow.h"

#include <stdexcept>

#include "forms/Form.h"
#include "platform/win32/Wide.h"
#include "platform/win32/backend/CallbackGuard.h"
#include "platform/win32/backend/ControlFont.h"
#include "platform/win32/backend/Dpi.h"
#include "platform/win32/backend/EditText.h"
#include "platform/win32/backend/Fonts.h"
#include "platform/win32/backend/KeyPress.h"
#include "platform/win32/backend/Win32Backend.h"
#include "platform/win32/backend/WindowMessages.h"

namespace win32 {

TextBoxWindow::TextBoxWindow(Win32Backend& backend, forms::Form& form, forms::TextBox& box)
    : backend_(backend), box_(box) {
    window_.reset(::CreateWindowExW(
        WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, 0,
        0, 0, 0, toHwnd(form.handle()), nullptr, ::GetModuleHandleW(nullptr), nullptr));
    if (!window_)
        throw std::runtime_error("CreateWindowExW failed for text box " + box.name());
    subclass_.emplace(window_.get(), &TextBoxWindow::subclassProc, this);
}

void TextBoxWindow::setText(const std::string& text) {
    const std::wstring wide = widen(text);
    // Setting the same text again would only move the caret to the start while the person types.
    if (windowText(window_.get()) == wide)
        return;
    settingText_ = true;
    ::SetWindowTextW(window_.get(), wide.c_str());
    settingText_ = false;
}

void TextBoxWindow::setRect(const forms::Rect& rect) {
    const forms::Rect device = scaleOf(window_.get()).toDevice(rect);
    ::MoveWindow(window_.get(), device.left, device.top, device.width, device.height, TRUE);
}

void TextBoxWindow::setVisible(bool visible) {
    ::ShowWindow(window_.get(), visible ? SW_SHOWNA : SW_HIDE);
}

void TextBoxWindow::setEnabled(bool enabled) {
    ::EnableWindow(window_.get(), enabled);
}

void TextBoxWindow::setFont(const forms::Font& font) {
    SharedFont next(box_, font, scaleOf(window_.get()).dpi());
    ::SendMessageW(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(next.get()), TRUE);
    font_ = std::move(next);  // the old font goes only after the edit has let go of it
}

void TextBoxWindow::setForeColor(forms::Color color) {
    color_ = color;
    ::InvalidateRect(window_.get(), nullptr, TRUE);
}

void TextBoxWindow::setFocus() {
    ::SetFocus(window_.get());
}

forms::NativeWindow TextBoxWindow::handle() const {
    return toNative(window_.get());
}

forms::Selection TextBoxWindow::selection() const {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(window_.get(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    return selectionInCharacters(windowText(window_.get()), start, end);
}

void TextBoxWindow::setSelection(const forms::Selection& selection) {
    const auto [start, end] = selectionInUnits(windowText(window_.get()), selection);
    ::SendMessageW(window_.get(), EM_SETSEL, start, end);
}

void TextBoxWindow::setReadOnly(bool readOnly) {
    ::SendMessageW(window_.get(), EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

LRESULT TextBoxWindow::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* self) {
    auto* peer = static_cast<TextBoxWindow*>(self);
    return guardedCallback(peer->backend_, LRESULT{0},
                           [&] { return peer->handleMessage(window, message, wParam, lParam); });
}

// A handler may unload the form, which deletes this peer: nothing of it is used after the event.
LRESULT TextBoxWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (isEmptyNonClientPaint(window, message))
        return 0;
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
        case kApplyScale:
            setRect(box_.rect());
            setFont(box_.font());
            return 0;
        case kReflectedCtlColor:
            // A read-only edit asks as a static does; it keeps the look of a field. A disabled one
            // keeps the system's grey.
            if (!::IsWindowEnabled(window))
                return 0;
            [[fallthrough]];
        case kReflectedCtlColorEdit: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            ::SetTextColor(dc, color_);
            ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
        }
        default:
            return Subclass::original(window, message, wParam, lParam);
    }
}

}  // namespace win32
