#pragma once

#include "forms/Form.h"
#include "platform/Platform.h"

namespace app {

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

}  // namespace app
