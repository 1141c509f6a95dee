#include "platform/win32/backend/ComboBoxWindow.h"

#include <algorithm>
#include <stdexcept>

#include "forms/Form.h"
#include "platform/win32/Wide.h"
#include "platform/win32/backend/Accessibility.h"
#include "platform/win32/backend/CallbackGuard.h"
#include "platform/win32/backend/EditText.h"
#include "platform/win32/backend/KeyPress.h"
#include "platform/win32/backend/Win32Backend.h"
#include "platform/win32/backend/WindowMessages.h"

namespace win32 {
namespace {

// Entries the dropped list shows without scrolling.
constexpr int kVisibleEntries = 12;

}  // namespace

ComboBoxWindow::ComboBoxWindow(Win32Backend& backend, forms::Form& form, forms::ComboBox& box)
    : ChildWindow(backend, box), box_(box) {
    create(form, L"COMBOBOX", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (!::GetComboBoxInfo(window(), &info) || !info.hwndItem) {
        throw std::runtime_error("no edit inside combo box " + box.name());
    }
    edit_ = info.hwndItem;
    editSubclass_.emplace(edit_, &ComboBoxWindow::editProc, this);
}

void ComboBoxWindow::setNativeText(const std::wstring& text) {
    settingText_ = true;
    ::SetWindowTextW(window(), text.c_str());
    settingText_ = false;
}

void ComboBoxWindow::setText(const std::string& text) {
    const std::wstring wide = widen(text);
    // Setting the same text again would only move the caret to the start while the person types.
    if (windowText(window()) != wide)
        setNativeText(wide);
}

void ComboBoxWindow::place(const forms::Rect& device) {
    // A drop-down combo box's height includes its list; the edit part takes its height from the font.
    const int field =
        static_cast<int>(::SendMessageW(window(), CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    const int entry = static_cast<int>(::SendMessageW(window(), CB_GETITEMHEIGHT, 0, 0));
    const int height = std::max(device.height, field + 8) + kVisibleEntries * entry + 2;
    ::MoveWindow(window(), device.left, device.top, device.width, height, shownOnScreen(window()));
}

void ComboBoxWindow::applyFont() {
    ChildWindow::applyFont();
    if (placedAt(designRect()))
        place(scale().toDevice(designRect()));  // the list's height follows the entries' height
}

void ComboBoxWindow::setForeColor(forms::Color color) {
    ChildWindow::setForeColor(color);
    if (shownOnScreen(edit_))
        ::InvalidateRect(edit_, nullptr, TRUE);
}

void ComboBoxWindow::setFocus() {
    ::SetFocus(edit_);
}

forms::Selection ComboBoxWindow::selection() const {
    return selectionInCharacters(window(), CB_GETEDITSEL);
}

void ComboBoxWindow::setSelection(const forms::Selection& selection) {
    const auto [start, end] = selectionInUnits(windowText(window()), selection);
    ::SendMessageW(window(), CB_SETEDITSEL, 0, MAKELPARAM(start, end));
}

void ComboBoxWindow::setReadOnly(bool readOnly) {
    if (edit_)
        ::SendMessageW(edit_, EM_SETREADONLY, readOnly ? TRUE : FALSE, 0);
}

void ComboBoxWindow::setListItems(const std::vector<std::string>& items) {
    HWND combo = window();
    // Entries added one by one arrive as the old list plus one: only the new ones are appended.
    const bool appended =
        items.size() >= items_.size() && std::equal(items_.begin(), items_.end(), items.begin());
    if (!appended) {
        // Emptying the list empties the edit too; the text and selection stay as they were.
        const std::wstring text = windowText(combo);
        const auto [start, end] = selectedUnits(combo, CB_GETEDITSEL);
        settingText_ = true;
        ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
        settingText_ = false;
        items_.clear();
        if (windowText(combo) != text)
            setNativeText(text);
        ::SendMessageW(combo, CB_SETEDITSEL, 0, MAKELPARAM(start, end));
    }
    for (std::size_t i = items_.size(); i < items.size(); ++i) {
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(widen(items[i]).c_str()));
    }
    items_ = items;
}

void ComboBoxWindow::setListIndex(int index) {
    const std::wstring text = windowText(window());
    settingText_ = true;
    ::SendMessageW(window(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    settingText_ = false;
    // Selecting no entry empties the edit natively; the runtime keeps the text.
    if (index < 0 && windowText(window()) != text)
        setNativeText(text);
}

void ComboBoxWindow::setTopIndex(int index) {
    ::SendMessageW(window(), CB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
}

void ComboBoxWindow::showDropDown() {
    ::SendMessageW(window(), CB_SHOWDROPDOWN, TRUE, 0);
}

LRESULT ComboBoxWindow::editProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* self) {
    if (isEmptyNonClientPaint(window, message))
        return 0;
    auto* peer = static_cast<ComboBoxWindow*>(self);
    if (message == WM_MOUSEMOVE || message == WM_MOUSELEAVE) {
        // The edit is a window of the form too: the pointer over it is over the form.
        guardedCallback(peer->backend_, LRESULT{0}, [&]() -> LRESULT {
            if (message == WM_MOUSEMOVE)
                peer->backend_.pointerMoved(window, peer->box_.form());
            else
                peer->backend_.pointerLeft(window, peer->box_.form());
            return 0;
        });
    }
    // The edit has the focus while the person types, so a reader asks it what it is: the box's name.
    if (message == WM_GETOBJECT && asksForClient(lParam) && !peer->box_.accessibleName().empty()) {
        if (const LRESULT named = answerWithName(window, peer->box_.accessibleName(), wParam))
            return named;
    }
    if (message != WM_CHAR)
        return Subclass::original(window, message, wParam, lParam);
    return guardedCallback(peer->backend_, LRESULT{0}, [&]() -> LRESULT {
        const std::weak_ptr<int> alive = peer->alive_;
        const int code = peer->box_.notifyKeyPress(static_cast<int>(wParam));
        // A handler may have unloaded the form, and with it this peer and the window.
        if (alive.expired())
            return 0;
        // The edit of a combo box closes the dropped list on Enter and Esc, which the runtime left to it.
        const bool closesList = (code == forms::kKeyReturn || code == forms::kKeyEscape) &&
                                ::SendMessageW(peer->window(), CB_GETDROPPEDSTATE, 0, 0) != 0;
        if (!closesList && !passesToEdit(code))
            return 0;
        return Subclass::original(window, WM_CHAR, static_cast<WPARAM>(code), lParam);
    });
}

LRESULT ComboBoxWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case kReflectedCommand:
            return onNotification(window, HIWORD(wParam));
        case kReflectedCtlColorEdit: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            ::SetTextColor(dc, foreColor());
            ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
        }
        case kPickSettled:
            // The system has put the picked entry into the edit by now; the runtime's text is the one
            // that counts (a Click handler may have changed it).
            picking_ = false;
            setText(box_.text());
            return 0;
        default:
            return Subclass::original(window, message, wParam, lParam);
    }
}

// A handler may unload the form, which deletes this peer: each case calls into the runtime last.
LRESULT ComboBoxWindow::onNotification(HWND window, int code) {
    switch (code) {
        case CBN_EDITCHANGE:
            if (!settingText_ && !picking_)
                box_.notifyTextChanged(narrow(windowText(window)));
            return 0;
        case CBN_SELCHANGE: {
            const int index = static_cast<int>(::SendMessageW(window, CB_GETCURSEL, 0, 0));
            if (index < 0)
                return 0;
            // The system updates the edit only after this notification; the posted message marks the end.
            picking_ = true;
            ::PostMessageW(window, kPickSettled, 0, 0);
            box_.notifyListPicked(index);
            return 0;
        }
        case CBN_DROPDOWN:
            box_.notifyDroppedDown();
            return 0;
        case CBN_CLOSEUP:
            box_.notifyDropDownClosed();
            return 0;
        case CBN_SETFOCUS:
            box_.form().notifyFocus(&box_);
            return 0;
        case CBN_KILLFOCUS:
            if (box_.hasFocus())
                box_.form().notifyFocus(nullptr);
            return 0;
        default:
            return 0;
    }
}

}  // namespace win32
