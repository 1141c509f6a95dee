#include "platform/win32/backend/StandardControl.h"

#include <stdexcept>

#include "forms/Control.h"
#include "forms/Form.h"
#include "platform/win32/Wide.h"
#include "platform/win32/backend/CallbackGuard.h"
#include "platform/win32/backend/ControlFont.h"
#include "platform/win32/backend/Win32Backend.h"
#include "platform/win32/backend/WindowMessages.h"

namespace win32 {

HWND parentWindowOf(const forms::Form& form, const forms::Control& control) {
    if (const forms::Frame* frame = control.container(); frame && frame->handle())
        return toHwnd(frame->handle());
    return toHwnd(form.handle());
}

template <class Interface>
StandardControl<Interface>::StandardControl(Win32Backend& backend, forms::Control& control)
    : backend_(backend), control_(control) {}

template <class Interface>
void StandardControl<Interface>::create(const forms::Form& form, const wchar_t* className, DWORD style,
                                        DWORD exStyle) {
    window_.reset(::CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_CLIPSIBLINGS | style, 0, 0, 0, 0,
                                    parentWindowOf(form, control_), nullptr, ::GetModuleHandleW(nullptr),
                                    nullptr));
    if (!window_)
        throw std::runtime_error("CreateWindowExW failed for control " + control_.name());
    subclass_.emplace(window_.get(), &StandardControl::subclassProc, this);
}

template <class Interface>
void StandardControl<Interface>::setText(const std::string& text) {
    ::SetWindowTextW(window_.get(), widen(text).c_str());
    ::InvalidateRect(window_.get(), nullptr, FALSE);
}

template <class Interface>
void StandardControl<Interface>::setRect(const forms::Rect& rect) {
    rect_ = rect;
    const forms::Rect device = scale().toDevice(rect);
    ::MoveWindow(window_.get(), device.left, device.top, device.width, device.height, TRUE);
}

template <class Interface>
void StandardControl<Interface>::setVisible(bool visible) {
    ::ShowWindow(window_.get(), visible ? SW_SHOWNA : SW_HIDE);
}

template <class Interface>
void StandardControl<Interface>::setEnabled(bool enabled) {
    ::EnableWindow(window_.get(), enabled);
    ::InvalidateRect(window_.get(), nullptr, FALSE);
}

template <class Interface>
void StandardControl<Interface>::setFont(const forms::Font& font) {
    fontSpec_ = font;
    SharedFont next(control_, font, scale().dpi());
    ::SendMessageW(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(next.get()), TRUE);
    font_ = std::move(next);  // the old font goes only after the control has let go of it
}

template <class Interface>
void StandardControl<Interface>::setForeColor(forms::Color color) {
    color_ = color;
    ::InvalidateRect(window_.get(), nullptr, FALSE);
}

template <class Interface>
void StandardControl<Interface>::setFocus() {
    ::SetFocus(window_.get());
}

template <class Interface>
forms::NativeWindow StandardControl<Interface>::handle() const {
    return toNative(window_.get());
}

template <class Interface>
forms::MouseArgs StandardControl<Interface>::designMouseArgs(int button, WPARAM wParam, LPARAM lParam) const {
    forms::MouseArgs args = mouseArgs(button, wParam, lParam);
    const Scale s = scale();
    args.x = s.toDesign(args.x);
    args.y = s.toDesign(args.y);
    return args;
}

template <class Interface>
void StandardControl<Interface>::applyScale() {
    setRect(rect_);
    setFont(fontSpec_);
}

template <class Interface>
LRESULT StandardControl<Interface>::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Subclass::original(window, message, wParam, lParam);
}

template <class Interface>
LRESULT StandardControl<Interface>::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                                 void* self) {
    auto* peer = static_cast<StandardControl*>(self);
    return guardedCallback(peer->backend_, LRESULT{0},
                           [&] { return peer->handleMessage(window, message, wParam, lParam); });
}

// A handler may unload the form, which deletes this peer: nothing of it is used after the runtime was
// called, unless `alive` says it is still there.
template <class Interface>
LRESULT StandardControl<Interface>::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (isEmptyNonClientPaint(window, message))
        return 0;
    if (runtimePresses_ && runtimePresses_->route(window, message, wParam, lParam, control_, scale()))
        return 0;
    const std::weak_ptr<int> alive = alive_;
    switch (message) {
        case kApplyScale:
            applyScale();
            return 0;
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
            ::SetTextColor(dc, ::IsWindowEnabled(window) ? color_ : ::GetSysColor(COLOR_GRAYTEXT));
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
