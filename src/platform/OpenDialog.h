#pragma once

#include <string>
#include <vector>

#include "platform/Platform.h"

namespace platform {

// The one open-file dialog of every window: opens in "C:\" with the second pair of the filter
// selected and the title "ファイルを開く". Returns the chosen path, or an empty text.
std::string ShowOpenDialog(Platform& platform, NativeWindow owner, const std::vector<FilterPair>& filters);

}  // namespace platform
