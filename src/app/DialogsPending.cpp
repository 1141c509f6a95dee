// The dialogs that their own changes build. Until then the opener shows again at once, so that it
// never stays hidden behind a window that does not exist.
#include "app/Launcher.h"

namespace app {

// The skin dialog's own change builds this.
void Launcher::OpenSkinDialog() {
    ReturnToOptions();
}

}  // namespace app
