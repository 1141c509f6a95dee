#include "platform/win32/backend/ChildWindow.h"

#include <stdexcept>

#include "forms/Form.h"
#include "platform/win32/Wide.h"
#include "platform/win32/backend/Accessibility.h"
#include "platform/win32/backend/CallbackGuard.h"
#include "platform/win32/backend/EditText.h"
#include "platform/win32/backend/Win32Backend.h"
#include "platform/win32/backend/WindowMessages.h"

namespace win32 {

HWND parentWindowOf(const forms::Form& form, const forms::Control& control) {
    if (const forms::Frame* frame = control.container(); frame && frame->handle())
        return toHwnd(frame->handle());
    return toHwnd(form.handle());
}

template <class Interface>
ChildWindow<Interface>::ChildWindow(Win32Backend& backend, forms::Control& control)
    : backend_(backend), control_(control) {}

template <class Interface>
ChildWindow<Interface>::~ChildWindow() {
    backend_.windowGoing(window_.get());
}

template <class Interface>
void ChildWindow<Interface>::create(const forms::Form& form, const wchar_t* className, DWORD style,
                                    DWORD exStyle) {
    window_.reset(::CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_CLIPSIBLINGS | style, 0, 0, 0, 0,
                                    parentWindowOf(form, control_), nullptr, ::GetModuleHandleW(nullptr),
                                    nullptr));
    if (!window_)
        throw std::runtime_error("CreateWindowExW failed for control " + control_.name());
    scale_ = scaleOf(window_.get());
    subclass_.emplace(window_.get(), &ChildWindow::subclassProc, this);
}

template <class Interface>
void ChildWindow<Interface>::setText(const std::string& text) {
    replaceText(text);
}

template <class Interface>
bool ChildWindow<Interface>::replaceText(const std::string& text) {
    const std::wstring wide = widen(text);
    if (windowText(window_.get()) == wide)
        return false;
    ::SetWindowTextW(window_.get(), wide.c_str());
    if (shownOnScreen(window_.get()))
        ::InvalidateRect(window_.get(), nullptr, FALSE);
    return true;
}

template <class Interface>
void ChildWindow<Interface>::setRect(const forms::Rect& rect) {
    if (placedAt(rect))
        return;
    rect_ = rect;
    placed_ = true;
    place(scale_.toDevice(rect));
}

template <class Interface>
void ChildWindow<Interface>::place(const forms::Rect& device) {
    ::MoveWindow(window_.get(), device.left, device.top, device.width, device.height,
                 shownOnScreen(window_.get()));
}

template <class Interface>
void ChildWindow<Interface>::setVisible(bool visible) {
    const bool shown = (::GetWindowLongW(window_.get(), GWL_STYLE) & WS_VISIBLE) != 0;
    if (shown != visible)
        ::ShowWindow(window_.get(), visible ? SW_SHOWNA : SW_HIDE);
}

template <class Interface>
void ChildWindow<Interface>::setEnabled(bool enabled) {
    const bool now = (::GetWindowLongW(window_.get(), GWL_STYLE) & WS_DISABLED) == 0;
    if (now == enabled)
        return;
    ::EnableWindow(window_.get(), enabled);
    if (shownOnScreen(window_.get()))
        ::InvalidateRect(window_.get(), nullptr, FALSE);
}

template <class Interface>
void ChildWindow<Interface>::setFont(const forms::Font& font) {
    if (font_.get() && font == fontSpec_)
        return;
    fontSpec_ = font;
    applyFont();
}

template <class Interface>
void ChildWindow<Interface>::applyFont() {
    SharedFont next(control_, fontSpec_, scale_.dpi());
    ::SendMessageW(window_.get(), WM_SETFONT, reinterpret_cast<WPARAM>(next.get()),
                   shownOnScreen(window_.get()));
    font_ = std::move(next);  // the old font goes only after the control has let go of it
}

template <class Interface>
void ChildWindow<Interface>::setForeColor(forms::Color color) {
    if (color == color_)
        return;
    color_ = color;
    if (shownOnScreen(window_.get()))
        ::InvalidateRect(window_.get(), nullptr, TRUE);
}

template <class Interface>
void ChildWindow<Interface>::setFocus() {
    ::SetFocus(window_.get());
}

template <class Interface>
forms::NativeWindow ChildWindow<Interface>::handle() const {
    return toNative(window_.get());
}

template <class Interface>
forms::MouseArgs ChildWindow<Interface>::designMouseArgs(int button, WPARAM wParam, LPARAM lParam) const {
    return toDesign(mouseArgs(button, wParam, lParam), scale());
}

template <class Interface>
LRESULT ChildWindow<Interface>::subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                             void* self) {
    auto* peer = static_cast<ChildWindow*>(self);
    return guardedCallback(peer->backend_, LRESULT{0}, [&]() -> LRESULT {
        if (isEmptyNonClientPaint(window, message))
            return 0;
        if (message == WM_MOUSEMOVE || message == WM_MOUSELEAVE) {
            // The form learns of the pointer first; its handler never unloads it.
            if (message == WM_MOUSEMOVE)
                peer->backend_.pointerMoved(window, peer->control_.form());
            else
                peer->backend_.pointerLeft(window, peer->control_.form());
        }
        if (message == kApplyScale) {
            // The runtime's rectangle and font again, at the window's new scale.
            peer->scale_ = scaleOf(window);
            peer->place(peer->scale_.toDevice(peer->rect_));
            peer->applyFont();
            return 0;
        }
        if (message == WM_GETOBJECT && asksForClient(lParam) && !peer->control_.accessibleName().empty()) {
            if (const LRESULT named = answerWithName(window, peer->control_.accessibleName(), wParam))
                return named;
        }
        return peer->handleMessage(window, message, wParam, lParam);
    });
}

template class ChildWindow<forms::ControlPeer>;
template class ChildWindow<forms::CheckPeer>;
template class ChildWindow<forms::ListPeer>;
template class ChildWindow<forms::PicturePeer>;
template class ChildWindow<forms::EditPeer>;
template class ChildWindow<forms::ComboPeer>;

}  // namespace win32
