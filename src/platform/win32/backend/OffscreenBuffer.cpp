#include "platform/win32/backend/OffscreenBuffer.h"

#include <algorithm>

namespace win32 {

OffscreenBuffer::OffscreenBuffer(HDC target, const RECT& area)
    : area_(area),
      dc_(::CreateCompatibleDC(target)),
      bitmap_(::CreateCompatibleBitmap(target, std::max<LONG>(1, area.right - area.left),
                                       std::max<LONG>(1, area.bottom - area.top))) {
    selected_.emplace(dc_.get(), bitmap_.get());
}

void OffscreenBuffer::copyTo(HDC target) const {
    ::BitBlt(target, area_.left, area_.top, area_.right - area_.left, area_.bottom - area_.top, dc_.get(), 0,
             0, SRCCOPY);
}

void paintWholeClient(HWND window, const std::function<void(HDC dc, const RECT& client)>& paint) {
    PAINTSTRUCT ps{};
    HDC dc = ::BeginPaint(window, &ps);
    RECT client{};
    ::GetClientRect(window, &client);
    {
        OffscreenBuffer buffer(dc, client);
        paint(buffer.dc(), client);
        buffer.copyTo(dc);
    }
    ::EndPaint(window, &ps);
}

std::optional<LRESULT> paintSelf(HWND window, UINT message, WPARAM wParam,
                                 const std::function<void(HDC dc, const RECT& client)>& paint) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            paintWholeClient(window, paint);
            return 0;
        case WM_PRINTCLIENT: {
            RECT client{};
            ::GetClientRect(window, &client);
            paint(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace win32
