#pragma once

#include "platform/win32/backend/StandardControl.h"

namespace win32 {

// A picture box: its own picture at the top left, the texts drawn on it above, on the dialog face;
// painted through one memory bitmap so that a change never flickers. The runtime decides its Click.
class PictureBoxWindow : public StandardControl<forms::PicturePeer> {
  public:
    static constexpr const wchar_t* kClassName = L"TolvanePicture";

    PictureBoxWindow(Win32Backend& backend, forms::Form& form, forms::PictureBox& box);
    void surfaceChanged() override;

    static void registerClass();

  protected:
    LRESULT onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void paint(HDC dc, const RECT& client) const;

    forms::PictureBox& box_;
};

}  // namespace win32
