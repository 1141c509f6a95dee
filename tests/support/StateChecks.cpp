#include "StateChecks.h"

#include <cmath>

#include "platform/TextCodec.h"

namespace checks {
namespace {

void checkText(const std::string& text, const std::string& what, std::vector<std::string>& problems) {
    if (text.find_first_of("\r\n") != std::string::npos)
        problems.push_back(what + " holds a line break");
    if (!platform::fitsCp932(text))
        problems.push_back(what + " cannot be stored: " + text);
}

void checkRange(int value, int low, int high, const std::string& what, std::vector<std::string>& problems) {
    if (value < low || value > high)
        problems.push_back(what + " is " + std::to_string(value));
}

bool keyReadsBack(const std::string& key) {
    return key.find_first_of("\",") == std::string::npos;
}

}  // namespace

std::vector<std::string> StateProblems(const state::LauncherState& s,
                                       const state::LauncherState* checkedBefore) {
    std::vector<std::string> problems;
    for (int n = 0; n < state::kGridSize; ++n) {
        for (const auto* grid : {&s.RunItems, &s.UrlItems}) {
            if (checkedBefore &&
                grid->at(n) ==
                    (grid == &s.RunItems ? checkedBefore->RunItems : checkedBefore->UrlItems).at(n))
                continue;
            const std::string where =
                (grid == &s.RunItems ? "launcher item " : "address item ") + std::to_string(n);
            checkText(grid->at(n).Path, where + " path", problems);
            checkText(grid->at(n).Batch, where + " short name", problems);
            checkText(grid->at(n).Title, where + " title", problems);
        }
    }
    for (const auto& entry : s.Hotkeys)
        checkText(entry.Key, "hotkey key", problems);
    checkText(s.BrowserPath, "browser path", problems);
    checkText(s.SkinFile, "skin file", problems);
    checkText(s.ClockFormat, "clock pattern", problems);
    if (!std::isfinite(s.WindowLeft))
        problems.push_back("window left is not finite");
    checkRange(s.RunPage, 0, state::kPages - 1, "launcher page", problems);
    checkRange(s.UrlPage, 0, state::kPages - 1, "address page", problems);
    return problems;
}

std::vector<std::string> StoredDifferences(const state::LauncherState& a, const state::LauncherState& b) {
    std::vector<std::string> differences;
    const auto compare = [&](bool same, const char* what) {
        if (!same)
            differences.push_back(what);
    };
    for (int n = 0; n < state::kGridSize; ++n) {
        compare(a.RunItems.at(n) == b.RunItems.at(n), "a launcher item");
        compare(a.UrlItems.at(n) == b.UrlItems.at(n), "an address item");
    }
    compare(a.WindowLeft == b.WindowLeft && a.WindowTop == b.WindowTop, "the window position");
    compare(a.ZOrderBottom == b.ZOrderBottom && a.ZOrderLock == b.ZOrderLock, "the window order");
    compare(a.Mode == b.Mode, "the mode");
    compare(a.UseInternetExplorer == b.UseInternetExplorer && a.BrowserPath == b.BrowserPath, "the browser");
    compare(a.SkinFile == b.SkinFile, "the skin");
    compare(a.ClockFormat == b.ClockFormat && a.ShowIcon == b.ShowIcon, "the clock or icon setting");
    for (std::size_t id = 0; id < a.Hotkeys.size(); ++id) {
        const state::HotkeyEntry& x = a.Hotkeys[id];
        const state::HotkeyEntry& y = b.Hotkeys[id];
        compare(x.Ctrl == y.Ctrl && x.Alt == y.Alt && x.Shift == y.Shift, "a hotkey's modifiers");
        if (keyReadsBack(x.Key))
            compare(x.Key == y.Key, "a hotkey's key");
    }
    return differences;
}

}  // namespace checks
