#pragma once

#include <string>
#include <vector>

#include "state/State.h"

namespace checks {

// What is wrong with a state that the program holds or has loaded: a text the stored files could not
// hold as it stands, a setting or view value out of its range. Empty when the state is valid.
std::vector<std::string> StateProblems(const state::LauncherState& s);

// The fields that the three stored files keep, compared; a hotkey key holding a double quote or a comma
// does not read back as written and is left out. Empty when both states store the same.
std::vector<std::string> StoredDifferences(const state::LauncherState& a, const state::LauncherState& b);

}  // namespace checks
