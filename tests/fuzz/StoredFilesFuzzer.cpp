// Arbitrary bytes as the three stored files: loading must leave every field valid, and what is then
// saved must load again as the same state, without a word.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "FakePlatform.h"
#include "platform/TextCodec.h"
#include "state/State.h"
#include "state/StoredFiles.h"

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

// A stored text must be valid UTF-8 that fits one line of a file again.
void requireText(const std::string& text) {
    require(text.find_first_of("\r\n") == std::string::npos);
    require(platform::fitsCp932(text));
}

void requireValid(const state::LauncherState& s) {
    require(s.Mode == 0 || s.Mode == 1);
    for (int n = 0; n < state::kGridSize; ++n) {
        for (const state::Grid* grid : {&s.RunItems, &s.UrlItems}) {
            requireText(grid->at(n).Path);
            requireText(grid->at(n).Batch);
            requireText(grid->at(n).Title);
        }
    }
    for (const auto& entry : s.Hotkeys)
        requireText(entry.Key);
    requireText(s.BrowserPath);
    requireText(s.SkinFile);
    requireText(s.ClockFormat);
    require(s.WindowLeft == s.WindowLeft && s.WindowLeft - s.WindowLeft == 0);  // finite
}

state::LauncherState startState() {
    state::LauncherState s;
    state::SetPaths(s, "C:\\Tolvane", "tolvane");
    s.BrowserPath = state::kDefaultBrowserPath;
    s.ClockFormat = state::kDefaultClockFormat;
    return s;
}

// A key that holds a double quote or a comma does not read back as written; all else must.
bool keyReadsBack(const std::string& key) {
    return key.find_first_of("\",") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    fake::FakePlatform platform;
    platform.addFolder("C:\\Tolvane");
    const std::uint8_t missing = input.ConsumeIntegral<std::uint8_t>();
    const std::string files[] = {"C:\\Tolvane\\Tolv.ini", "C:\\Tolvane\\TURL.dat", "C:\\Tolvane\\TRUN.dat"};
    for (std::size_t i = 0; i < 3; ++i) {
        std::string bytes =
            i < 2 ? input.ConsumeRandomLengthString(size) : input.ConsumeRemainingBytesAsString();
        if (!(missing & (1u << i)))
            platform.addFile(files[i], bytes);
    }

    state::LauncherState first = startState();
    state::LoadAll(first, platform);
    requireValid(first);

    platform.messageBoxes.clear();
    require(state::SaveAll(first, platform));
    state::LauncherState second = startState();
    state::LoadAll(second, platform);
    require(platform.messageBoxes.empty());
    require(second.RunItems == first.RunItems && second.UrlItems == first.UrlItems);
    require(second.WindowLeft == first.WindowLeft && second.WindowTop == first.WindowTop);
    require(second.ZOrderBottom == first.ZOrderBottom && second.ZOrderLock == first.ZOrderLock);
    require(second.Mode == first.Mode && second.UseInternetExplorer == first.UseInternetExplorer);
    require(second.BrowserPath == first.BrowserPath && second.SkinFile == first.SkinFile);
    require(second.ClockFormat == first.ClockFormat && second.ShowIcon == first.ShowIcon);
    for (std::size_t id = 0; id < first.Hotkeys.size(); ++id) {
        const state::HotkeyEntry& a = first.Hotkeys[id];
        const state::HotkeyEntry& b = second.Hotkeys[id];
        require(a.Ctrl == b.Ctrl && a.Alt == b.Alt && a.Shift == b.Shift);
        if (keyReadsBack(a.Key))
            require(a.Key == b.Key);
    }
    return 0;
}
