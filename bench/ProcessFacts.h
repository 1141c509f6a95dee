// What the bench reads about a running program from outside it. Under Wine some of the usual figures
// read 0 (PrivateUsage, GetGuiResources), so the Wine process's own /proc entry and the program's GDI
// handle table stand in for them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace bench {

// The Linux process that runs the Windows program named exeName (for example "tolvane.exe") in this
// bench's Wine prefix; nullopt when there is none or more than one.
std::optional<int> UnixPidOf(const std::wstring& exeName);

// RssAnon of the Linux process in KiB: the private memory of the program under Wine.
std::optional<long> PrivateKiB(int unixPid);
// The part of it in the C heap of the Linux process ("[heap]" in smaps): what Wine's own Unix-side
// code (its drivers, font rendering, window surfaces) allocates. Windows code, the program's and the
// system DLLs', never allocates there: their heaps are mappings of their own.
std::optional<long> UnixHeapKiB(int unixPid);
// User and system CPU time of the Linux process in clock ticks (100 a second).
std::optional<long> CpuTicks(int unixPid);

// GDI objects the process holds now (stock objects not counted): GetGuiResources where it works,
// else the entries of the process's GDI handle table. nullopt when neither can be read.
std::optional<long> GdiObjects(HANDLE process);
// USER objects: GetGuiResources where it works, else the windows the process owns (top level and
// children), which are what the launcher creates of them.
std::optional<long> UserObjects(HANDLE process, DWORD pid);

// Whether counting our own GDI table follows objects we create and delete (a check that the table
// layout is the one this code expects).
bool GdiTableCountsWork();

// File names (lower case) of the modules loaded in the process.
std::vector<std::wstring> LoadedModules(HANDLE process);

}  // namespace bench
