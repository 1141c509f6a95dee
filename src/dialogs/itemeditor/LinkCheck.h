#pragma once

#include <functional>
#include <string>

#include "platform/Platform.h"
#include "state/State.h"

namespace dialogs {

// Whether a registration's path is still where it was registered: a listing of exactly that path finds
// a file or a folder (wildcards match; hidden and system entries are never found). An empty path
// belongs to an empty slot and counts as present.
bool RegistrationPresent(platform::Platform& platform, const std::string& path);

struct VanishedOutcome {
    bool anyMissing = false;
    int removed = 0;
};

// Walks the launcher grid in list order and asks, for each registration that is no longer present,
// whether to delete it. A Yes empties that slot at once, runs `afterRemoval` (the command box list)
// and saves everything before the next slot is tested.
VanishedOutcome AskAboutVanishedItems(state::LauncherState& s, platform::Platform& platform,
                                      const std::function<void()>& afterRemoval);

// The link check of the item editor: the questions above, then a note when nothing was missing.
VanishedOutcome RunLinkCheck(state::LauncherState& s, platform::Platform& platform,
                             const std::function<void()>& afterRemoval);

}  // namespace dialogs
