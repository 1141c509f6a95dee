#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "forms/Accessible.h"

namespace win32 {

// What a form's accessible object asks of its window, on the window's thread.
class AccessibleSource {
  public:
    virtual ~AccessibleSource() = default;
    virtual std::optional<forms::AccessibleView> accessibleView() const = 0;
    // A rectangle of the client area, design pixels, on the screen in device pixels.
    virtual RECT screenRect(const forms::Rect& design) const = 0;
    // The element's default action runs later, on the window's thread, as a click's handler would.
    virtual void requestAction(int id) = 0;
};

class FormAccessible;

// The one accessible object of a form window that describes its own elements: made when a reader
// first asks, cut off from its window when the window goes (a reader may still hold it).
class AccessibleObject {
  public:
    AccessibleObject() = default;
    ~AccessibleObject() { disconnect(); }
    AccessibleObject(const AccessibleObject&) = delete;
    AccessibleObject& operator=(const AccessibleObject&) = delete;

    // The answer to WM_GETOBJECT for the client area.
    LRESULT answer(HWND window, AccessibleSource& source, WPARAM wParam);
    bool made() const { return object_ != nullptr; }
    void disconnect();

  private:
    FormAccessible* object_ = nullptr;
};

// True when WM_GETOBJECT asks for the client area's object.
inline bool asksForClient(LPARAM lParam) {
    return static_cast<DWORD>(lParam) == static_cast<DWORD>(OBJID_CLIENT);
}

// The answer to WM_GETOBJECT for a control of the system (an edit, a list) that says what it is by
// `name` rather than by its text: the system's own object for it, under that name.
LRESULT answerWithName(HWND window, const std::string& name, WPARAM wParam);

// Tells readers which elements came, went or were renamed between two views of the same window.
void announceChanges(HWND window, const forms::AccessibleView& before, const forms::AccessibleView& after);

}  // namespace win32
