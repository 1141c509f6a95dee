// Moving the strip: the system's drag loop, then the strip is brought back inside the screen.
#include "mainwindow/MainF.h"
#include "mainwindow/ScreenAreas.h"

namespace mainwindow {

void MainF::DragStrip(const forms::MouseArgs& args) {
    HideCommandBox();
    if (args.button != forms::kLeftButton)
        return;
    platform_.dragWindow(handle());
    // Back inside the monitor the strip was dropped on (with one monitor: the screen).
    const Area screen =
        MonitorOfWindow(MonitorAreas(platform_.monitors(), twipsPerPixelX(), twipsPerPixelY()),
                        {left(), top(), left() + width(), top() + height()});
    if (top() < screen.top)
        setTop(screen.top);
    if (left() < screen.left)
        setLeft(screen.left);
    if (top() + height() > screen.bottom)
        setTop(screen.bottom - height());
    if (left() + width() > screen.right)
        setLeft(screen.right - width());
}

void MainF::ToggleOrderOrLock(const forms::MouseArgs& args) {
    HideCommandBox();
    if (args.button == forms::kLeftButton) {
        ToggleZOrder();
    } else if (args.button == forms::kRightButton) {
        s_.ZOrderLock = s_.ZOrderLock == 1 ? 0 : 1;
        ShowLockMark();
    }
}

void MainF::ShowLockMark() {
    Label4.setCaption(s_.ZOrderLock == 1 ? "H" : "");
}

}  // namespace mainwindow
