// The program's entry: the system's services, the window backend, then the launcher's own start-up.
#include <windows.h>

#include <exception>
#include <string>

#include "app/Launcher.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Wide.h"
#include "platform/win32/backend/Win32Backend.h"
#include "platform/win32/services/Win32Platform.h"

namespace {

// The last word when something unforeseen stops the program (see backend/CallbackGuard.h): in the
// person's language, with the technical detail below it. The detail is UTF-8, so it goes through the
// wide message box; the ANSI one would garble it on a Japanese system.
void reportFailure(const std::string& detail) {
    std::wstring text = L"予期しないエラーが起きたため、Tolvane を終了します。";
    if (!detail.empty())
        text += L"\r\n\r\n詳細：" + win32::widen(detail);
    ::MessageBoxW(nullptr, text.c_str(), win32::widen(platform::kProgramTitle).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace

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
        reportFailure(error.what());
    } catch (...) {
        reportFailure("");
    }
    return 1;
}
