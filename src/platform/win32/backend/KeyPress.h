#pragma once

namespace win32 {

// Whether a key code that KeyPress let through goes on to the edit control. Enter and Esc do nothing in
// a one-line edit but beep, so they end with the KeyPress handler; 0 is a swallowed key.
inline bool passesToEdit(int code) {
    return code != 0 && code != 13 && code != 27;
}

}  // namespace win32
