#pragma once

#include <utility>

#include "forms/Control.h"
#include "forms/Geometry.h"
#include "platform/win32/Handles.h"

namespace win32 {

// The font of a control, at `dpi`. On the skinned strip a control shows its font exactly as set. On a
// dialog a control whose font the program left at the runtime's default shows the system's message font,
// the one every dialog of the machine uses (on a Japanese Windows its UI font), so that the dialogs look
// at home; a font the program set to anything else is taken as it is. Controls that show the same font
// at the same dpi hold one font object together; it is deleted when the last of them lets go.
class SharedFont {
  public:
    SharedFont() = default;
    SharedFont(const forms::Control& control, const forms::Font& font, int dpi);
    ~SharedFont();
    SharedFont(SharedFont&& other) noexcept : font_(std::exchange(other.font_, nullptr)) {}
    SharedFont& operator=(SharedFont&& other) noexcept;
    SharedFont(const SharedFont&) = delete;
    SharedFont& operator=(const SharedFont&) = delete;
    HFONT get() const { return font_; }

  private:
    HFONT font_ = nullptr;
};

// The system's message font at `dpi`.
UniqueFont createMessageFont(int dpi);

}  // namespace win32
