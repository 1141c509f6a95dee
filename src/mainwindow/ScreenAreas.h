#pragma once

#include <vector>

#include "forms/Geometry.h"

namespace mainwindow {

// A rectangle in twips, as form positions are measured.
struct Area {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
};

// The monitors (pixels) as areas in twips.
std::vector<Area> MonitorAreas(const std::vector<forms::Rect>& monitors, double twipsPerPixelX,
                               double twipsPerPixelY);
// The monitor a window is on: the one it overlaps most; when it overlaps none (its monitor is gone),
// the nearest one.
Area MonitorOfWindow(const std::vector<Area>& monitors, const Area& window);
// The monitor that holds a point, or the nearest one.
Area MonitorOfPoint(const std::vector<Area>& monitors, double x, double y);

// The timer's pointer test: the window rectangle in pixels, from twips, as floating point; a pointer
// on its border (the first row or column included) is outside.
bool PointerInsideWindow(int x, int y, double leftTwips, double topTwips, double widthTwips,
                         double heightTwips, double twipsPerPixel);

}  // namespace mainwindow
