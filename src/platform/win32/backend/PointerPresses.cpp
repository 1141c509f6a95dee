#include "platform/win32/backend/PointerPresses.h"

#include <windowsx.h>

#include "platform/win32/backend/WindowMessages.h"

namespace win32 {

bool PointerPresses::route(HWND window, UINT message, WPARAM wParam, LPARAM lParam, forms::Control& control,
                           const Scale& scale) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK: {
            const bool doubleClick =
                message == WM_LBUTTONDBLCLK || message == WM_RBUTTONDBLCLK || message == WM_MBUTTONDBLCLK;
            ::SetCapture(window);
            control.notifyButtonPressed(toDesign(mouseArgs(buttonOf(message), wParam, lParam), scale),
                                        doubleClick);
            return true;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP: {
            RECT client{};
            ::GetClientRect(window, &client);
            const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
            const bool inside = ::PtInRect(&client, at) != FALSE;
            if (::GetCapture() == window && !(wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON))) {
                releasing_ = true;
                ::ReleaseCapture();
                releasing_ = false;
            }
            control.notifyButtonReleased(toDesign(mouseArgs(buttonOf(message), wParam, lParam), scale), inside);
            return true;
        }
        case WM_CAPTURECHANGED:
            if (!releasing_)
                control.notifyPressAbandoned();
            return true;
        default:
            return false;
    }
}

}  // namespace win32
