// The keys of the entry fields and the file chooser of the path field.
#include "mainwindow/MainF.h"
#include "platform/OpenDialog.h"

namespace mainwindow {

namespace {
constexpr int kEnter = 13;
constexpr int kEsc = 27;
}  // namespace

void MainF::TitleFieldKey(int& keyAscii) {
    if (keyAscii == kEnter) {
        keyAscii = 0;
        BatchT.setFocus();
    } else if (keyAscii == kEsc) {
        keyAscii = 0;
        EntryCommand(1);
    }
}

void MainF::ShortNameFieldKey(int& keyAscii) {
    if (keyAscii == kEnter) {
        keyAscii = 0;
        EntryCommand(0);
    } else if (keyAscii == kEsc) {
        keyAscii = 0;
        EntryCommand(1);
    }
}

void MainF::BrowseForPath() {
    if (s_.Mode != state::GridMode::Launcher)
        return;
    const std::string chosen =
        platform::ShowOpenDialog(platform_, handle(), {{"全てのファイル(*.*)", "*.*"}});
    if (!chosen.empty())
        PathT.setText(chosen);
}

}  // namespace mainwindow
