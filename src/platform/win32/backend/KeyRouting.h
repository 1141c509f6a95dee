#pragma once

#include <windows.h>

namespace win32 {

// The Shift mask of the key events from the keyboard state: 1 Shift, 2 Ctrl, 4 Alt.
int keyShiftMask();

// Hands a key going down or up to the runtime before the system translates it: KeyDown and KeyUp of the
// control that has the focus (a combo box for its inner edit), with the form's preview and the runtime's
// own keys (Tab, Enter on a button), or of the form when the form window itself has the focus. A handler
// may change the key code, which `msg` then carries on. Returns true when the key is used up: the
// message must be neither translated nor dispatched. Any other message is left alone.
bool routeKeyToRuntime(MSG& msg);

}  // namespace win32
