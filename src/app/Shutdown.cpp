// The end: the main window gives back what it took and saves everything.
#include <cmath>

#include "app/Launcher.h"
#include "state/StoredFiles.h"

namespace app {

void Launcher::End() {
    mainF_->unload();
}

void Launcher::CloseDialogs() {
    hotKeyOpt_.close();
    skinF_.close();
    linkPage_.close();
    itemOptF_.close();
    optF_.close();
}

// However the window closes (also when Windows shuts down), these steps run once. The dialogs go
// first: none of them saves on its way out, so the one save below holds everything.
void Launcher::ClosingSteps() {
    closing_ = true;
    CloseDialogs();
    mainwindow::MainF& form = *mainF_;
    form.ReleaseHotkeys();
    s_.WindowLeft = static_cast<state::Single>(form.left());
    s_.WindowTop = static_cast<state::Long>(std::lround(form.top()));
    platform::Reported(platform_, state::SaveAll(s_, platform_));
}

}  // namespace app
