#pragma once

#include <windows.h>

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
// the same picture at twice that size, read from its file when a scale first needs it. Scaled copies
// are made once per scale, with a smooth scaler.
class Win32Picture : public forms::Picture {
  public:
    Win32Picture(HBITMAP bitmap, int width, int height, std::wstring doubleSizePath = {})
        : bitmap_(bitmap), width_(width), height_(height), doubleSizePath_(std::move(doubleSizePath)) {}
    HBITMAP get() const { return bitmap_.get(); }
    int width() const override { return width_; }
    int height() const override { return height_; }
    // The picture at `scale`: width() x height() scaled to device pixels; from 150 % up made from the
    // double-size drawing when there is one. nullptr when no scaled copy could be made.
    HBITMAP at(const platform::Scale& scale) const;

  private:
    UniqueBitmap bitmap_;
    int width_;
    int height_;
    mutable std::wstring doubleSizePath_;  // until it is read
    mutable UniqueBitmap double_;
    mutable std::map<int, UniqueBitmap> scaled_;  // by dpi
};

// The size of a bitmap in pixels.
SIZE bitmapSize(HBITMAP bitmap);
// The picture in the file at `path` as a 32-bit premultiplied top-down DIB section, and its size.
UniqueBitmap loadBitmap(const std::wstring& path, int& widthOut, int& heightOut);
// A copy of a 32-bit premultiplied DIB section at `width` x `height`, scaled smoothly.
UniqueBitmap scaledBitmap(HBITMAP source, int width, int height);

}  // namespace win32
