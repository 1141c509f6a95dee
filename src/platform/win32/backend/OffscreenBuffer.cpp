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

}  // namespace win32
