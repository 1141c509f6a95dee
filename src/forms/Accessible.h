#pragma once

#include <string>
#include <vector>

#include "forms/Geometry.h"

namespace forms {

// What assistive technology (a screen reader) is told about a window that draws its own controls:
// the window as a whole, and each part of it a person can read or press, in the order they read it.
enum class AccessibleRole { ToolBar, PushButton, StaticText };

struct AccessibleElement {
    int id = 0;  // the window's own number for the element: it stays when others come and go
    AccessibleRole role = AccessibleRole::StaticText;
    std::string name;
    std::string description;
    std::string defaultAction;  // what pressing it does, in words; empty when it does nothing
    Rect rect;                  // pixels in the window's client area

    bool operator==(const AccessibleElement&) const = default;
};

struct AccessibleView {
    AccessibleRole role = AccessibleRole::ToolBar;
    std::string name;
    std::vector<AccessibleElement> elements;
};

// The ids of the elements of `after` that are also in `before` under another name: a reader has to
// read them again.
std::vector<int> renamedElements(const std::vector<AccessibleElement>& before,
                                 const std::vector<AccessibleElement>& after);

}  // namespace forms
