#pragma once

#include "forms/Form.h"
#include "platform/Platform.h"

namespace app {

struct TwipsPoint {
    double left = 0;
    double top = 0;
};

// Where a dialog opens beside the strip: above it when the strip lies in the lower half of the screen,
// below it otherwise; right edges aligned when it lies in the right half, left edges otherwise. Twips.
TwipsPoint PlaceBesideStrip(double stripLeft, double stripTop, double stripWidth, double stripHeight,
                            double dialogWidth, double dialogHeight, double screenWidth, double screenHeight);

// The monitor the strip is on, in twips.
struct MonitorOfStrip {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};
MonitorOfStrip StripMonitor(platform::Platform& platform, const forms::Form& strip);

// Moves a dialog to (left, top), twips, pulled back as far as needed to lie whole on the strip's monitor.
void MoveOntoStripMonitor(platform::Platform& platform, const forms::Form& strip, forms::Form& dialog,
                          double left, double top);
// A dialog opened from another one: at its opener's left edge, centred on it from top to bottom.
void MoveOverOpener(platform::Platform& platform, const forms::Form& strip, forms::Form& dialog,
                    const forms::Form& opener);

}  // namespace app
