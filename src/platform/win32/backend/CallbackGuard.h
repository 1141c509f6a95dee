#pragma once

#include <exception>
#include <utility>

#include "platform/win32/backend/Win32Backend.h"

namespace win32 {

// The one rule for an exception in code that the system calls back: window and subclass procedures,
// COM methods such as the drop target's, hooks. No exception may unwind through system code, which
// knows nothing of C++, so the callback stops it: the first exception is kept, the callback returns
// its neutral result, and the message loop throws the kept exception again once the dispatch has
// returned, out of runMessageLoop to WinMain, which tells the person and ends the program. A later
// exception before the loop sees the first is dropped: the first one is the cause.
template <class Result, class Body>
Result guardedCallback(Win32Backend& backend, Result neutral, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        backend.keepException(std::current_exception());
        return neutral;
    }
}

}  // namespace win32
