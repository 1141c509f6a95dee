#pragma once

#include <windows.h>

#include "platform/ScreenScale.h"

// What the services and the forms backend both ask of the displays.
namespace win32 {

// A function of newer systems, looked up once by the caller; nullptr where the system lacks it.
template <class Fn>
Fn systemFunction(const wchar_t* module, const char* name) {
    HMODULE handle = ::GetModuleHandleW(module);
    if (!handle)
        handle = ::LoadLibraryW(module);
    return handle ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(handle, name))) : nullptr;
}

// The dpi of the system, as systems before per-monitor scaling have it for every monitor.
int systemDpi();

// The monitors, each with its dpi; the primary one first. Asked of the system once and kept until
// forgetScreens: the clock asks for them five times a second.
platform::ScreenMap currentScreens();
// The system reported a change of the displays, their scale or the settings: ask again next time.
void forgetScreens();

}  // namespace win32
