// The end: dialogs first, then the main window, which gives back what it took and saves everything.
#include <cmath>

#include "app/Launcher.h"
#include "state/StoredFiles.h"

namespace app {

void Launcher::End() {
    CloseDialogs();
    mainF_->unload();
}

void Launcher::CloseDialogs() {
    for (forms::Form* dialog : dialogs_)
        dialog->unload();
}

void Launcher::ClosingSteps() {
    // However the window closes (also when Windows shuts down), no dialog outlives it.
    CloseDialogs();
    mainwindow::MainF& form = *mainF_;
    for (int id = state::kHotkeyCount - 1; id >= 0; --id)
        form.unregisterHotkey(id);
    s_.WindowLeft = static_cast<state::Single>(form.left());
    s_.WindowTop = static_cast<state::Long>(std::lround(form.top()));
    state::SaveAll(s_, platform_);
}

}  // namespace app
