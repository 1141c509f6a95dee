// The four run buttons: a left click starts the slot's item, a right click opens it for editing,
// hovering shows it.
#include "mainwindow/MainF.h"
#include "mainwindow/ShellLaunch.h"

namespace mainwindow {

void MainF::StartOrEditSlot(int index, const forms::MouseArgs& args) {
    HideCommandBox();
    const state::ItemRecord& item = s_.currentRecord(index);
    if (args.button == forms::kLeftButton) {
        StartItem(platform_, s_, item.Path);
    } else if (args.button == forms::kRightButton) {
        if (!s_.Expanded)
            ToggleExpanded();
        if (item.Path.empty()) {
            // An empty slot is offered the clipboard when it holds something of the mode's kind: its
            // first line only, since a copied path or address often ends in a line break.
            std::string clip = platform_.clipboardText();
            clip = clip.substr(0, clip.find_first_of("\r\n"));
            if (clip.find(s_.Mode == state::GridMode::Launcher ? ".exe" : "http") != std::string::npos)
                PathT.setText(clip);
            if (item.isEmpty())
                TitleT.setText("");
        }
        TitleT.setFocus();
    }
}

bool MainF::HasPendingEdit() const {
    const state::ItemRecord& shown = s_.currentGrid()(s_.currentPage(), s_.ShownSlot);
    const std::string title = shown.isEmpty() ? std::string() : shown.Title;
    return TitleT.text() != title || BatchT.text() != shown.Batch || PathT.text() != shown.Path;
}

void MainF::ShowHoveredSlot(int index, const forms::MouseArgs&) {
    HideCommandBox();
    s_.CurrentSlot = static_cast<state::Integer>(index);
    if (index == s_.ShownSlot)
        return;
    // Unsaved edits keep the fields, and the slot they belong to, until stored or undone.
    if (s_.Expanded && HasPendingEdit()) {
        s_.CurrentSlot = s_.ShownSlot;
        return;
    }
    ShowSlot(index);
}

void MainF::ShowSlot(int slot) {
    const state::ItemRecord& item = s_.currentRecord(slot);
    ShowRecord(item);
    if (s_.Mode == state::GridMode::Launcher)
        DrawPanelIcons(item.isEmpty() ? s_.ExePath : item.Path);
    if (TitleT.text() == state::EmptyMarker)
        TitleT.setText("");
    s_.ShownSlot = static_cast<state::Integer>(slot);
}

void MainF::ShowShownSlotAgain() {
    // What the fields show is what the store label writes: the shown slot.
    s_.CurrentSlot = s_.ShownSlot;
    if (!s_.ClockShown) {
        ShowSlot(s_.ShownSlot);
        return;
    }
    const state::ItemRecord& item = s_.currentRecord(s_.ShownSlot);
    TitleT.setText(item.isEmpty() ? std::string() : item.Title);
    BatchT.setText(item.Batch);
    PathT.setText(item.Path);
    // The clock keeps the caption and the program's icon; the slot icons may have changed.
    if (s_.Mode == state::GridMode::Launcher)
        DrawPanelIcons(s_.ExePath);
}

}  // namespace mainwindow
