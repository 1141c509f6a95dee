#pragma once

#include "forms/Geometry.h"
#include "platform/win32/Handles.h"

namespace win32 {

// The font of a standard control (button, check box, frame, list box, picture box text).
// A control whose font the program left at the runtime's default shows the system's message font, the
// one every dialog of the machine uses (on a Japanese Windows its UI font), so that the dialogs look at
// home; a font the program set to anything else is taken as it is. Either way at `dpi`.
UniqueFont createControlFont(const forms::Font& font, int dpi);

// The system's message font at `dpi`.
UniqueFont createMessageFont(int dpi);

}  // namespace win32
