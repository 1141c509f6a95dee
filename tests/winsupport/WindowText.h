// The text of another program's window, read without ever waiting on a hung program for long.
#pragma once

#include <windows.h>

#include <string>

namespace winsupport {

// WM_GETTEXT through SendMessageTimeout (2 s); empty when the window does not answer.
std::wstring WindowText(HWND window);

}  // namespace winsupport
