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
#include "platform/win32/backend/Subclass.h"

namespace win32 {

class Win32Backend;

// The window of a control inside `form`: a child of the control's frame, or of the form itself.
HWND parentWindowOf(const forms::Form& form, const forms::Control& control);

// What every control's window shares: one child window, made in its real parent and subclassed, that
// keeps the control's design rectangle and font and applies them at the window's scale (again when the
// scale changes), shows, hides and greys, and knows whether a handler deleted it meanwhile. Each kind
// handles its own messages in handleMessage.
template <class Interface>
class ChildWindow : public Interface {
  public:
    ~ChildWindow() override;
    ChildWindow(const ChildWindow&) = delete;
    ChildWindow& operator=(const ChildWindow&) = delete;

    void setText(const std::string& text) override;
    void setRect(const forms::Rect& rect) override;
    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;
    void setFont(const forms::Font& font) override;
    void setForeColor(forms::Color color) override;
    void setFocus() override;
    forms::NativeWindow handle() const override;

  protected:
    ChildWindow(Win32Backend& backend, forms::Control& control);
    // Creates the child window in the control's parent and subclasses it; throws when the system refuses.
    void create(const forms::Form& form, const wchar_t* className, DWORD style, DWORD exStyle = 0);
    // Sets the window's text and asks for a repaint; false when it already had the text.
    bool replaceText(const std::string& text);
    // True when the window already stands at the rectangle: setting it again would move nothing.
    bool placedAt(const forms::Rect& rect) const { return placed_ && rect == rect_; }
    // The kind's own messages; what it does not handle goes to Subclass::original. A handler may
    // unload the form, which deletes this peer: nothing of it is used after the runtime was called,
    // unless alive_ says it is still there.
    virtual LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) = 0;
    // Moves the window to its rectangle in device pixels (a combo box adds the height of its list).
    virtual void place(const forms::Rect& device);
    // Hands the window the font of fontSpec_ at its scale.
    virtual void applyFont();

    HWND window() const { return window_.get(); }
    // The window's scale, asked of the system when it is made and when it changes (each question costs
    // the server several round trips in Wine, and mouse messages need the scale).
    Scale scale() const { return scale_; }
    HFONT font() const { return font_.get(); }
    COLORREF foreColor() const { return color_; }
    const forms::Rect& designRect() const { return rect_; }
    // Mouse positions as the runtime wants them: design pixels relative to the control.
    forms::MouseArgs designMouseArgs(int button, WPARAM wParam, LPARAM lParam) const;

    Win32Backend& backend_;
    forms::Control& control_;
    // Expires when a handler unloaded the form and with it this peer.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);

  private:
    static LRESULT subclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, void* self);

    forms::Rect rect_;     // design pixels
    bool placed_ = false;  // the window stands at rect_
    Scale scale_{96};
    forms::Font fontSpec_;  // as the runtime set it
    SharedFont font_;       // fontSpec_ at the window's scale
    COLORREF color_ = 0;
    UniqueWindow window_;
    std::optional<Subclass> subclass_;  // removed before the window is destroyed
};

}  // namespace win32
