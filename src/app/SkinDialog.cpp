// The skin dialog: opened from the options dialog, in its place while it hides.
#include <memory>

#include "app/DialogPlacement.h"
#include "app/Launcher.h"

namespace app {

void Launcher::OpenSkinDialog() {
    dialogs::SkinForm& dialog =
        skinF_.open([this] { return std::make_unique<dialogs::SkinForm>(backend_, *this, s_, platform_); });
    if (const dialogs::OptF* options = optF_.get())
        MoveOverOpener(platform_, *mainF_, dialog, *options);
    dialog.activate();
}

}  // namespace app
