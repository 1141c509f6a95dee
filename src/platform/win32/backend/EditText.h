#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "forms/Geometry.h"

namespace win32 {

// The text of a window as UTF-16.
std::wstring windowText(HWND window);

// Edit controls count UTF-16 units; the runtime counts characters (a surrogate pair is one).
forms::Selection selectionInCharacters(const std::wstring& text, DWORD startUnit, DWORD endUnit);
std::pair<DWORD, DWORD> selectionInUnits(const std::wstring& text, const forms::Selection& selection);

}  // namespace win32
