#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "state/State.h"

namespace state {

// The two kinds of line in the stored files. A text line is one String verbatim; a field line is
// values separated by commas, numbers plain and Strings in double quotes with nothing escaped.

// The lines of a file. CR LF, a lone CR and a lone LF all end a line; a last line without an end counts.
std::vector<std::string_view> splitLines(std::string_view bytes);
// Every line followed by CR LF, the last one too.
std::string joinLines(const std::vector<std::string>& lines);

// The fields of a field line, split at every comma. A field that starts with a double quote is the
// text up to the next double quote; whatever follows it up to the comma is dropped.
std::vector<std::string> splitFields(std::string_view line);
std::string quoted(std::string_view text);

enum class NumberError { None, NotANumber, OutOfRange };

NumberError readInteger(std::string_view field, Integer& value);
NumberError readLong(std::string_view field, Long& value);
// Any decimal form, fraction or exponent; infinities and NaN are not numbers.
NumberError readSingle(std::string_view field, Single& value);

// Plain decimal, a fraction only when there is one, the shortest form that reads back exactly, never
// exponent notation. The value must be finite.
std::string formatSingle(Single value);

}  // namespace state
