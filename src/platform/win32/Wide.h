#pragma once

#include <string>
#include <string_view>

namespace win32 {

// UTF-8 inside, UTF-16 at every Win32 call.
std::wstring widen(std::string_view utf8);
std::string narrow(std::wstring_view utf16);

}  // namespace win32
