#pragma once

#include <windows.h>

#include "forms/Geometry.h"
#include "platform/ScreenScale.h"
#include "platform/win32/Screens.h"

namespace win32 {

// Design pixels and device pixels: see platform/ScreenScale.h.
using Scale = platform::Scale;

// Mouse positions as the runtime wants them: design pixels relative to the control.
inline forms::MouseArgs toDesign(forms::MouseArgs args, const Scale& scale) {
    args.x = scale.toDesign(args.x);
    args.y = scale.toDesign(args.y);
    return args;
}

// The scale of the monitor that `window` is on (the system's when the window is not known).
Scale scaleOf(HWND window);

// The outer size of a window whose client area is `client` device pixels at `dpi`.
SIZE outerSizeFor(HWND window, SIZE client, int dpi);

}  // namespace win32
