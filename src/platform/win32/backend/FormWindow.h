#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "forms/Backend.h"
#include "forms/Form.h"
#include "platform/win32/Handles.h"
#include "platform/win32/backend/Accessibility.h"
#include "platform/win32/backend/Dpi.h"
#include "platform/win32/backend/DropTarget.h"

namespace win32 {

class Win32Backend;

// A form as a top-level window: the picture, then the surface's icons, with the controls on top. The strip
// is borderless; a dialog has a caption and a close box, is owned by its owner form's window and shows
// the dialog face. The form's rectangles are design pixels; the window is laid out in device pixels at
// the scale of the monitor it is on, and again whenever that scale changes (WM_DPICHANGED).
class FormWindow : public forms::FormPeer, private AccessibleSource {
  public:
    static constexpr const wchar_t* kClassName = L"TolvaneForm";

    FormWindow(Win32Backend& backend, forms::Form& form);
    ~FormWindow() override;
    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    void setBounds(const forms::Rect& pixels) override;
    void setClientSize(int width, int height) override;
    void activate() override;
    bool registerHotkey(int id, forms::Modifiers modifiers, unsigned key) override;
    void unregisterHotkey(int id) override;
    void setCaption(const std::string& caption) override;
    void setVisible(bool visible) override;
    void setPicture(const forms::PicturePtr& picture) override;
    void surfaceChanged(const std::vector<forms::DrawnIcon>& before) override;
    int clientHeight() const override;
    int clientWidth() const override;
    forms::NativeWindow handle() const override;
    void destroy() override;

    // Once a reader holds the form's object: tells it which elements came, went or were renamed since
    // it last looked. The backend calls it after every message, when any handler may have changed them.
    void announceAccessibleChanges();

    static void registerClass();
    // The form of a form window, or nullptr for any other window (or one being created or destroyed).
    static forms::Form* formOf(HWND window);

  private:
    template <class T>
    friend LRESULT CALLBACK ObjectWindowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void paint(HWND window);
    // Draws the picture and the surface for `area` (client coordinates) with the DC's origin at its top left.
    void paintSkin(HDC dc, const RECT& area) const;
    void repaintSkin();
    // Where a drawn icon shows, in device pixels of the client area.
    RECT iconRect(const forms::DrawnIcon& drawn) const;
    void onActivate(HWND window, WPARAM wParam);
    void reportBounds(HWND window);
    // The system destroyed the window (its owner went first): the form unloads, and this peer with it.
    void windowGone(HWND window);
    void onDpiChanged(HWND window, int dpi, const RECT& suggested);
    LRESULT answerAccessible(HWND window, WPARAM wParam);
    std::optional<forms::AccessibleView> accessibleView() const override;
    RECT screenRect(const forms::Rect& design) const override;
    void requestAction(int id) override;
    void dropAccessible();
    // The device size of the whole window at the current scale, from the form's design size.
    SIZE deviceSize(HWND window) const;

    Win32Backend& backend_;
    forms::Form& form_;
    forms::PicturePtr picture_;
    UniqueWindow window_;
    std::optional<DropRegistration> drops_;  // revoked before the window is destroyed
    bool ready_ = false;                     // no notifications while the window is being created
    Scale scale_;
    bool placing_ = false;            // inside setBounds: the rectangle set is already at the new scale
    std::optional<SIZE> clientSize_;  // a dialog's client area, design pixels
    HWND lastFocus_ = nullptr;
    AccessibleObject accessible_;
    std::optional<forms::AccessibleView> announced_;  // what readers were last told  // the control to give
                                                      // the focus back to when the form is activated again
};

}  // namespace win32
