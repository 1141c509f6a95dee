// The command box: starts an item by its short name, completing what is typed from the list.
#include <algorithm>

#include "forms/Utf8.h"
#include "mainwindow/MainF.h"
#include "mainwindow/ShellLaunch.h"

namespace mainwindow {

namespace {

// After Backspace and these typed characters the text is left as typed: # $ % & ' ( - .
bool suppressesCompletion(int keyChar) {
    constexpr int codes[] = {8, 35, 36, 37, 38, 39, 40, 45, 46};
    return std::find(std::begin(codes), std::end(codes), keyChar) != std::end(codes);
}

}  // namespace

int FindListEntry(const forms::Control& control, const std::string& text, bool exact) {
    if (control.kind() != forms::Control::Kind::ComboBox)
        return -1;
    const auto& combo = static_cast<const forms::ComboBox&>(control);
    return exact ? combo.findExact(text) : combo.findPrefix(text);
}

void MainF::FillCommandList() {
    Input_Com.clearList();
    // Page order, unsorted: completion takes the first match in the order the grid holds them.
    const state::Grid& grid = s_.currentGrid();
    for (int n = 0; n < state::kGridSize; ++n) {
        if (!grid.at(n).Batch.empty())
            Input_Com.addItem(grid.at(n).Batch);
    }
}

void MainF::OpenCommandBox() {
    Input_Com.setVisible(true);
    Input_Com.setEnabled(true);
    s_.CommandBoxFresh = true;
    Input_Com.setText("");
    Input_Com.setFocus();
}

void MainF::CommandBoxKey(int& keyAscii) {
    LastKeyChar = keyAscii;
    s_.CommandBoxFresh = false;
    if (TypesOverCompletion(keyAscii)) {
        // The same entry stays completed and only the selection moves on: the text is not typed,
        // rewritten and completed again for the same result.
        keyAscii = 0;
        const forms::Selection shown = Input_Com.selection();
        Input_Com.setSelection({shown.start + 1, shown.length - 1});
        ShowEntryIcon(Input_Com.text());
    } else if (keyAscii == 27) {
        keyAscii = 0;
        HideCommandBox();
    } else if (keyAscii == 13) {
        keyAscii = 0;
        HideCommandBox();
        LaunchByShortName(Input_Com.text());
    }
}

bool MainF::TypesOverCompletion(int keyAscii) const {
    // A character as the completed text has it next, in the same case: typing it gives the text it
    // already shows. The first entry that begins with what is then typed must be the one completed.
    if (keyAscii < 33 || keyAscii > 126 || suppressesCompletion(keyAscii) || Input_Com.listIndex() < 0)
        return false;
    const std::string text = Input_Com.text();
    const forms::Selection shown = Input_Com.selection();
    const auto start = static_cast<std::size_t>(shown.start);
    return shown.length > 0 &&
           start + static_cast<std::size_t>(shown.length) == forms::characterCount(text) &&
           forms::characterSlice(text, start, 1) == std::string(1, static_cast<char>(keyAscii)) &&
           Input_Com.list()[static_cast<std::size_t>(Input_Com.listIndex())] == text &&
           FindListEntry(Input_Com, forms::characterSlice(text, 0, start + 1), false) ==
               Input_Com.listIndex();
}

void MainF::CompleteShortName() {
    // The completed text raises Change once more; that run would find the same entry and change
    // nothing, so one keystroke costs one completion.
    if (completing_)
        return;
    const int pos = Input_Com.selStart();
    const int typedLength = static_cast<int>(forms::characterCount(Input_Com.text()));
    const int idx = FindListEntry(Input_Com, Input_Com.text(), false);
    if (suppressesCompletion(LastKeyChar) || idx == -1)
        return;

    // The dropped list is scrolled and redrawn only for a new match.
    if (idx != Input_Com.listIndex()) {
        Input_Com.setTopIndex(idx);
        Input_Com.setListIndex(idx);
    }
    const std::string entry = Input_Com.list()[static_cast<std::size_t>(idx)];
    completing_ = true;
    Input_Com.setText(entry);
    completing_ = false;
    const int completedLength = static_cast<int>(forms::characterCount(entry));
    Input_Com.setSelection({pos, completedLength - typedLength});
    ShowEntryIcon(entry);
}

void MainF::ShowEntryIcon(const std::string& entry) {
    if (s_.Mode != state::GridMode::Launcher)
        return;
    for (int n = 0; n < state::kGridSize; ++n) {
        const state::ItemRecord& item = s_.RunItems.at(n);
        if (item.Batch != entry)
            continue;
        const bool there = platform_.listingFinds(item.Path, platform::Listing::FilesAndFolders) ||
                           platform_.listingFinds(item.Path, platform::Listing::FilesOnly);
        DrawPanelIcons(there ? item.Path : s_.ExePath);
        break;
    }
}

void MainF::StartChosenEntry() {
    if (!s_.CommandBoxFresh)
        return;
    HideCommandBox();
    if (!Input_Com.text().empty())
        LaunchByShortName(Input_Com.text());
}

void MainF::LaunchByShortName(const std::string& text) {
    if (text.empty())
        return;
    const state::Grid& grid = s_.currentGrid();
    for (int n = 0; n < state::kGridSize; ++n) {
        if (grid.at(n).Batch == text) {
            // An empty path starts nothing here either, as on the run buttons.
            StartItem(platform_, s_, grid.at(n).Path);
            return;
        }
    }
}

}  // namespace mainwindow
