#pragma once

#include <optional>
#include <string>

#include "platform/Platform.h"

namespace platform {

// A dropped path as it is registered: a shortcut (".lnk" in any letter case) becomes its target, any
// other path stays as it is. Nothing when the shortcut cannot be read.
std::optional<std::string> ResolveShortcut(Platform& platform, const std::string& path);

}  // namespace platform
