// The five hotkeys as the dialogs change them, and the capture dialog beside the options dialog.
#include <memory>

#include "app/DialogPlacement.h"
#include "app/Launcher.h"

namespace app {

void Launcher::RegisterHotkeys() {
    mainF_->Set_HK_ID();
    if (dialogs::OptF* options = optF_.get())
        options->ShowHotkeys();
}

bool Launcher::HotkeyWorks(int id) {
    return mainF_->HotkeyRegistered(id);
}

// Opened by a click on one of the options dialog's hotkey texts, level with that text (a little below
// it, by half its own height) and at the options dialog's left edge.
void Launcher::OpenHotkeyDialog(int id) {
    const dialogs::OptF* options = optF_.get();
    if (!options || id < 0 || id >= state::kHotkeyCount)
        return;
    dialogs::THotKeyOpt& dialog = hotKeyOpt_.open(
        [this] { return std::make_unique<dialogs::THotKeyOpt>(backend_, *this, s_, platform_); });
    MoveOntoStripMonitor(platform_, *mainF_, dialog, options->left(),
                         options->HotkeyRowTop(id) + dialog.height() / 2);
    dialog.activate();
    dialog.Edit(id, options->HotkeyTitle(id));
}

}  // namespace app
