// Registration by dropping files and shortcuts from the shell on the strip.
#include "forms/NumberText.h"
#include "mainwindow/MainF.h"
#include "platform/Shortcut.h"
#include "platform/TextCodec.h"

namespace mainwindow {

namespace {

const char kChangeMode[] = "モードを変更してください";
const char kAlreadyRegistered[] = "ここには登録済みです";
const char kNoFreeSlot[] = "登録に空きがありません";

}  // namespace

std::optional<std::string> MainF::DroppedPath(const forms::DropData& data) {
    if (!data.hasFileList || data.files.empty())
        return std::nullopt;
    const std::optional<std::string> path = platform::ResolveShortcut(platform_, data.files.front());
    if (!path) {
        ViewCaption.setCaption("ショートカットを読めません");
        return std::nullopt;
    }
    // A path the stored files could not hold would be lost at the next save: refuse it now.
    const platform::Outcome<std::string> encoded = platform::toCp932(*path);
    if (!encoded) {
        ViewCaption.setCaption("登録できない文字：" + encoded.problem());
        return std::nullopt;
    }
    return path;
}

void MainF::PrepareRegistration(const std::string& path) {
    ViewCaption.setCaption("");
    TitleT.setText("");
    BatchT.setText("");
    PathT.setText(path);
    if (!s_.Expanded)
        ToggleExpanded();
    TitleT.setFocus();
}

void MainF::ShowDraggedOverSlot(int index, const forms::DropData&) {
    HideCommandBox();
    s_.CurrentSlot = static_cast<state::Integer>(index);
    if (index == s_.ShownSlot)
        return;
    if (s_.Mode != state::GridMode::Launcher) {
        ViewCaption.setCaption(kChangeMode);
        s_.CurrentSlot = s_.ShownSlot;
        return;
    }
    // Unlike hovering, a drag always shows the slot under the mouse.
    const state::ItemRecord& item = s_.RunItems(s_.RunPage, index);
    ShowRecord(item);
    const bool there =
        !PathT.text().empty() && platform_.listingFinds(PathT.text(), platform::Listing::FilesOnly);
    DrawPanelIcons(there ? PathT.text() : s_.ExePath);
    if (TitleT.text() == state::EmptyMarker)
        TitleT.setText("");
    s_.ShownSlot = s_.CurrentSlot;
}

void MainF::RegisterDropOnSlot(int index, const forms::DropData& data) {
    if (s_.Mode != state::GridMode::Launcher) {
        ViewCaption.setCaption(kChangeMode);
        return;
    }
    if (!data.hasFileList || data.files.empty())
        return;
    if (!s_.RunItems(s_.RunPage, index).isEmpty()) {
        ViewCaption.setCaption(kAlreadyRegistered);
        return;
    }
    const std::optional<std::string> path = DroppedPath(data);
    if (!path)
        return;
    DrawPanelIcons(*path);
    PrepareRegistration(*path);
}

void MainF::TakeDroppedPath(const forms::DropData& data) {
    if (s_.Mode != state::GridMode::Launcher) {
        ViewCaption.setCaption(kChangeMode);
        return;
    }
    const std::optional<std::string> path = DroppedPath(data);
    if (!path)
        return;
    DrawPanelIcons(*path);
    PathT.setText(*path);
    TitleT.setFocus();
}

void MainF::RegisterDropInFreeSlot(const forms::DropData& data) {
    if (!data.hasFileList || data.files.empty())
        return;
    const int free = s_.RunItems.firstFree();
    if (free < 0) {
        ViewCaption.setCaption(kNoFreeSlot);
        return;
    }
    const std::optional<std::string> path = DroppedPath(data);
    if (!path)
        return;
    s_.RunPage = static_cast<state::Integer>(free / state::kSlots);
    s_.CurrentSlot = static_cast<state::Integer>(free % state::kSlots);
    s_.ShownSlot = s_.CurrentSlot;
    s_.Mode = state::GridMode::Launcher;
    // Filled after the switch, so that the command box offers the launcher's short names.
    FillCommandList();
    DrawPanelIcons(*path);
    PageV.setCaption(forms::NumberText(s_.RunPage));
    PrepareRegistration(*path);
}

}  // namespace mainwindow
