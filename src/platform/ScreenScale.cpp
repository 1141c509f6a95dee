#include "platform/ScreenScale.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace platform {

int Scale::muldiv(int a, int b, int c) {
    const std::int64_t n = static_cast<std::int64_t>(a) * b;
    const std::int64_t half = c / 2;
    return static_cast<int>(n >= 0 ? (n + half) / c : -((-n + half) / c));
}

forms::Rect Scale::toDevice(const forms::Rect& r) const {
    const int left = toDevice(r.left);
    const int top = toDevice(r.top);
    return {left, top, toDevice(r.left + r.width) - left, toDevice(r.top + r.height) - top};
}

forms::Rect Scale::toDesign(const forms::Rect& r) const {
    const int left = toDesign(r.left);
    const int top = toDesign(r.top);
    return {left, top, toDesign(r.left + r.width) - left, toDesign(r.top + r.height) - top};
}

int Scale::fontHeight(double points) const {
    return static_cast<int>(std::lround(points * dpi_ / 72.0));
}

namespace {

std::int64_t overlap(int a0, int a1, int b0, int b1) {
    return std::max(0, std::min(a1, b1) - std::max(a0, b0));
}

std::int64_t gap(int a0, int a1, int b0, int b1) {
    return std::max({0, b0 - a1, a0 - b1});
}

// The index of the area a rectangle overlaps most, else of the nearest one.
std::size_t areaOf(const std::vector<forms::Rect>& areas, const forms::Rect& r) {
    std::size_t best = 0;
    std::int64_t bestOverlap = 0;
    std::int64_t bestGap = std::numeric_limits<std::int64_t>::max();
    for (std::size_t i = 0; i < areas.size(); ++i) {
        const forms::Rect& a = areas[i];
        const std::int64_t shared = overlap(r.left, r.left + r.width, a.left, a.left + a.width) *
                                    overlap(r.top, r.top + r.height, a.top, a.top + a.height);
        const std::int64_t dx = gap(r.left, r.left + r.width, a.left, a.left + a.width);
        const std::int64_t dy = gap(r.top, r.top + r.height, a.top, a.top + a.height);
        const std::int64_t distance = dx * dx + dy * dy;
        if (shared > bestOverlap || (bestOverlap == 0 && shared == 0 && distance < bestGap)) {
            best = i;
            bestOverlap = shared;
            bestGap = distance;
        }
    }
    return best;
}

forms::Rect mapThrough(const forms::Rect& r, const forms::Rect& from, const forms::Rect& to,
                       const Scale& scale, bool toDevice) {
    const forms::Rect local{r.left - from.left, r.top - from.top, r.width, r.height};
    const forms::Rect mapped = toDevice ? scale.toDevice(local) : scale.toDesign(local);
    return {mapped.left + to.left, mapped.top + to.top, mapped.width, mapped.height};
}

}  // namespace

ScreenMap::ScreenMap(std::vector<Monitor> monitors) : monitors_(std::move(monitors)) {
    if (monitors_.empty())
        monitors_.push_back({{0, 0, 1024, 768}, 96});
}

forms::Rect ScreenMap::designArea(const Monitor& monitor) const {
    const Scale scale(monitor.dpi);
    return {monitor.device.left, monitor.device.top, scale.toDesign(monitor.device.width),
            scale.toDesign(monitor.device.height)};
}

std::vector<forms::Rect> ScreenMap::designAreas() const {
    std::vector<forms::Rect> areas;
    for (const Monitor& m : monitors_)
        areas.push_back(designArea(m));
    return areas;
}

const Monitor& ScreenMap::monitorOfDevice(const forms::Rect& device) const {
    std::vector<forms::Rect> areas;
    for (const Monitor& m : monitors_)
        areas.push_back(m.device);
    return monitors_[areaOf(areas, device)];
}

const Monitor& ScreenMap::monitorOfDesign(const forms::Rect& design) const {
    return monitors_[areaOf(designAreas(), design)];
}

forms::Rect ScreenMap::toDesign(const forms::Rect& device) const {
    const Monitor& m = monitorOfDevice(device);
    return mapThrough(device, m.device, designArea(m), Scale(m.dpi), false);
}

forms::Rect ScreenMap::toDevice(const forms::Rect& design) const {
    const Monitor& m = monitorOfDesign(design);
    return mapThrough(design, designArea(m), m.device, Scale(m.dpi), true);
}

Point ScreenMap::pointToDesign(int x, int y) const {
    // As a one-pixel rectangle, so that a point on the edge between two monitors belongs to one of them;
    // the device pixel lies in the design pixel that holds it (rounded down, not to the nearest).
    const Monitor& m = monitorOfDevice({x, y, 1, 1});
    const auto down = [&](int offset) {
        const std::int64_t n = static_cast<std::int64_t>(offset) * 96;
        return static_cast<int>(n >= 0 ? n / m.dpi : -((-n + m.dpi - 1) / m.dpi));
    };
    return {m.device.left + down(x - m.device.left), m.device.top + down(y - m.device.top)};
}

}  // namespace platform
