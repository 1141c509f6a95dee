#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "forms/Geometry.h"

namespace win32 {

// The text of a window as UTF-16.
std::wstring windowText(HWND window);

// The selection of an edit (`getMessage` EM_GETSEL) or a combo box's edit (CB_GETEDITSEL), in UTF-16
// units as the control counts.
std::pair<DWORD, DWORD> selectedUnits(HWND window, UINT getMessage);

// Edit controls count UTF-16 units; the runtime counts characters (a surrogate pair is one).
forms::Selection selectionInCharacters(HWND window, UINT getMessage);
std::pair<DWORD, DWORD> selectionInUnits(const std::wstring& text, const forms::Selection& selection);

}  // namespace win32
