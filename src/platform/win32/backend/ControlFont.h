#pragma once

#include <memory>

#include "forms/Control.h"
#include "forms/Geometry.h"
#include "platform/win32/Handles.h"

namespace win32 {

// A font that every control showing it at the same dpi holds; deleted when the last one lets go.
using SharedFont = std::shared_ptr<HFONT__>;

// The font of a control, at `dpi`. On the skinned strip a control shows its font exactly as set. On a
// dialog a control whose font the program left at the runtime's default shows the system's message font,
// the one every dialog of the machine uses (on a Japanese Windows its UI font), so that the dialogs look
// at home; a font the program set to anything else is taken as it is. Controls that show the same font
// at the same dpi share one.
SharedFont controlFont(const forms::Control& control, const forms::Font& font, int dpi);

// The system's message font at `dpi`.
UniqueFont createMessageFont(int dpi);

}  // namespace win32
