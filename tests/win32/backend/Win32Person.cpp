#include "Win32Person.h"

#include <ole2.h>

#include <algorithm>
#include <iterator>

#include "DragData.h"
#include "Utf16.h"
#include "platform/win32/backend/DropTarget.h"

namespace backend_test {
namespace {

POINT centreOf(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The window that the pointer at a screen point reaches, as the system's hit test finds it: the
// deepest visible child, but nothing inside a disabled window.
HWND windowAt(HWND top, POINT screen) {
    HWND window = top;
    for (;;) {
        POINT client = screen;
        ::ScreenToClient(window, &client);
        HWND child = ::ChildWindowFromPointEx(window, client, CWP_SKIPINVISIBLE | CWP_SKIPDISABLED);
        if (!child || child == window)
            return window;
        window = child;
    }
}

// The keyboard state with the modifiers of a Shift mask held, for as long as this lives.
class HeldModifiers {
  public:
    explicit HeldModifiers(int shift) {
        ::GetKeyboardState(saved_);
        BYTE state[256];
        std::copy(std::begin(saved_), std::end(saved_), state);
        const auto hold = [&state](int key, bool down) { state[key] = down ? 0x80 : 0; };
        hold(VK_SHIFT, shift & forms::kShiftMask);
        hold(VK_LSHIFT, shift & forms::kShiftMask);
        hold(VK_CONTROL, shift & forms::kCtrlMask);
        hold(VK_LCONTROL, shift & forms::kCtrlMask);
        hold(VK_MENU, shift & forms::kAltMask);
        hold(VK_LMENU, shift & forms::kAltMask);
        ::SetKeyboardState(state);
    }
    ~HeldModifiers() { ::SetKeyboardState(saved_); }
    HeldModifiers(const HeldModifiers&) = delete;
    HeldModifiers& operator=(const HeldModifiers&) = delete;

  private:
    BYTE saved_[256]{};
};

// The window that has the keyboard focus in the form, where the system sends the keys.
HWND focusIn(const forms::Form& form) {
    HWND focus = ::GetFocus();
    HWND window = hwndOf(form);
    if (focus != window && !::IsChild(window, focus)) {
        ADD_FAILURE() << "the keyboard focus is outside the form";
        return window;
    }
    return focus;
}

}  // namespace

void Win32Person::show(forms::Form& form) {
    form.activate();
    pumpMessages();
    expectFocusAgrees(form);
}

void Win32Person::click(forms::Control& control) {
    clickAt(control.form(), centreOf(hwndOf(control)));
    expectFocusAgrees(control.form());
}

void Win32Person::presses(forms::Control& control, const std::string& what) {
    HWND window = hwndOf(control);
    RECT client{};
    ::GetClientRect(window, &client);
    const LPARAM inside = MAKELPARAM(client.right / 2, client.bottom / 2);
    const LPARAM outside = MAKELPARAM(client.right / 2, client.bottom + 20);
    const bool right = what[0] == 'R';
    const WPARAM held = right ? MK_RBUTTON : MK_LBUTTON;
    ::PostMessageW(window, WM_MOUSEMOVE, 0, inside);
    for (std::size_t i = 0; i < what.size(); ++i) {
        if (what[i] == '-')
            continue;
        // The system sends the second press of a pair as its double-click message.
        const UINT down = i == 0 ? (right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN)
                                 : (right ? WM_RBUTTONDBLCLK : WM_LBUTTONDBLCLK);
        ::PostMessageW(window, down, held, inside);
        const bool leaves = i + 1 < what.size() && what[i + 1] == '-';
        ::PostMessageW(window, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, leaves ? outside : inside);
    }
    pumpMessages();
}

void Win32Person::pressKey(forms::Form& form, int keyCode, int shift) {
    const HeldModifiers held(shift);
    const bool alt = (shift & forms::kAltMask) != 0;
    const LPARAM scan = static_cast<LPARAM>(::MapVirtualKeyW(static_cast<UINT>(keyCode), MAPVK_VK_TO_VSC))
                        << 16;
    const LPARAM flags = 1 | scan | (alt ? 1 << 29 : 0);
    ::PostMessageW(focusIn(form), alt ? WM_SYSKEYDOWN : WM_KEYDOWN, static_cast<WPARAM>(keyCode), flags);
    pumpMessages();
    if (!form.loaded())
        return;
    // The key comes up where the focus is now.
    ::PostMessageW(focusIn(form), alt ? WM_SYSKEYUP : WM_KEYUP, static_cast<WPARAM>(keyCode),
                   flags | static_cast<LPARAM>(3u << 30));
    pumpMessages();
    expectFocusAgrees(form);
}

void Win32Person::typeText(forms::TextBox& box, const std::string& ascii) {
    HWND edit = hwndOf(box);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (box.kind() == forms::Control::Kind::ComboBox && ::GetComboBoxInfo(edit, &info))
        edit = info.hwndItem;
    for (char c : ascii) {
        ::PostMessageW(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
        pumpMessages();
    }
}

void Win32Person::paste(forms::TextBox& box, const std::string& text) {
    HWND edit = hwndOf(box);
    const std::wstring wide = winsupport::Widen(text);
    ASSERT_TRUE(::OpenClipboard(hwndOf(box.form())));
    ::EmptyClipboard();
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (wide.size() + 1) * sizeof(wchar_t));
    std::copy(wide.c_str(), wide.c_str() + wide.size() + 1, static_cast<wchar_t*>(::GlobalLock(memory)));
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_UNICODETEXT, memory);  // the clipboard owns it now
    ::CloseClipboard();
    ::PostMessageW(edit, WM_PASTE, 0, 0);
    pumpMessages();
}

void Win32Person::pickListEntry(forms::ListBox& box, int index) {
    HWND list = hwndOf(box);
    RECT item{};
    ::SendMessageW(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    POINT at{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ::ClientToScreen(list, &at);
    clickAt(box.form(), at);
    expectFocusAgrees(box.form());
}

void Win32Person::pickListEntry(forms::ComboBox& box, int index) {
    HWND combo = hwndOf(box);
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(::GetComboBoxInfo(combo, &info));
    ::SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    pumpMessages();
    // The dropped list holds the mouse: the click goes to it whatever lies under the pointer.
    RECT item{};
    ::SendMessageW(info.hwndList, LB_GETITEMRECT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM(item.left + 2, item.top + 2);
    ::SendMessageW(info.hwndList, WM_MOUSEMOVE, 0, at);
    ::SendMessageW(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(info.hwndList, WM_LBUTTONUP, 0, at);
    pumpMessages();
}

void Win32Person::closeBox(forms::Form& form) {
    ::PostMessageW(hwndOf(form), WM_SYSCOMMAND, SC_CLOSE, 0);
    pumpMessages();
}

void Win32Person::drop(forms::Control& control, const std::vector<std::string>& files) {
    std::vector<std::wstring> paths;
    for (const std::string& file : files)
        paths.push_back(winsupport::Widen(file));
    auto data = winsupport::FileListData(paths);
    win32::ComPtr<win32::DropTarget> target;
    *target.put() = new win32::DropTarget(backend_, control.form(), hwndOf(control.form()));
    const POINT centre = centreOf(hwndOf(control));
    const POINTL at{centre.x, centre.y};
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    target->DragEnter(data.get(), MK_LBUTTON, at, &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    target->DragOver(MK_LBUTTON, at, &effect);
    effect = DROPEFFECT_COPY | DROPEFFECT_LINK;
    target->Drop(data.get(), 0, at, &effect);
    target->detach();
    pumpMessages();
}

void Win32Person::clickAt(const forms::Form& form, POINT screen) {
    HWND target = windowAt(hwndOf(form), screen);
    POINT client = screen;
    ::ScreenToClient(target, &client);
    const LPARAM at = MAKELPARAM(client.x, client.y);
    ::PostMessageW(target, WM_MOUSEMOVE, 0, at);
    ::PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, at);
    pumpMessages();
    ::PostMessageW(target, WM_LBUTTONUP, 0, at);
    pumpMessages();
}

void Win32Person::expectFocusAgrees(const forms::Form& form) {
    if (!form.loaded())
        return;
    HWND focus = ::GetFocus();
    if (const forms::Control* control = form.focusedControl()) {
        EXPECT_TRUE(focus == hwndOf(*control) || ::IsChild(hwndOf(*control), focus))
            << "the runtime has the focus on " << control->name();
    } else {
        EXPECT_TRUE(focus == nullptr || focus == hwndOf(form)) << "the runtime has no control focused";
    }
}

}  // namespace backend_test
