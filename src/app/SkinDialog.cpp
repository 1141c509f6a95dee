// The skin dialog: opened from the options dialog, in its place while it hides.
#include <memory>

#include "app/Launcher.h"

namespace app {

void Launcher::OpenSkinDialog() {
    dialogs::SkinForm& dialog =
        skinF_.open([this] { return std::make_unique<dialogs::SkinForm>(backend_, *this, s_, platform_); });
    // On the options dialog's left edge, centred on it from top to bottom.
    if (const dialogs::OptF* options = optF_.get())
        dialog.move(options->left(), options->top() + (options->height() - dialog.height()) / 2);
    dialog.activate();
}

}  // namespace app
