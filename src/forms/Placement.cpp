#include "forms/Placement.h"

namespace forms {

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

}  // namespace forms
