// A stand-in program for the starting tests: it writes how it was started, its command line and its
// working folder, to "<its own path>.txt" in UTF-8, so a test can see which program the system started.
#include <windows.h>

#include <string>

#include "Utf16.h"
#include "platform/win32/Handles.h"

int main() {
    std::wstring self(32768, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size())));
    std::wstring folder(32768, L'\0');
    folder.resize(::GetCurrentDirectoryW(static_cast<DWORD>(folder.size()), folder.data()));
    const std::string record = winsupport::Narrow(::GetCommandLineW()) + "\n" + winsupport::Narrow(folder);

    // Written under another name and then renamed, so the test never reads half a record.
    const std::wstring part = self + L".part";
    {
        win32::UniqueFileHandle file(
            ::CreateFileW(part.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        if (!file ||
            !::WriteFile(file.get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr)) {
            return 1;
        }
    }
    return ::MoveFileExW(part.c_str(), (self + L".txt").c_str(), MOVEFILE_REPLACE_EXISTING) ? 0 : 1;
}
