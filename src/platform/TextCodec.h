#pragma once

#include <string>
#include <string_view>

#include "platform/Outcome.h"

namespace platform {

// The stored files and skins are code page 932 (Shift_JIS as Windows has it), whatever the machine's
// own code page. Nothing is ever replaced by a look-alike or a question mark: a text that cannot be
// converted is reported instead: a failed outcome's problem is the first character (UTF-8) or byte
// sequence (hex) at fault.

// UTF-8 to code page 932. Fails on a character that code page 932 cannot hold.
Outcome<std::string> toCp932(std::string_view utf8);
// Code page 932 to UTF-8. Fails on a byte sequence that is not valid code page 932.
Outcome<std::string> fromCp932(std::string_view bytes);
// True when every character of the UTF-8 text can be written in code page 932.
bool fitsCp932(std::string_view utf8);

}  // namespace platform
