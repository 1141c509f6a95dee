#pragma once

#include <windows.h>

#include "platform/win32/backend/ChildWindow.h"
#include "platform/win32/backend/PointerPresses.h"

namespace win32 {

// A label or image placeholder: a child window that shows the form's skin behind it, and the captions
// of the labels it lies over (a label then draws its own caption on top), and reports the mouse.
// Siblings clip each other, so whatever lies under a control is drawn by that control: in window order,
// lowest first, as if it had no window of its own.
class SkinControl : public ChildWindow<forms::ControlPeer> {
  public:
    enum class Kind { Label, Image };
    static constexpr const wchar_t* kLabelClass = L"TolvaneLabel";
    static constexpr const wchar_t* kImageClass = L"TolvaneImage";

    SkinControl(Win32Backend& backend, forms::Form& form, forms::Control& control, Kind kind);
    ~SkinControl() override;

    void setText(const std::string& text) override;
    void setRect(const forms::Rect& rect) override;
    void setVisible(bool visible) override;
    void setEnabled(bool enabled) override;
    void setForeColor(forms::Color color) override;
    // Labels and placeholders never take the focus.
    void setFocus() override {}

    static void registerClasses();
    static bool isSkinControl(HWND window);

  private:
    void applyFont() override;
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;
    void paint(HWND window, HDC dc, const RECT& client) const;
    // The caption as this label shows it, in `area` (its client rectangle in the DC's coordinates).
    void drawCaption(HWND window, HDC dc, RECT area) const;
    // The captions of the labels below this control that it overlaps, lowest first; the DC's origin
    // stands at the top left of `inParent`, the control's rectangle in its parent.
    void drawLabelsBeneath(HDC dc, const RECT& inParent) const;
    // Repaints what the controls above this one show of it: where they overlap it, they draw its caption.
    void repaintControlsAbove() const;
    // The caption or its look changed: the controls above it show the change too.
    void captionChanged();

    Kind kind_;
    PointerPresses presses_;
};

}  // namespace win32
