#include "platform/win32/backend/Fonts.h"

#include <cmath>

#include "platform/ScreenScale.h"
#include "platform/win32/Wide.h"

namespace win32 {

int fontHeightPixels(double points, int dpi) {
    return platform::Scale(dpi).fontHeight(points);
}

UniqueFont createFont(const forms::Font& font, int dpi) {
    const std::wstring face = widen(font.face);
    // A negative height asks for the character height, as the sizes in points mean.
    return UniqueFont(::CreateFontW(-fontHeightPixels(font.points, dpi), 0, 0, 0,
                                    font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                    DEFAULT_PITCH | FF_DONTCARE, face.c_str()));
}

}  // namespace win32
