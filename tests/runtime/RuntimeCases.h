#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "forms/Backend.h"
#include "forms/Control.h"
#include "forms/Form.h"

// The runtime's behaviour as one table of cases that runs on every backend: the headless one natively,
// the Win32 one under Wine with real window messages. Each backend supplies a Person that acts as
// someone at the keyboard and mouse would, through that backend's own path.
namespace runtime_cases {

class Person {
  public:
    virtual ~Person() = default;
    // Shows the form in front with the keyboard focus, as opening it does.
    virtual void show(forms::Form& form) = 0;
    // A left click on the control (a check box flips).
    virtual void click(forms::Control& control) = 0;
    // The pointer's buttons on the control, as they come: "L" a left click, "R" a right click, "LL" and
    // "RR" two clicks within the double-click time, "L-" a left press released outside the control.
    virtual void presses(forms::Control& control, const std::string& what) = 0;
    // A whole key stroke on whatever has the focus in the form: down, the character it types, up.
    virtual void pressKey(forms::Form& form, int keyCode, int shift = 0) = 0;
    // Characters typed into the box, which has the focus.
    virtual void typeText(forms::TextBox& box, const std::string& ascii) = 0;
    // Text pasted into the box through the clipboard.
    virtual void paste(forms::TextBox& box, const std::string& text) = 0;
    virtual void pickListEntry(forms::ListBox& box, int index) = 0;
    virtual void pickListEntry(forms::ComboBox& box, int index) = 0;
    virtual void closeBox(forms::Form& form) = 0;
    // Shell files dragged onto the control and dropped there.
    virtual void drop(forms::Control& control, const std::vector<std::string>& files) = 0;
};

struct RuntimeCase {
    const char* name;
    void (*run)(forms::Backend& backend, Person& person);
};

const std::vector<RuntimeCase>& runtimeCases();

// For the test names and messages.
inline void PrintTo(const RuntimeCase& runtimeCase, std::ostream* out) {
    *out << runtimeCase.name;
}

}  // namespace runtime_cases
