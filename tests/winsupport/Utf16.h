// UTF-8 and UTF-16 for the Windows test programs: the strings they read from windows and files, and
// the messages they print. Independent of the program's own conversion, which some of them test.
#pragma once

#include <string>
#include <string_view>

namespace winsupport {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

}  // namespace winsupport
