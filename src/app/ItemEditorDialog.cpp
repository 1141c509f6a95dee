// The item editor: opened by the options dialog, which hides meanwhile, over that dialog.
#include <memory>

#include "app/DialogPlacement.h"
#include "app/Launcher.h"

namespace app {

void Launcher::OpenItemEditor(int rorEp) {
    const dialogs::OptF* options = optF_.get();
    if (!options)
        return;
    dialogs::ItemOptF& editor = itemOptF_.open(
        [this] { return std::make_unique<dialogs::ItemOptF>(backend_, *this, s_, platform_); });
    MoveOverOpener(platform_, *mainF_, editor, *options);
    editor.activate();
    editor.EditGrid(rorEp);
}

void Launcher::ReturnToItemEditor() {
    if (closing_)
        return;
    if (dialogs::ItemOptF* editor = itemOptF_.get())
        editor->activate();
}

}  // namespace app
