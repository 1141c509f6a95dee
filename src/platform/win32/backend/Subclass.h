#pragma once

#include <commctrl.h>
#include <windows.h>

namespace win32 {

// A window subclass for the lifetime of its owner: removed before the owner goes, so that the system
// never calls into a deleted object.
class Subclass {
  public:
    Subclass(HWND window, SUBCLASSPROC proc, DWORD_PTR owner) : window_(window), proc_(proc) {
        ::SetWindowSubclass(window_, proc_, 0, owner);
    }
    ~Subclass() { ::RemoveWindowSubclass(window_, proc_, 0); }
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;

  private:
    HWND window_;
    SUBCLASSPROC proc_;
};

}  // namespace win32
