// The end: the main window gives back what it took and saves everything.
#include <cmath>

#include "app/Launcher.h"
#include "state/StoredFiles.h"

namespace app {

void Launcher::End() {
    mainF_->unload();
}

// However the window closes (also when Windows shuts down), these steps run once.
void Launcher::ClosingSteps() {
    mainwindow::MainF& form = *mainF_;
    for (int id = state::kHotkeyCount - 1; id >= 0; --id)
        form.unregisterHotkey(id);
    s_.WindowLeft = static_cast<state::Single>(form.left());
    s_.WindowTop = static_cast<state::Long>(std::lround(form.top()));
    state::SaveAll(s_, platform_);
}

}  // namespace app
