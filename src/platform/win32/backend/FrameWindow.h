#pragma once

#include "platform/win32/backend/StandardControl.h"

namespace win32 {

// A frame: a container window that draws a group box with its caption (in the theme's look when visual
// styles are on) and holds the controls inside it as child windows. It passes its children's
// notifications on to the form, which reflects them to the control that sent them. A disabled frame
// takes no input for its children and a hidden one hides them: the system does both for a parent window.
class FrameWindow : public StandardControl<forms::ControlPeer> {
  public:
    static constexpr const wchar_t* kClassName = L"TolvaneFrame";

    FrameWindow(Win32Backend& backend, forms::Form& form, forms::Control& frame);

    static void registerClass();
    static bool isFrame(HWND window);

  protected:
    LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void paint(HDC dc, const RECT& client);
};

}  // namespace win32
