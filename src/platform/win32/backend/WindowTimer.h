#pragma once

#include <windows.h>

#include "forms/Backend.h"
#include "forms/Control.h"

namespace win32 {

class Win32Backend;

// A timer as a SetTimer on the form's window, with an id of its own.
class WindowTimer : public forms::TimerPeer {
  public:
    WindowTimer(Win32Backend& backend, HWND window, forms::Timer& timer);
    ~WindowTimer() override;
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;

    void setRunning(bool running, int intervalMs) override;
    void tick() { timer_.notifyTick(); }

  private:
    Win32Backend& backend_;
    HWND window_;
    forms::Timer& timer_;
    UINT_PTR id_;
};

}  // namespace win32
