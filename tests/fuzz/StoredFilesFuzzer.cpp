// Arbitrary bytes as the three stored files: loading must leave every field valid, and what is then
// saved must load again as the same state, without a word.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "FakePlatform.h"
#include "StateChecks.h"
#include "state/State.h"
#include "state/StoredFiles.h"

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

state::LauncherState startState() {
    state::LauncherState s;
    state::SetPaths(s, "C:\\Tolvane", "tolvane");
    s.BrowserPath = state::kDefaultBrowserPath;
    s.ClockFormat = state::kDefaultClockFormat;
    return s;
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
    require(checks::StateProblems(first).empty());

    platform.messageBoxes.clear();
    require(static_cast<bool>(state::SaveAll(first, platform)));
    state::LauncherState second = startState();
    state::LoadAll(second, platform);
    require(platform.messageBoxes.empty());
    require(checks::StoredDifferences(first, second).empty());
    return 0;
}
