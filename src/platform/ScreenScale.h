#pragma once

#include <vector>

#include "forms/Geometry.h"
#include "platform/Platform.h"

namespace platform {

// Design pixels, device pixels and twips.
//
// The windows are described in design pixels, the pixels of a 96-dpi screen. A monitor of `dpi` dots
// per inch shows one design pixel as dpi / 96 device pixels; the Win32 side converts at every system
// call, so the launcher works in design pixels only and never learns the scale.
//
// The core sees the whole desktop in design pixels too (monitors, the cursor, its windows' bounds).
// With monitors of different scale there is no single factor for the virtual screen, so each monitor
// keeps its top left corner where the system puts it and only its extent is divided by its own scale:
// design = corner + (device - corner) * 96 / dpi. The monitors' design areas then never overlap
// (each lies inside its device area), and a point maps through the monitor that holds it.
//
// Twips stay 1/1440 of a design inch: 15 per design pixel at every scale. On the primary monitor
// (corner 0, 0) a stored position in twips is device pixels * 1440 / dpi, the twip of the logical
// inch that Windows itself scales by, so the same twips bring the strip back to the same place after
// a restart at the same scale, and to the same proportion of the screen's logical width after a
// change of scale (the start-up clamping then keeps it on the screen).
class Scale {
  public:
    explicit Scale(int dpi = 96) : dpi_(dpi > 0 ? dpi : 96) {}

    int dpi() const { return dpi_; }
    int toDevice(int design) const { return muldiv(design, dpi_, 96); }
    int toDesign(int device) const { return muldiv(device, 96, dpi_); }
    // Edges are scaled, not sizes, so that rectangles that touch at 96 dpi still touch.
    forms::Rect toDevice(const forms::Rect& r) const;
    forms::Rect toDesign(const forms::Rect& r) const;
    // The character height in device pixels of a font of `points`, to the nearest pixel (8.25 pt is
    // 11 at 96 dpi).
    int fontHeight(double points) const;

    bool operator==(const Scale&) const = default;

  private:
    // a * b / c rounded half away from zero, as the system's MulDiv.
    static int muldiv(int a, int b, int c);
    int dpi_;
};

struct Monitor {
    forms::Rect device;  // virtual-screen device pixels
    int dpi = 96;
};

// The monitors of the desktop, and the mapping between their device pixels and the design pixels
// that the core sees (described above).
class ScreenMap {
  public:
    // The primary monitor first; an empty list stands for one 1024 x 768 monitor at 96 dpi.
    explicit ScreenMap(std::vector<Monitor> monitors);

    const std::vector<Monitor>& monitors() const { return monitors_; }
    forms::Rect designArea(const Monitor& monitor) const;
    std::vector<forms::Rect> designAreas() const;

    // The monitor a rectangle is on: the one it overlaps most, else the nearest one.
    const Monitor& monitorOfDevice(const forms::Rect& device) const;
    const Monitor& monitorOfDesign(const forms::Rect& design) const;

    // A window's rectangle, mapped through the monitor it is on.
    forms::Rect toDesign(const forms::Rect& device) const;
    forms::Rect toDevice(const forms::Rect& design) const;
    // A point, mapped through the monitor that holds it (or the nearest one).
    Point pointToDesign(int x, int y) const;

  private:
    std::vector<Monitor> monitors_;
};

}  // namespace platform
