#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "forms/Image.h"
#include "platform/ScreenScale.h"
#include "platform/win32/Handles.h"

namespace win32 {

// The icon and picture types that the Win32 Platform hands out and the Win32 backend draws.

// A shell icon: the small one it was loaded as, and the same icon at any other size, taken from the
// system at that size when first asked for (a 24-pixel icon at 150 %, never a 16-pixel one stretched).
class Win32Icon : public forms::Icon {
  public:
    explicit Win32Icon(HICON icon, std::wstring path = {});
    HICON get() const { return icon_.get(); }
    // The icon `size` device pixels square; the small one when the system has no other.
    HICON at(int size) const;

  private:
    UniqueIcon icon_;
    int size_;
    std::wstring path_;
    mutable std::map<int, UniqueIcon> sizes_;
};

// A picture kept as a 32-bit top-down DIB section of its design size, with an optional drawing of
// the same picture at twice that size. Scaled copies are made once per scale, with a smooth scaler.
class Win32Picture : public forms::Picture {
  public:
    // Makes the double-size drawing, or an empty bitmap when there is none of twice the size. Called
    // once, when a scale first needs it: a screen at 100 % never decodes it.
    using DoubleSizeSource = std::function<UniqueBitmap()>;

    Win32Picture(HBITMAP bitmap, int width, int height, DoubleSizeSource doubleSize = {})
        : bitmap_(bitmap), width_(width), height_(height), doubleSource_(std::move(doubleSize)) {}
    HBITMAP get() const { return bitmap_.get(); }
    int width() const override { return width_; }
    int height() const override { return height_; }
    bool hasDoubleSize() const { return doubleSize() != nullptr; }
    // The picture at `scale`: width() x height() scaled to device pixels; from 150 % up made from the
    // double-size drawing when there is one. nullptr when no scaled copy could be made.
    HBITMAP at(const platform::Scale& scale) const;

  private:
    HBITMAP doubleSize() const;

    UniqueBitmap bitmap_;
    int width_;
    int height_;
    mutable DoubleSizeSource doubleSource_;
    mutable UniqueBitmap double_;
    mutable std::map<int, UniqueBitmap> scaled_;  // by dpi
};

// The size of a bitmap in pixels.
SIZE bitmapSize(HBITMAP bitmap);
// A copy of a 32-bit premultiplied DIB section at `width` x `height`, scaled smoothly.
UniqueBitmap scaledBitmap(HBITMAP source, int width, int height);

}  // namespace win32
