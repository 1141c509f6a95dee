#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "state/State.h"

namespace dialogs {

// Whether a registration's path is still where it was registered: a listing of exactly that path finds
// a file or a folder (wildcards match; hidden and system entries are never found). An empty path
// belongs to an empty slot and counts as present.
bool RegistrationPresent(platform::Platform& platform, const std::string& path);

// The volume a path lives on: its drive root ("Q:\" with the letter in capitals) or its share
// ("\\server\share\"), with backslashes; empty for a path that names none (relative, empty, an
// address).
std::string VolumeOf(const std::string& path);

struct VanishedOutcome {
    bool anyMissing = false;
    int removed = 0;
    // Registrations not looked at because their drive or share did not answer, and those volumes in
    // list order of their first registration.
    int skipped = 0;
    std::vector<std::string> skippedVolumes;
};

// Walks the launcher grid in list order and asks, for each registration that is no longer present,
// whether to delete it. A Yes empties that slot at once, runs `afterRemoval` (the command box list)
// and saves everything before the next slot is tested. A registration whose drive or share does not
// answer now is not asked about: it is most likely on a stick left at home or a server out of reach.
VanishedOutcome AskAboutVanishedItems(state::LauncherState& s, platform::Platform& platform,
                                      const std::function<void()>& afterRemoval);

// The link check of the item editor: the questions above, then a note of what was skipped, or of
// the all-clear when nothing was missing or skipped.
VanishedOutcome RunLinkCheck(state::LauncherState& s, platform::Platform& platform,
                             const std::function<void()>& afterRemoval);

}  // namespace dialogs
