#pragma once

#include <windows.h>

#include "forms/Control.h"
#include "platform/win32/backend/Dpi.h"

namespace win32 {

// The pointer's buttons on a window whose control has its Click decided by the runtime (labels, images,
// picture boxes): the window holds the capture from press to release, so that a release outside is
// reported here too, and the runtime learns each press, release and lost capture as it happens.
class PointerPresses {
  public:
    // Handles a button message or the loss of the capture and returns true; false for any other
    // message. The control's handlers may delete the peer that holds this: nothing of it is used after.
    bool route(HWND window, UINT message, WPARAM wParam, LPARAM lParam, forms::Control& control,
               const Scale& scale);

  private:
    bool releasing_ = false;  // our own release of the capture is no lost press
};

}  // namespace win32
