#pragma once

#include <windows.h>

#include "platform/win32/backend/CallbackGuard.h"
#include "platform/win32/backend/Win32Backend.h"

namespace win32 {

// The window procedure of a class whose every window belongs to one object of T, passed as the
// creation parameter: the object is kept with the window from WM_NCCREATE on, and its
// handleMessage sees every message after that, under the callback guard.
template <class T>
LRESULT CALLBACK ObjectWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<T*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self)
        return ::DefWindowProcW(window, message, wParam, lParam);
    // Taken first: the handler may delete the object.
    Win32Backend& backend = self->backend_;
    return guardedCallback(backend, LRESULT{0},
                           [&] { return self->handleMessage(window, message, wParam, lParam); });
}

}  // namespace win32
