#pragma once

#include <string_view>

#include "platform/Outcome.h"

namespace platform {

// Whether the stored files can hold `text` as it stands. A failed outcome refuses it with
// "保存できない文字：" and the first character at fault, as a person should read it: "改行" for a line
// break (it would shift every later line of the file), otherwise the character that code page 932
// lacks.
Outcome<> Storable(std::string_view text);

}  // namespace platform
