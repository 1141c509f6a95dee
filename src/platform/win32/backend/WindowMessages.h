#pragma once

#include <windows.h>
#include <windowsx.h>

#include "forms/Geometry.h"

namespace win32 {

// Private messages between the form window and the controls inside it.
// The form hands a control's WM_COMMAND notification back to the control (wParam, lParam as sent).
inline constexpr UINT kReflectedCommand = WM_APP + 1;
// The form hands WM_CTLCOLOREDIT to the control that owns the edit; returns the brush.
inline constexpr UINT kReflectedCtlColorEdit = WM_APP + 2;
// A transparent child asks the form to draw its picture and surface: wParam the HDC, whose origin
// stands at the top left of lParam, a RECT in the form's client coordinates.
inline constexpr UINT kPaintSkin = WM_APP + 3;
// Posted by a combo box to itself once the system has finished updating it after a list pick.
inline constexpr UINT kPickSettled = WM_APP + 4;
// Sent by a form window to every control window in it when its scale changed (it moved to a monitor of
// another dpi): each control applies its design rectangle and font again at the new scale.
inline constexpr UINT kApplyScale = WM_APP + 5;
// Posted by a form window to itself when a screen reader pressed one of the form's own elements: wParam
// the element's id. The element's action runs from the message loop, as a click's would.
inline constexpr UINT kAccessibleAction = WM_APP + 6;
// The form hands WM_CTLCOLORSTATIC, WM_CTLCOLORBTN and WM_CTLCOLORLISTBOX to the control that sent it;
// returns the brush, 0 when the control leaves the colours to the system.
inline constexpr UINT kReflectedCtlColor = WM_APP + 16;

// True when the window and every window it lies in are shown: what it draws can be seen. A change to
// a window that is not shown needs no repaint, since showing it paints it whole; at start-up the form is
// still hidden while its controls are made and filled, so no repaint is asked for each of them. (The
// style bits, which are the process's own: IsWindowVisible asks the server in Wine.)
inline bool shownOnScreen(HWND window) {
    for (; window; window = ::GetParent(window)) {
        const auto style = static_cast<DWORD>(::GetWindowLongW(window, GWL_STYLE));
        if (!(style & WS_VISIBLE))
            return false;
        if (!(style & WS_CHILD))
            return true;
    }
    return false;
}

// True for WM_NCPAINT to a window with nothing outside its client area (no frame, caption or scroll
// bar): there is nothing to paint, so its procedure answers it at once. The default handling would take
// a device context for the whole window from the system's cache, and Wine keeps one such context per
// window and kind of drawing (up to 64 in all) for the rest of the run.
inline bool isEmptyNonClientPaint(HWND window, UINT message) {
    if (message != WM_NCPAINT)
        return false;
    RECT outer{};
    RECT client{};
    return ::GetWindowRect(window, &outer) && ::GetClientRect(window, &client) &&
           outer.right - outer.left == client.right && outer.bottom - outer.top == client.bottom;
}

// The Shift mask of the mouse events: 1 Shift, 2 Ctrl, 4 Alt.
inline int shiftMask(WPARAM keys) {
    int shift = 0;
    if (keys & MK_SHIFT)
        shift |= forms::kShiftMask;
    if (keys & MK_CONTROL)
        shift |= forms::kCtrlMask;
    if (::GetKeyState(VK_MENU) < 0)
        shift |= forms::kAltMask;
    return shift;
}

// The buttons held down, as MouseMove reports them.
inline int buttonsHeld(WPARAM keys) {
    int buttons = 0;
    if (keys & MK_LBUTTON)
        buttons |= forms::kLeftButton;
    if (keys & MK_RBUTTON)
        buttons |= forms::kRightButton;
    if (keys & MK_MBUTTON)
        buttons |= forms::kMiddleButton;
    return buttons;
}

inline forms::MouseArgs mouseArgs(int button, WPARAM wParam, LPARAM lParam) {
    return {button, shiftMask(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// The button of a button message; 0 for any other message.
inline int buttonOf(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            return forms::kLeftButton;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            return forms::kRightButton;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            return forms::kMiddleButton;
        default:
            return 0;
    }
}

inline HWND toHwnd(forms::NativeWindow window) {
    return reinterpret_cast<HWND>(window);
}
inline forms::NativeWindow toNative(HWND window) {
    return reinterpret_cast<forms::NativeWindow>(window);
}

}  // namespace win32
