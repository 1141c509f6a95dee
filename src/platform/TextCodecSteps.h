#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/TextCodec.h"

namespace platform {

// Both codecs walk a text one character at a time through these steps, so that they agree on what
// counts as a character, on what is reported, and on the rule that a written character must read back
// as itself. The system converts only single characters.
using CharacterConversion = std::function<std::optional<std::string>(std::string_view)>;

// `decodeOne` turns the bytes of one code page 932 character (one or two bytes, well formed) into UTF-8.
Outcome<std::string> decodeByCharacter(std::string_view bytes, const CharacterConversion& decodeOne);
// `encodeOne` turns one UTF-8 character (not ASCII) into code page 932 bytes.
Outcome<std::string> encodeByCharacter(std::string_view utf8, const CharacterConversion& encodeOne,
                                       const CharacterConversion& decodeOne);

}  // namespace platform
