#include "platform/win32/backend/StandardControl.h"

#include "forms/Control.h"
#include "forms/Form.h"
#include "platform/win32/backend/Win32Backend.h"
#include "platform/win32/backend/WindowMessages.h"

namespace win32 {

template <class Interface>
StandardControl<Interface>::StandardControl(Win32Backend& backend, forms::Control& control)
    : ChildWindow<Interface>(backend, control) {}

template <class Interface>
LRESULT StandardControl<Interface>::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Subclass::original(window, message, wParam, lParam);
}

// A handler may unload the form, which deletes this peer: nothing of it is used after the runtime was
// called, unless `alive` says it is still there.
template <class Interface>
LRESULT StandardControl<Interface>::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (runtimePresses_ && runtimePresses_->route(window, message, wParam, lParam, control_, scale()))
        return 0;
    const std::weak_ptr<int> alive = alive_;
    switch (message) {
        case WM_SETFOCUS: {
            const LRESULT result = onMessage(window, message, wParam, lParam);
            control_.form().notifyFocus(&control_);
            return result;
        }
        case WM_KILLFOCUS: {
            const LRESULT result = onMessage(window, message, wParam, lParam);
            if (control_.hasFocus())
                control_.form().notifyFocus(nullptr);
            return result;
        }
        case WM_CHAR: {
            // Buttons, check boxes and lists: KeyPress (with the form's preview) before the control acts.
            const int code = control_.notifyKeyPress(static_cast<int>(wParam));
            if (alive.expired() || code == 0)
                return 0;
            return onMessage(window, message, static_cast<WPARAM>(code), lParam);
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK: {
            // The control takes the focus first, so GotFocus comes before MouseDown.
            const forms::MouseArgs args = designMouseArgs(buttonOf(message), wParam, lParam);
            const LRESULT result = onMessage(window, message, wParam, lParam);
            if (!alive.expired())
                control_.notifyMouseDown(args);
            return result;
        }
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            // MouseUp before the Click that the control reports on the button's release.
            control_.notifyMouseUp(designMouseArgs(buttonOf(message), wParam, lParam));
            if (alive.expired())
                return 0;
            return onMessage(window, message, wParam, lParam);
        case WM_MOUSEMOVE: {
            const LRESULT result = onMessage(window, message, wParam, lParam);
            if (!alive.expired())
                control_.notifyMouseMove(designMouseArgs(buttonsHeld(wParam), wParam, lParam));
            return result;
        }
        case kReflectedCtlColor: {
            HDC dc = reinterpret_cast<HDC>(wParam);
            ::SetTextColor(dc, ::IsWindowEnabled(window) ? foreColor() : ::GetSysColor(COLOR_GRAYTEXT));
            ::SetBkColor(dc, ::GetSysColor(backgroundColorIndex()));
            return reinterpret_cast<LRESULT>(::GetSysColorBrush(backgroundColorIndex()));
        }
        default:
            return onMessage(window, message, wParam, lParam);
    }
}

template class StandardControl<forms::ControlPeer>;
template class StandardControl<forms::CheckPeer>;
template class StandardControl<forms::ListPeer>;
template class StandardControl<forms::PicturePeer>;

}  // namespace win32
