#pragma once

#include <string>

#include "platform/Platform.h"
#include "state/State.h"

namespace mainwindow {

// "explorer " and the target, unchanged: opens a folder in a new window.
void OpenWithExplorer(platform::Platform& platform, const std::string& target);
// The shell's "open" on the target, with the program's own folder as the working folder.
void OpenWithShell(platform::Platform& platform, const std::string& target);

// Starts a launcher item's path: a folder in Explorer, an existing program by itself, an existing
// document through the shell; nothing when nothing is there or the path is empty.
void StartLauncherPath(platform::Platform& platform, const std::string& path);
// Opens an address through the browser object, or with BrowserPath; nothing for an empty address.
void StartUrl(platform::Platform& platform, const state::LauncherState& s, const std::string& address);
// The item's path in the mode that shows it.
void StartItem(platform::Platform& platform, const state::LauncherState& s, const std::string& path);

// A program's path as the start of a command line: quoted when it holds a blank, so that the
// program reads its own arguments correctly.
std::string ProgramInCommandLine(const std::string& program);

}  // namespace mainwindow
