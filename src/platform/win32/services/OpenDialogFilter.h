#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace win32 {

// The open-file dialog's filter list: every description and pattern ends with a NUL, and one more NUL
// ends the list. Empty when there are no pairs.
std::wstring dialogFilter(const std::vector<platform::FilterPair>& pairs);

// The 1-based pair selected when the dialog opens, kept inside the list: an index past it selects the
// last pair. 0 when there are no pairs.
unsigned dialogFilterIndex(int requested, std::size_t pairCount);

}  // namespace win32
