#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "forms/Backend.h"
#include "forms/Control.h"
#include "platform/win32/Handles.h"
#include "platform/win32/backend/ControlFont.h"
#include "platform/win32/backend/Dpi.h"
#include "platform/win32/backend/PointerPresses.h"
#include "platform/win32/backend/Subclass.h"

namespace win32 {

class Win32Backend;

// The window of a control inside `form`: a child of the control's frame, or of the form itself.
HWND parentWindowOf(const forms::Form& form, const forms::Control& control);

// What the dialog controls (buttons, check boxes, frames, list boxes, picture boxes) share: one child
// window, subclassed, that keeps the control's design rectangle and font and applies them at the window's
// scale; reports focus, mouse buttons and typed characters to the runtime; and lets the derived peer
// handle the control's own notifications, which the form (or a frame) reflects to it.
template <class Interface>
class StandardControl : public Interface {
  public:
    ~StandardControl() override = default;
    StandardControl(const StandardControl&) = delete;
    StandardControl& operator=(const StandardControl&) = delete;

    void setText(const std::string& text) override;
    void setRect(const forms::Rect& rect) override;
    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;
    void setFont(const forms::Font& font) override;
    void setForeColor(forms::Color color) override;
    void setFocus() override;
    forms::NativeWindow handle() const override;

  protected:
    StandardControl(Win32Backend& backend, forms::Control& control);
    // Creates the child window in the control's parent and subclasses it; throws when the system refuses.
    void create(const forms::Form& form, const wchar_t* className, DWORD style, DWORD exStyle = 0);
    // The control's own messages; what it does not handle goes to the window's own procedure.
    virtual LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // The brush and colours of WM_CTLCOLOR*: the dialog face, or the window colour for a list.
    virtual int backgroundColorIndex() const { return COLOR_BTNFACE; }

    HWND window() const { return window_.get(); }
    Scale scale() const { return scaleOf(window_.get()); }
    HFONT font() const { return font_.get(); }
    COLORREF foreColor() const { return color_; }
    forms::MouseArgs designMouseArgs(int button, WPARAM wParam, LPARAM lParam) const;

    Win32Backend& backend_;
    forms::Control& control_;
    // Expires when a handler unloaded the form and with it this peer.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
    // Set by a control whose Click the runtime decides: its button messages go there.
    std::optional<PointerPresses> runtimePresses_;

  private:
    static LRESULT subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* self);
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void applyScale();

    forms::Rect rect_;      // design pixels
    forms::Font fontSpec_;  // as the runtime set it
    SharedFont font_;       // fontSpec_ at the window's scale
    COLORREF color_ = 0;
    UniqueWindow window_;
    std::optional<Subclass> subclass_;  // removed before the window is destroyed
};

}  // namespace win32
