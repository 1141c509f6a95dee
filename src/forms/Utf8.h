#pragma once

#include <string>
#include <string_view>

namespace forms {

// Text is UTF-8 inside the program. What a person sees counts characters (code points), never bytes.
std::size_t characterCount(std::string_view text);
// The byte offset of character `index`, or text.size() when the text is shorter.
std::size_t byteOffsetOfCharacter(std::string_view text, std::size_t index);
// Characters [first, first + count) of the text.
std::string characterSlice(std::string_view text, std::size_t first,
                           std::size_t count = std::string_view::npos);

// Letter case ignored the way the system's list searches ignore it: Latin letters, also full width.
bool startsWithIgnoringCase(std::string_view text, std::string_view prefix);
bool equalsIgnoringCase(std::string_view a, std::string_view b);

}  // namespace forms
