// The program's entry: the system's services, the window backend, then the launcher's own start-up.
#include <windows.h>

#include "app/Launcher.h"
#include "platform/win32/Handles.h"
#include "platform/win32/backend/Win32Backend.h"
#include "platform/win32/services/Win32Platform.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    try {
        // OLE for the whole run: drag and drop, the shell's link object and the browser object need it.
        win32::OleSession ole;
        win32::Win32Platform platform;
        win32::Win32Backend backend;
        app::Launcher launcher(backend, platform);
        if (!launcher.Main())
            return 0;
        return backend.runMessageLoop();
    } catch (const std::exception& error) {
        // Nothing should get here; if it does, say so instead of vanishing without a word.
        ::MessageBoxA(nullptr, error.what(), platform::kProgramTitle, MB_OK | MB_ICONERROR);
        return 1;
    }
}
