#include "app/DialogPlacement.h"

#include <algorithm>

#include "mainwindow/ScreenAreas.h"

namespace app {

MonitorOfStrip StripMonitor(platform::Platform& platform, const forms::Form& strip) {
    const mainwindow::Area window{strip.left(), strip.top(), strip.left() + strip.width(),
                                  strip.top() + strip.height()};
    const mainwindow::Area monitor = mainwindow::MonitorOfWindow(
        mainwindow::MonitorAreas(platform.monitors(), strip.twipsPerPixelX(), strip.twipsPerPixelY()),
        window);
    return {monitor.left, monitor.top, monitor.right - monitor.left, monitor.bottom - monitor.top};
}

void MoveOntoStripMonitor(platform::Platform& platform, const forms::Form& strip, forms::Form& dialog,
                          double left, double top) {
    const MonitorOfStrip monitor = StripMonitor(platform, strip);
    // A dialog larger than the monitor keeps its top left corner on it.
    left = std::max(monitor.left, std::min(left, monitor.left + monitor.width - dialog.width()));
    top = std::max(monitor.top, std::min(top, monitor.top + monitor.height - dialog.height()));
    dialog.move(left, top);
}

void MoveOverOpener(platform::Platform& platform, const forms::Form& strip, forms::Form& dialog,
                    const forms::Form& opener) {
    MoveOntoStripMonitor(platform, strip, dialog, opener.left(),
                         opener.top() + (opener.height() - dialog.height()) / 2);
}

TwipsPoint PlaceBesideStrip(double stripLeft, double stripTop, double stripWidth, double stripHeight,
                            double dialogWidth, double dialogHeight, double screenWidth,
                            double screenHeight) {
    TwipsPoint place;
    place.top =
        stripTop + stripHeight / 2 > screenHeight / 2 ? stripTop - dialogHeight - 1 : stripTop + stripHeight;
    place.left =
        stripLeft + stripWidth / 2 > screenWidth / 2 ? stripLeft - (dialogWidth - stripWidth) : stripLeft;
    return place;
}

}  // namespace app
