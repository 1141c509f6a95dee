#include "state/State.h"

namespace state {

int Grid::firstFree() const {
    for (int n = 0; n < kGridSize; ++n) {
        if (at(n).isEmpty()) return n;
    }
    return -1;
}

void SetPaths(LauncherState& s, const std::string& programFolder, const std::string& exeBaseName) {
    s.IniPath = programFolder + "\\Tolv.ini";
    s.UrlDataPath = programFolder + "\\TURL.dat";
    s.RunDataPath = programFolder + "\\TRUN.dat";
    s.ExePath = programFolder + "\\" + exeBaseName + ".exe";
}

void SetDefaultHotkeys(LauncherState& s) {
    const char* keys[kHotkeyCount] = {"T", "M", "C", "R", "W"};
    for (int id = 0; id < kHotkeyCount; ++id) {
        s.Hotkeys[static_cast<std::size_t>(id)] = HotkeyEntry{1, 1, 0, keys[id]};
    }
}

}  // namespace state
