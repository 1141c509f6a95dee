#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "BackendTestSupport.h"
#include "RuntimeCases.h"

namespace backend_test {

// A person at the Win32 backend: real window messages to the windows that the pointer or the keyboard
// focus reaches, through the message loop that routes keys to the runtime. After each action the
// system's keyboard focus must agree with the runtime's.
class Win32Person : public runtime_cases::Person {
  public:
    explicit Win32Person(win32::Win32Backend& backend) : backend_(backend) {}

    void show(forms::Form& form) override;
    void click(forms::Control& control) override;
    void presses(forms::Control& control, const std::string& what) override;
    void pressKey(forms::Form& form, int keyCode, int shift = 0) override;
    void typeText(forms::TextBox& box, const std::string& ascii) override;
    void paste(forms::TextBox& box, const std::string& text) override;
    void pickListEntry(forms::ListBox& box, int index) override;
    void pickListEntry(forms::ComboBox& box, int index) override;
    void closeBox(forms::Form& form) override;
    void drop(forms::Control& control, const std::vector<std::string>& files) override;

    // A left click at a screen point, on the window of the form that a pointer there reaches.
    static void clickAt(const forms::Form& form, POINT screen);
    static void expectFocusAgrees(const forms::Form& form);

  private:
    win32::Win32Backend& backend_;
};

}  // namespace backend_test
