#pragma once

#include "platform/Platform.h"
#include "state/State.h"

namespace state {

// Writes Tolv.ini, then TURL.dat, then TRUN.dat, each replaced atomically, from the state.
// Succeeds when all three now hold the state as it stands. A file that cannot be written keeps its old
// content; a text that code page 932 cannot hold, or that holds a line break, is written as an empty
// slot or as the setting's default. The failed outcome names both kinds in one text for the person;
// the state itself is not changed.
platform::Outcome<> SaveAll(const LauncherState& s, platform::Platform& platform);

// As SaveAll, but writes only those of the three files that do not exist yet: a first run in a folder
// that already holds item files must not write empty grids over them.
platform::Outcome<> SaveMissing(const LauncherState& s, platform::Platform& platform);

// Reads Tolv.ini, then TURL.dat, then TRUN.dat into the state. A file that cannot be read as it
// should is copied to a backup beside it and reported (which file, which line, what was wrong);
// afterwards every field holds a valid value.
void LoadAll(LauncherState& s, platform::Platform& platform);

}  // namespace state
