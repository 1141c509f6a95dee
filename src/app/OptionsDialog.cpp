// The options dialog: opened by a right click on the mode icon, beside the strip.
#include <memory>

#include "app/DialogPlacement.h"
#include "app/Launcher.h"

namespace app {

void Launcher::OpenOptions() {
    // While a dialog opened from it is open, the options dialog stays hidden behind that one.
    if (const dialogs::OptF* open = optF_.get(); open && !open->visible())
        return;
    dialogs::OptF& dialog =
        optF_.open([this] { return std::make_unique<dialogs::OptF>(backend_, *this, s_, platform_); });
    const mainwindow::MainF& strip = *mainF_;
    // Above the strip when it lies in the lower half of its monitor, below it otherwise; right edges
    // aligned when it lies in the right half, left edges otherwise.
    const MonitorOfStrip monitor = StripMonitor(platform_, strip);
    const TwipsPoint place = PlaceBesideStrip(
        strip.left() - monitor.left, strip.top() - monitor.top, strip.width(), strip.height(), dialog.width(),
        dialog.height(), monitor.width, monitor.height);
    MoveOntoStripMonitor(platform_, strip, dialog, monitor.left + place.left, monitor.top + place.top);
    dialog.activate();
}

void Launcher::ReturnToOptions() {
    if (closing_)
        return;
    if (dialogs::OptF* dialog = optF_.get())
        dialog->activate();
}

void Launcher::ShowCurrentSkin(const std::string& skinFile) {
    if (dialogs::OptF* dialog = optF_.get())
        dialog->ShowSkin(skinFile);
}

}  // namespace app
