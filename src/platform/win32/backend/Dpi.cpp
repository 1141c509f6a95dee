#include "platform/win32/backend/Dpi.h"

#include "platform/win32/Handles.h"

namespace win32 {

Scale scaleOf(HWND window) {
    // GetDpiForWindow exists from Windows 10 1607 on; older systems have one dpi for every monitor.
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (window && getDpiForWindow) {
        if (const UINT dpi = getDpiForWindow(window))
            return Scale(static_cast<int>(dpi));
    }
    const WindowDc screen(nullptr);
    return Scale(::GetDeviceCaps(screen.get(), LOGPIXELSY));
}

}  // namespace win32
