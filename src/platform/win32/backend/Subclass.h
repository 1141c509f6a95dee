#pragma once

#include <windows.h>

namespace win32 {

// A window's procedure replaced by `handler` for the lifetime of its owner, and put back before the owner
// goes, so that the system never calls into a deleted object. The subclass is found through the window's
// GWLP_USERDATA: a message costs no lookup beyond the window itself.
class Subclass {
  public:
    using Handler = LRESULT (*)(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* owner);

    Subclass(HWND window, Handler handler, void* owner);
    ~Subclass();
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;

    // The window's own procedure, for what a handler passes on.
    static LRESULT original(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_;
    Handler handler_;
    void* owner_;
    WNDPROC original_;
};

}  // namespace win32
