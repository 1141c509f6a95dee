// The mode icon, the page selector and the store, undo and delete labels.
#include "mainwindow/MainF.h"
#include "platform/StorableText.h"
#include "state/StoredFiles.h"

namespace mainwindow {

namespace {

const char kHexDigits[] = "0123456789ABCDEF";

}  // namespace

void MainF::SwitchMode() {
    HideCommandBox();
    s_.CurrentSlot = 0;
    s_.ShownSlot = 0;
    // Each mode keeps its own page, so switching back returns to where that mode was.
    if (s_.Mode == state::GridMode::Launcher) {
        s_.Mode = state::GridMode::Url;
        DrawPanelIcons(s_.BrowserPath);
    } else {
        s_.Mode = state::GridMode::Launcher;
        DrawPanelIcons(s_.ExePath);
    }
    ShowFirstSlotOfPage();
    FillCommandList();
}

void MainF::DragOrOpenOptions(const forms::MouseArgs& args) {
    if (args.button == forms::kLeftButton) {
        DragStrip(args);
    } else if (args.button == forms::kRightButton && onOptionsRequested) {
        onOptionsRequested();
    }
}

void MainF::TurnPage(const forms::MouseArgs& args) {
    HideCommandBox();
    s_.CurrentSlot = 0;
    s_.ShownSlot = 0;
    if (args.button == forms::kLeftButton || args.button == forms::kRightButton) {
        state::Integer& page = s_.currentPage();
        const bool shiftAlone = args.shift == forms::kShiftMask;
        if (args.button == forms::kLeftButton) {
            page = shiftAlone ? 0 : static_cast<state::Integer>(page == state::kPages - 1 ? 0 : page + 1);
        } else {
            page = shiftAlone ? 5 : static_cast<state::Integer>(page == 0 ? state::kPages - 1 : page - 1);
        }
        PageV.setCaption(std::string(1, kHexDigits[page]));
        const state::ItemRecord& item = s_.currentRecord(0);
        ShowRecord(item);
        if (s_.Mode == state::GridMode::Launcher)
            DrawPanelIcons(item.isEmpty() ? s_.ExePath : item.Path);
    }
    if (TitleT.text() == state::EmptyMarker)
        TitleT.setText("");
}

bool MainF::EntryFieldsStorable() {
    // A line break would shift every later line of the file, and code page 932 lacks some
    // characters: such a text is refused before anything changes, in a box that the clock cannot
    // overwrite, and the fields keep what was typed.
    for (forms::TextBox* field : {&TitleT, &BatchT, &PathT}) {
        if (!platform::Reported(platform_, platform::Storable(field->text()))) {
            field->setFocus();
            return false;
        }
    }
    return true;
}

void MainF::EntryCommand(int index) {
    state::ItemRecord& item = s_.currentRecord(s_.CurrentSlot);
    if (index == 0 && !EntryFieldsStorable())
        return;
    HideCommandBox();
    ToggleExpanded();
    switch (index) {
        case 0:
            if (TitleT.text().empty())
                return;
            item.Title = TitleT.text();
            item.Batch = BatchT.text();
            item.Path = PathT.text();
            FillCommandList();
            platform::Reported(platform_, state::SaveAll(s_, platform_));
            break;
        case 1:
            TitleT.setText(item.Title);
            BatchT.setText(item.Batch);
            PathT.setText(item.Path);
            if (TitleT.text() == state::EmptyMarker)
                TitleT.setText("");
            return;
        case 2:
            item = state::ItemRecord::empty();
            FillCommandList();
            platform::Reported(platform_, state::SaveAll(s_, platform_));
            break;
        default:
            return;
    }
    if (onItemsChanged)
        onItemsChanged();
}

}  // namespace mainwindow
