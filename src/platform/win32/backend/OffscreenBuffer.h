#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "platform/win32/Handles.h"

namespace win32 {

// A memory bitmap for one paint, copied to the screen in one step so that nothing flickers.
// Its origin is the top left of `area` in the target's coordinates.
class OffscreenBuffer {
  public:
    OffscreenBuffer(HDC target, const RECT& area);
    HDC dc() const { return dc_.get(); }
    void copyTo(HDC target) const;

  private:
    RECT area_;
    UniqueMemoryDc dc_;
    UniqueBitmap bitmap_;
    std::optional<SelectedObject> selected_;  // released before the bitmap and the DC
};

// Answers WM_PAINT of a window that paints its whole client area: `paint` draws into an offscreen
// buffer of the client's size, which then goes to the screen in one step.
void paintWholeClient(HWND window, const std::function<void(HDC dc, const RECT& client)>& paint);

// The painting messages of a window that draws the whole of itself with `paint`: no erasing, a paint
// through one memory bitmap, and WM_PRINTCLIENT (how themed children draw their parent behind them)
// straight into the DC given. The message's result when it was one of them, nothing otherwise.
std::optional<LRESULT> paintSelf(HWND window, UINT message, WPARAM wParam,
                                 const std::function<void(HDC dc, const RECT& client)>& paint);

}  // namespace win32
