#pragma once

#include <string>

#include "state/State.h"

namespace state {

// The stored settings and hotkeys as the first run writes them; a value that cannot be read or
// written falls back to these.
inline LauncherState firstRunSettings() {
    LauncherState s;
    s.UseInternetExplorer = 1;
    s.BrowserPath = kDefaultBrowserPath;
    s.SkinFile = kDefaultSkinFile;
    s.ClockFormat = kDefaultClockFormat;
    SetDefaultHotkeys(s);
    return s;
}

// The hotkey roles as the options dialog names them, for messages.
inline constexpr const char* kHotkeyRoles[kHotkeyCount] = {"常に一番前に表示／解除", "モード変更",
                                                           "省略起動（共通）", "省略起動（ランチャー）",
                                                           "省略起動（ＵＲＬ）"};

inline constexpr const char* kRunGridName = "ランチャー";
inline constexpr const char* kUrlGridName = "ＵＲＬ";

}  // namespace state
