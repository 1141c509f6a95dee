// The strip's routines as the dialogs ask for them.
#include "app/Launcher.h"
#include "mainwindow/Skin.h"

namespace app {

void Launcher::DrawPanelIcons(const std::string& path) {
    mainF_->DrawPanelIcons(path);
}

void Launcher::FillCommandList() {
    mainF_->FillCommandList();
}

void Launcher::ApplySkin(const std::string& skinPath) {
    mainwindow::ApplySkin(*mainF_, skinPath);
}

}  // namespace app
