// Arbitrary short names in the launcher grid and arbitrary typing, pasting and list picks in the command
// box of a running strip: the box's text is always what was typed or a list entry that begins with it,
// the selection stays inside the text, and the completed tail is exactly what was not typed.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <memory>
#include <string>

#include "FakePlatform.h"
#include "FuzzChecks.h"
#include "HeadlessBackend.h"
#include "app/Launcher.h"
#include "forms/Utf8.h"

using fuzzchecks::require;

namespace {

// One strip for the whole run: starting one per input would spend the time on start-up. It is never
// destroyed: its closing save would run after the text codec's per-thread state is gone.
struct Strip {
    Strip() {
        platform.addFolder("C:\\Tolvane");
        platform.addFile("C:\\Tolvane\\tolvane.exe", "MZ");
        launcher = std::make_unique<app::Launcher>(backend, platform);
        require(launcher->Main());
    }
    fake::FakePlatform platform;
    headless::HeadlessBackend backend;
    std::unique_ptr<app::Launcher> launcher;
};

void requireConsistent(const forms::ComboBox& box, const std::string& typed, bool completes) {
    const std::string& text = box.text();
    const int length = static_cast<int>(forms::characterCount(text));
    const forms::Selection selection = box.selection();
    require(selection.start >= 0 && selection.length >= 0 && selection.start + selection.length <= length);
    if (!completes)
        return;
    const int entry = forms::findListPrefix(box.list(), typed);
    if (entry < 0) {
        require(text == typed);
        return;
    }
    require(text == box.list()[static_cast<std::size_t>(entry)]);
    require(box.listIndex() == entry);
    require(forms::startsWithIgnoringCase(text, typed));
    const int typedLength = static_cast<int>(forms::characterCount(typed));
    require(selection.start == typedLength && selection.length == length - typedLength);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Strip& strip = *new Strip;
    FuzzedDataProvider input(data, size);
    state::LauncherState& s = strip.launcher->state();
    mainwindow::MainF& mainF = strip.launcher->mainForm();
    s.Mode = state::GridMode::Launcher;
    for (int n = 0; n < state::kGridSize; ++n)
        s.RunItems.at(n) = state::ItemRecord::empty();
    for (int n = input.ConsumeIntegralInRange(0, 8); n > 0; --n) {
        state::ItemRecord& item = s.RunItems.at(input.ConsumeIntegralInRange(0, state::kGridSize - 1));
        item = {"C:\\p.exe", input.ConsumeRandomLengthString(16), "t"};
    }
    mainF.FillCommandList();
    forms::ComboBox& box = mainF.Input_Com;
    headless::click(mainF.ViewCaption);

    while (input.remaining_bytes() > 0 && box.visible()) {
        const std::string before = box.text();
        const forms::Selection selection = box.selection();
        switch (input.ConsumeIntegralInRange(0, 3)) {
            case 0: {  // a typed character, completion included
                const int key = input.ConsumeIntegralInRange(32, 126);
                headless::typeChar(box, key);
                // What was typed replaces the selection; completion then works on the text up to the caret.
                const std::size_t from =
                    forms::byteOffsetOfCharacter(before, static_cast<std::size_t>(selection.start));
                const std::size_t to = forms::byteOffsetOfCharacter(
                    before, static_cast<std::size_t>(selection.start + selection.length));
                const std::string typed = before.substr(0, from) + static_cast<char>(key) + before.substr(to);
                const bool leftAsTyped =
                    std::string("#$%&'(-.").find(static_cast<char>(key)) != std::string::npos;
                requireConsistent(box, typed, !leftAsTyped && to == before.size());
                break;
            }
            case 1:
                headless::typeChar(box, 8);
                requireConsistent(box, box.text(), false);
                break;
            case 2: {
                headless::paste(box, input.ConsumeRandomLengthString(8));
                requireConsistent(box, box.text(), false);
                break;
            }
            default:
                if (!box.list().empty())
                    headless::pickListEntry(
                        box, input.ConsumeIntegralInRange(0, static_cast<int>(box.list().size()) - 1));
                requireConsistent(box, box.text(), false);
                break;
        }
    }
    if (box.visible())
        headless::typeChar(box, 27);
    strip.platform.processes.clear();
    strip.platform.shellOpens.clear();
    strip.platform.messageBoxes.clear();
    return 0;
}
