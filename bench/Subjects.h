// The four programs the bench measures side by side: the launcher and its three floors, each started
// the same way and counted as ready by the same outside signal.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "../tests/e2e/Harness.h"

namespace bench {

enum class Kind { Launcher, PlainFloor, SystemFloor, LookFloor };
inline constexpr Kind kKinds[] = {Kind::PlainFloor, Kind::SystemFloor, Kind::LookFloor, Kind::Launcher};

// A program folder for each: the launcher's holds 128 registered items (64 launcher items with short
// names, 64 web addresses) and its default skin; the floors run beside the bench.
class Subjects {
  public:
    Subjects();
    const wchar_t* ExeName(Kind kind) const;
    // The short names of the launcher items, in grid order.
    const std::vector<std::wstring>& ShortNames() const { return shortNames_; }

    struct Started {
        e2e::Process process;
        HWND window = nullptr;
        double milliseconds = 0;  // from just before process creation until ready
    };
    // Starts the program and waits until it is ready: its window visible and painted, its children
    // too. The launcher registers its hotkeys before its window shows; the floors do the same. With
    // asideLauncher, a floor takes Ctrl+Shift instead of Ctrl+Alt so that it can run beside the launcher.
    std::optional<Started> Start(Kind kind, bool asideLauncher = false) const;
    static bool Close(Started& started);

  private:
    e2e::ProgramFolder launcherFolder_;
    std::wstring benchFolder_;
    std::vector<std::wstring> shortNames_;
};

}  // namespace bench
