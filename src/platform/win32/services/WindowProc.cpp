#include <windows.h>

#include <map>
#include <memory>

#include "platform/win32/services/Win32Platform.h"

namespace win32 {
namespace {

struct Hooked {
    platform::WindowProcHook hook;
    WNDPROC previous = nullptr;
};

// The hooked windows of the process; only their user-interface thread touches it.
std::map<HWND, std::shared_ptr<Hooked>>& hookedWindows() {
    static std::map<HWND, std::shared_ptr<Hooked>> table;
    return table;
}

HWND toHwnd(platform::NativeWindow window) {
    return reinterpret_cast<HWND>(window);
}

LRESULT CALLBACK hookThunk(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& table = hookedWindows();
    const auto found = table.find(window);
    if (found == table.end())
        return ::DefWindowProcW(window, message, wParam, lParam);
    // Held for the call: the hook may put the old procedure back while it runs.
    const std::shared_ptr<Hooked> hooked = found->second;
    LRESULT result = 0;
    try {
        result = hooked->hook(reinterpret_cast<platform::NativeWindow>(window), message, wParam, lParam);
    } catch (...) {
        result = ::CallWindowProcW(hooked->previous, window, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        // The handle may be reused by a new window: forget this one.
        const auto still = table.find(window);
        if (still != table.end() && still->second == hooked)
            table.erase(still);
    }
    return result;
}

}  // namespace

platform::WindowProcToken Win32Platform::replaceWindowProc(platform::NativeWindow window,
                                                           platform::WindowProcHook hook) {
    const HWND hwnd = toHwnd(window);
    auto& table = hookedWindows();
    if (!hook || !::IsWindow(hwnd) || table.count(hwnd))
        return 0;
    auto hooked = std::make_shared<Hooked>();
    hooked->hook = std::move(hook);
    table[hwnd] = hooked;
    const LONG_PTR previous = ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&hookThunk));
    if (previous == 0) {
        table.erase(hwnd);
        return 0;
    }
    hooked->previous = reinterpret_cast<WNDPROC>(previous);
    return static_cast<platform::WindowProcToken>(previous);
}

std::intptr_t Win32Platform::callWindowProc(platform::WindowProcToken previous, platform::NativeWindow window,
                                            unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
    if (previous == 0)
        return ::DefWindowProcW(toHwnd(window), message, wParam, lParam);
    return ::CallWindowProcW(reinterpret_cast<WNDPROC>(previous), toHwnd(window), message, wParam, lParam);
}

void Win32Platform::restoreWindowProc(platform::NativeWindow window, platform::WindowProcToken previous) {
    if (previous == 0)
        return;
    const HWND hwnd = toHwnd(window);
    ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, static_cast<LONG_PTR>(previous));
    hookedWindows().erase(hwnd);
}

}  // namespace win32
