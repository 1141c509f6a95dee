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
    const double rowTop =
        (options->Frame3.rect().top + options->HotKeyV[id].rect().top) * options->twipsPerPixelY();
    MoveOntoStripMonitor(platform_, *mainF_, dialog, options->left(),
                         options->top() + rowTop + dialog.height() / 2);
    dialog.activate();
    const state::HotkeyEntry& entry = s_.Hotkeys[static_cast<std::size_t>(id)];
    dialog.HotKeyTitle.setCaption(options->HTI[id].caption());
    // Any value but 0 is set, as registration reads it; OK writes 0 or 1 back.
    dialog.HotC.setValue(entry.Ctrl != 0 ? 1 : 0);
    dialog.HotA.setValue(entry.Alt != 0 ? 1 : 0);
    dialog.HotS.setValue(entry.Shift != 0 ? 1 : 0);
    dialog.HotW.setText(entry.Key);
    dialog.HK_IDGiven = id;
}

}  // namespace app
