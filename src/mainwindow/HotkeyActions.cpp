// The main window's hotkey actions and the window-order toggle.
#include "mainwindow/MainF.h"

namespace mainwindow {

void MainF::MyMsg(int id) {
    switch (id) {
        case 0: {
            // The hotkey toggles the window order even while the mouse toggle is locked.
            const state::Integer kept = s_.ZOrderLock;
            if (kept == 1)
                s_.ZOrderLock = 0;
            ToggleZOrder();
            s_.ZOrderLock = kept;
            break;
        }
        case 1:
            SwitchMode();
            break;
        case 2:
            OpenCommandBox();
            break;
        case 3:
            if (s_.Mode == state::GridMode::Url)
                SwitchMode();
            OpenCommandBox();
            break;
        case 4:
            if (s_.Mode == state::GridMode::Launcher)
                SwitchMode();
            OpenCommandBox();
            break;
        default:
            break;
    }
}

void MainF::ToggleZOrder() {
    if (s_.ZOrderLock == 1)
        return;
    s_.ZOrderBottom = s_.ZOrderBottom == 1 ? 0 : 1;
    ApplyWindowOrder();
}

void MainF::ApplyWindowOrder() {
    if (s_.ZOrderBottom != 0) {
        zoL.setCaption("B");
        platform_.setWindowOrder(handle(), platform::WindowOrder::Bottom);
    } else {
        zoL.setCaption("T");
        platform_.setWindowOrder(handle(), platform::WindowOrder::Topmost);
    }
}

}  // namespace mainwindow
