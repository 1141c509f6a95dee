// The strip's routines as the dialogs ask for them, and the grids shown alike in every window.
#include "app/Launcher.h"
#include "mainwindow/Skin.h"

namespace app {

void Launcher::DrawPanelIcons(const std::string& path) {
    mainF_->DrawPanelIcons(path);
}

void Launcher::ItemsChanged() {
    mainF_->FillCommandList();
    mainF_->ShowShownSlotAgain();
    if (dialogs::OptF* options = optF_.get())
        options->ShowCounts();
}

void Launcher::StripItemsChanged() {
    if (dialogs::ItemOptF* editor = itemOptF_.get())
        editor->ShowGridAgain();
    if (dialogs::OptF* options = optF_.get())
        options->ShowCounts();
}

void Launcher::ApplySkin(const std::string& skinPath) {
    mainwindow::ApplySkin(*mainF_, skinPath);
}

}  // namespace app
