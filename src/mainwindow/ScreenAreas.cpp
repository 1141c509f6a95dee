#include "mainwindow/ScreenAreas.h"

#include <algorithm>
#include <cmath>

namespace mainwindow {

namespace {

double overlap(double a0, double a1, double b0, double b1) {
    return std::max(0.0, std::min(a1, b1) - std::max(a0, b0));
}

double gap(double a0, double a1, double b0, double b1) {
    return std::max({0.0, b0 - a1, a0 - b1});
}

double distance(const Area& a, const Area& b) {
    return std::hypot(gap(a.left, a.right, b.left, b.right), gap(a.top, a.bottom, b.top, b.bottom));
}

}  // namespace

std::vector<Area> MonitorAreas(const std::vector<forms::Rect>& monitors, double twipsPerPixelX,
                               double twipsPerPixelY) {
    std::vector<Area> areas;
    for (const forms::Rect& m : monitors) {
        areas.push_back({m.left * twipsPerPixelX, m.top * twipsPerPixelY, (m.left + m.width) * twipsPerPixelX,
                         (m.top + m.height) * twipsPerPixelY});
    }
    return areas;
}

Area MonitorOfWindow(const std::vector<Area>& monitors, const Area& window) {
    if (monitors.empty())
        return window;
    const Area* best = nullptr;
    double bestOverlap = 0;
    for (const Area& m : monitors) {
        const double shared = overlap(window.left, window.right, m.left, m.right) *
                              overlap(window.top, window.bottom, m.top, m.bottom);
        if (shared > bestOverlap) {
            bestOverlap = shared;
            best = &m;
        }
    }
    if (best)
        return *best;
    return *std::min_element(monitors.begin(), monitors.end(), [&](const Area& a, const Area& b) {
        return distance(a, window) < distance(b, window);
    });
}

Area MonitorOfPoint(const std::vector<Area>& monitors, double x, double y) {
    // A point overlaps nothing, so the monitor that holds it is the nearest, at distance 0.
    return MonitorOfWindow(monitors, Area{x, y, x, y});
}

bool PointerInsideWindow(int x, int y, double leftTwips, double topTwips, double widthTwips,
                         double heightTwips, double twipsPerPixel) {
    // No scale, no rectangle: the pointer counts as outside rather than dividing by zero.
    if (!(twipsPerPixel > 0))
        return false;
    const double left = leftTwips / twipsPerPixel;
    const double right = (leftTwips + widthTwips) / twipsPerPixel;
    const double top = topTwips / twipsPerPixel;
    const double bottom = (topTwips + heightTwips) / twipsPerPixel;
    return left < x && x < right && top < y && y < bottom;
}

}  // namespace mainwindow
