#include "platform/win32/backend/WindowTimer.h"

#include "platform/win32/backend/Win32Backend.h"

namespace win32 {

WindowTimer::WindowTimer(Win32Backend& backend, HWND window, forms::Timer& timer)
    : backend_(backend), window_(window), timer_(timer), id_(backend.addTimer(*this)) {}

WindowTimer::~WindowTimer() {
    ::KillTimer(window_, id_);
    backend_.removeTimer(id_);
}

void WindowTimer::setRunning(bool running, int intervalMs) {
    if (running) {
        ::SetTimer(window_, id_, static_cast<UINT>(intervalMs), nullptr);
    } else {
        ::KillTimer(window_, id_);
    }
}

}  // namespace win32
