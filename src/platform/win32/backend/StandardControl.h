#pragma once

#include <windows.h>

#include <optional>

#include "platform/win32/backend/ChildWindow.h"
#include "platform/win32/backend/PointerPresses.h"

namespace win32 {

// What the dialog controls (buttons, check boxes, frames, list boxes, picture boxes) share beyond every
// child window: they report focus, mouse buttons and typed characters to the runtime, and let the
// derived peer handle the control's own notifications, which the form (or a frame) reflects to it.
template <class Interface>
class StandardControl : public ChildWindow<Interface> {
  protected:
    StandardControl(Win32Backend& backend, forms::Control& control);
    // The control's own messages; what it does not handle goes to the window's own procedure.
    virtual LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The brush and colours of WM_CTLCOLOR*: the dialog face, or the window colour for a list.
    virtual int backgroundColorIndex() const { return COLOR_BTNFACE; }

    using ChildWindow<Interface>::alive_;
    using ChildWindow<Interface>::backend_;
    using ChildWindow<Interface>::control_;
    using ChildWindow<Interface>::designMouseArgs;
    using ChildWindow<Interface>::font;
    using ChildWindow<Interface>::foreColor;
    using ChildWindow<Interface>::scale;

    // Set by a control whose Click the runtime decides: its button messages go there.
    std::optional<PointerPresses> runtimePresses_;

  private:
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace win32
