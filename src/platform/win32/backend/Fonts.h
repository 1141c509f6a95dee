#pragma once

#include "forms/Geometry.h"
#include "platform/win32/Handles.h"

namespace win32 {

// The character height in pixels for a size in points, rounded to the nearest pixel (8.25 pt is 11 at 96
// dpi).
int fontHeightPixels(double points, int dpi);

UniqueFont createFont(const forms::Font& font, int dpi);

}  // namespace win32
