#include "platform/win32/backend/Subclass.h"

namespace win32 {
namespace {

Subclass* subclassOf(HWND window) {
    return reinterpret_cast<Subclass*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
}

}  // namespace

Subclass::Subclass(HWND window, Handler handler, void* owner)
    : window_(window), handler_(handler), owner_(owner) {
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    original_ = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Subclass::proc)));
}

Subclass::~Subclass() {
    ::SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    ::SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
}

LRESULT Subclass::original(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Once the subclass is gone, the window's procedure is its own again.
    const Subclass* self = subclassOf(window);
    const WNDPROC procedure =
        self ? self->original_ : reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(window, GWLP_WNDPROC));
    return ::CallWindowProcW(procedure, window, message, wParam, lParam);
}

LRESULT CALLBACK Subclass::proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const Subclass* self = subclassOf(window);
    if (!self)
        return ::DefWindowProcW(window, message, wParam, lParam);
    return self->handler_(window, message, wParam, lParam, self->owner_);
}

}  // namespace win32
