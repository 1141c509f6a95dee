#pragma once

#include <string>
#include <vector>

#include "state/State.h"

namespace checks {

// What is wrong with a state that the program holds or has loaded: a text the stored files could not
// hold as it stands, a setting or view value out of its range. Empty when the state is valid. With
// `checkedBefore`, a state found valid earlier, items that are the same there are not checked again.
std::vector<std::string> StateProblems(const state::LauncherState& s,
                                       const state::LauncherState* checkedBefore = nullptr);

// The fields that the three stored files keep, compared; a hotkey key holding a double quote or a comma
// does not read back as written and is left out. Empty when both states store the same.
std::vector<std::string> StoredDifferences(const state::LauncherState& a, const state::LauncherState& b);

}  // namespace checks
