#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "GuiObjects.h"

#include "forms/ControlArray.h"
#include "forms/Form.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Images.h"
#include "platform/win32/backend/Win32Backend.h"

namespace backend_test {

// A form with one control of each kind, laid out like the strip, that logs its events.
class TestForm : public forms::Form {
  public:
    TestForm(forms::Backend& backend, const std::string& caption);

    forms::Label viewCaption{*this, "ViewCaption"};
    forms::ControlArray<forms::Label> marks{*this, "Label2", 3};
    forms::Image iconV{*this, "IconV"};
    forms::TextBox titleT{*this, "TitleT"};
    forms::ComboBox inputCom{*this, "Input_Com"};
    forms::Timer timer1{*this, "Timer1"};

    std::vector<std::string> log;
    int count(const std::string& entry) const;

  protected:
    void Form_Unload() override { log.push_back("unload"); }
};

// Dispatches what is queued; returns whether WM_QUIT came.
bool pumpMessages();
// Dispatches for a while: for a quiet period in which something must not happen, and for a person's
// pictures.
void pumpFor(int milliseconds);
// Dispatches until the condition holds; false if it still does not after the limit.
bool pumpUntil(const std::function<bool()>& condition, int limitMilliseconds = 5000);

HWND hwndOf(const forms::Control& control);
HWND hwndOf(const forms::Form& form);
std::wstring textOf(HWND window);

// A picture of one colour, and an opaque icon of one colour.
forms::PicturePtr solidPicture(int width, int height, COLORREF color);
forms::IconPtr solidIcon(COLORREF color);

using winsupport::liveGdiObjects;
using winsupport::liveUserObjects;

// The colour that the window shows at a client point.
COLORREF pixelAt(HWND window, int x, int y);

// A loaded, shown test form over a picture.
class BackendTest : public ::testing::Test {
  protected:
    static constexpr COLORREF kSkin = RGB(0x20, 0x60, 0xC0);
    void SetUp() override;
    void TearDown() override;

    win32::Win32Backend backend;
    std::unique_ptr<TestForm> form;
};

}  // namespace backend_test
