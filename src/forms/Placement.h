#pragma once

namespace forms {

struct TwipsPoint {
    double left = 0;
    double top = 0;
};

// Where a dialog opens beside the strip: above it when the strip lies in the lower half of the screen,
// below it otherwise; right edges aligned when it lies in the right half, left edges otherwise. Twips.
TwipsPoint PlaceBesideStrip(double stripLeft, double stripTop, double stripWidth, double stripHeight,
                            double dialogWidth, double dialogHeight, double screenWidth, double screenHeight);

}  // namespace forms
