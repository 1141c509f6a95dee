// The link page dialog: opened by the item editor of the URL grid, which stays hidden until it closes.
#include <memory>

#include "app/DialogPlacement.h"
#include "app/Launcher.h"

namespace app {

void Launcher::OpenLinkPageDialog() {
    const dialogs::ItemOptF* editor = itemOptF_.get();
    if (!editor)
        return;
    dialogs::HTMLGF& dialog =
        linkPage_.open([this] { return std::make_unique<dialogs::HTMLGF>(backend_, *this, s_, platform_); });
    MoveOverOpener(platform_, *mainF_, dialog, *editor);
    dialog.activate();
}

}  // namespace app
