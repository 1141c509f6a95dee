#pragma once

#include <windows.h>

#include "forms/Geometry.h"

namespace win32 {

// The windows are described in design pixels: the pixels of a 96-dpi screen. A window on a monitor of
// `dpi` dots per inch shows one design pixel as dpi / 96 device pixels. The runtime and the launcher
// work in design pixels only; the peers convert at every system call.
class Scale {
  public:
    explicit Scale(int dpi = 96) : dpi_(dpi > 0 ? dpi : 96) {}

    int dpi() const { return dpi_; }
    int toDevice(int design) const { return ::MulDiv(design, dpi_, 96); }
    int toDesign(int device) const { return ::MulDiv(device, 96, dpi_); }
    // Edges are scaled, not sizes, so that rectangles that touch at 96 dpi still touch.
    forms::Rect toDevice(const forms::Rect& r) const {
        const int left = toDevice(r.left);
        const int top = toDevice(r.top);
        return {left, top, toDevice(r.left + r.width) - left, toDevice(r.top + r.height) - top};
    }
    forms::Rect toDesign(const forms::Rect& r) const {
        const int left = toDesign(r.left);
        const int top = toDesign(r.top);
        return {left, top, toDesign(r.left + r.width) - left, toDesign(r.top + r.height) - top};
    }

    bool operator==(const Scale&) const = default;

  private:
    int dpi_;
};

// The scale of the monitor that `window` is on (the system's when the window is not known).
Scale scaleOf(HWND window);

}  // namespace win32
