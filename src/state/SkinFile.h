#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/Platform.h"

namespace state {

// A skin file: the font face and text colour of the strip's labels and its background picture.
struct SkinValues {
    std::string fontName;
    std::int32_t foreColor = 0;  // 0x00BBGGRR
    std::string picture;         // a file name inside the skins folder
    // Optional fourth line: the same picture drawn at twice the size, for screens scaled 150 % and
    // more. Readers of three lines ignore it.
    std::string doubleSizePicture;
};

// Reads the three lines of a skin file, and the optional fourth; a failed outcome names the file and
// says what was wrong.
platform::Outcome<SkinValues> ReadSkinFile(platform::Platform& platform, const std::string& path);

}  // namespace state
