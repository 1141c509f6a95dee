#pragma once

#include <string>

namespace forms {

// A number as the runtime writes it for a caption: the sign's place (a blank for a number that is not
// negative), then the decimal digits. The page number and the counts show numbers so.
std::string NumberText(int number);

}  // namespace forms
