// Moving the strip: the system's drag loop, then the strip is brought back inside the screen.
#include "mainwindow/MainF.h"

namespace mainwindow {

void MainF::FormMouseDown(const forms::MouseArgs& args) {
    HideCommandBox();
    if (args.button != forms::kLeftButton) return;
    platform_.dragWindow(handle());
    const platform::Size screen = platform_.screenSize();
    const double screenWidth = screen.width * twipsPerPixelX();
    const double screenHeight = screen.height * twipsPerPixelY();
    if (top() < 0) setTop(0);
    if (left() < 0) setLeft(0);
    if (top() + height() > screenHeight) setTop(screenHeight - height());
    if (left() + width() > screenWidth) setLeft(screenWidth - width());
}

void MainF::ZoLMouseDown(const forms::MouseArgs& args) {
    HideCommandBox();
    if (args.button == forms::kLeftButton) {
        ToggleZOrder();
    } else if (args.button == forms::kRightButton) {
        s_.ZOrderLock = s_.ZOrderLock == 1 ? 0 : 1;
        Label4.setCaption(s_.ZOrderLock == 1 ? "H" : "");
    }
}

}  // namespace mainwindow
