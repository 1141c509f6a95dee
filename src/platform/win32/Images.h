#pragma once

#include <windows.h>

#include "forms/Image.h"
#include "platform/win32/Handles.h"

namespace win32 {

// The icon and picture types that the Win32 Platform hands out and the Win32 backend draws.
class Win32Icon : public forms::Icon {
  public:
    explicit Win32Icon(HICON icon) : icon_(icon) {}
    HICON get() const { return icon_.get(); }

  private:
    UniqueIcon icon_;
};

// A picture kept as a 32-bit top-down DIB section, drawn at its own size.
class Win32Picture : public forms::Picture {
  public:
    Win32Picture(HBITMAP bitmap, int width, int height) : bitmap_(bitmap), width_(width), height_(height) {}
    HBITMAP get() const { return bitmap_.get(); }
    int width() const override { return width_; }
    int height() const override { return height_; }

  private:
    UniqueBitmap bitmap_;
    int width_;
    int height_;
};

}  // namespace win32
