#pragma once

#include "platform/Platform.h"
#include "state/State.h"

namespace state {

// Writes Tolv.ini, then TURL.dat, then TRUN.dat, each replaced atomically, from the state.
// Returns true when all three were written whole. Anything that could not be written as it stands
// is reported to the person in one message box.
bool SaveAll(LauncherState& s, platform::Platform& platform);

// Reads Tolv.ini, then TURL.dat, then TRUN.dat into the state. A file that cannot be read as it
// should is copied to a backup beside it and reported (which file, which line, what was wrong);
// afterwards every field holds a valid value.
void LoadAll(LauncherState& s, platform::Platform& platform);

}  // namespace state
