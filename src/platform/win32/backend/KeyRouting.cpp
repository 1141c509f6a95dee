#include "platform/win32/backend/KeyRouting.h"

#include "forms/Control.h"
#include "forms/Form.h"
#include "platform/win32/backend/FormWindow.h"
#include "platform/win32/backend/WindowMessages.h"

namespace win32 {
namespace {

// The control whose window is `window` or holds it (a combo box for its inner edit).
forms::Control* controlOf(const forms::Form& form, HWND root, HWND window) {
    for (; window && window != root; window = ::GetParent(window)) {
        for (forms::Control* control : form.controls()) {
            if (toHwnd(control->handle()) == window)
                return control;
        }
    }
    return nullptr;
}

}  // namespace

int keyShiftMask() {
    int shift = 0;
    if (::GetKeyState(VK_SHIFT) < 0)
        shift |= forms::kShiftMask;
    if (::GetKeyState(VK_CONTROL) < 0)
        shift |= forms::kCtrlMask;
    if (::GetKeyState(VK_MENU) < 0)
        shift |= forms::kAltMask;
    return shift;
}

bool routeKeyToRuntime(MSG& msg) {
    const bool down = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    const bool up = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
    if (!down && !up)
        return false;
    // Alt alone opens the window menu; it is the system's, as is F10.
    if (msg.wParam == VK_MENU || msg.wParam == VK_F10)
        return false;
    HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
    forms::Form* form = FormWindow::formOf(root);
    if (!form)
        return false;
    const int key = static_cast<int>(msg.wParam);
    const int shift = keyShiftMask();
    int passed = key;
    if (forms::Control* control = controlOf(*form, root, msg.hwnd)) {
        passed = down ? control->notifyKeyDown(key, shift) : control->notifyKeyUp(key, shift);
    } else if (msg.hwnd == root) {
        passed = down ? form->notifyKeyDown(key, shift) : form->notifyKeyUp(key, shift);
    }
    if (passed == 0)
        return true;
    msg.wParam = static_cast<WPARAM>(passed);
    return false;
}

}  // namespace win32
