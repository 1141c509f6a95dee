#include <windows.h>

#include <cwchar>

#include "platform/win32/Wide.h"
#include "platform/win32/Screens.h"
#include "platform/win32/services/Win32Platform.h"

namespace win32 {
namespace {

HWND toHwnd(platform::NativeWindow window) {
    return reinterpret_cast<HWND>(window);
}

class OpenClipboardScope {
  public:
    OpenClipboardScope() : open_(::OpenClipboard(nullptr) != FALSE) {}
    ~OpenClipboardScope() {
        if (open_)
            ::CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    explicit operator bool() const { return open_; }

  private:
    bool open_;
};

class GlobalLockScope {
  public:
    explicit GlobalLockScope(HGLOBAL memory) : memory_(memory), data_(::GlobalLock(memory)) {}
    ~GlobalLockScope() {
        if (data_)
            ::GlobalUnlock(memory_);
    }
    GlobalLockScope(const GlobalLockScope&) = delete;
    GlobalLockScope& operator=(const GlobalLockScope&) = delete;
    const void* data() const { return data_; }

  private:
    HGLOBAL memory_;
    void* data_;
};

}  // namespace

void Win32Platform::setWindowOrder(platform::NativeWindow window, platform::WindowOrder order) {
    HWND after = HWND_BOTTOM;
    if (order == platform::WindowOrder::Topmost)
        after = HWND_TOPMOST;
    if (order == platform::WindowOrder::NotTopmost)
        after = HWND_NOTOPMOST;
    ::SetWindowPos(toHwnd(window), after, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void Win32Platform::dragWindow(platform::NativeWindow window) {
    // The system's move loop, started as if the caption had been grabbed.
    ::ReleaseCapture();
    ::SendMessageW(toHwnd(window), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
}

// The core sees the desktop in design pixels (platform/ScreenScale.h).
platform::Point Win32Platform::cursorPos() {
    POINT point{};
    ::GetCursorPos(&point);
    return currentScreens().pointToDesign(point.x, point.y);
}

platform::Size Win32Platform::screenSize() {
    const platform::ScreenMap screens = currentScreens();
    const forms::Rect primary = screens.designArea(screens.monitors().front());
    return {primary.width, primary.height};
}

std::vector<forms::Rect> Win32Platform::monitors() {
    return currentScreens().designAreas();
}

std::string Win32Platform::clipboardText() {
    if (!::IsClipboardFormatAvailable(CF_UNICODETEXT))
        return {};
    const OpenClipboardScope clipboard;
    if (!clipboard)
        return {};
    const HANDLE memory = ::GetClipboardData(CF_UNICODETEXT);
    if (!memory)
        return {};
    const GlobalLockScope lock(memory);
    const auto* text = static_cast<const wchar_t*>(lock.data());
    if (!text)
        return {};
    // Another program's text may lack its terminating NUL: never read past the block.
    const std::size_t limit = ::GlobalSize(memory) / sizeof(wchar_t);
    return narrow(std::wstring_view(text, ::wcsnlen(text, limit)));
}

}  // namespace win32
