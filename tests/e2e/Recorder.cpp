// A stand-in for a program the launcher starts: it appends its command line and its working folder
// (UTF-8, one line each) to a log beside itself, named after its own exe ("name.exe.log"), and exits.
// Copies under other names record separately.
#include <windows.h>

#include <string>

#include "Utf16.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::wstring self(MAX_PATH, L'\0');
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, self.data(), static_cast<DWORD>(self.size()));
        if (length < self.size()) {
            self.resize(length);
            break;
        }
        self.resize(self.size() * 2);
    }
    wchar_t folder[MAX_PATH * 4] = {};
    GetCurrentDirectoryW(MAX_PATH * 4, folder);

    std::string record = winsupport::Narrow(GetCommandLineW()) + "\r\n" + winsupport::Narrow(folder) + "\r\n";
    std::wstring log = self + L".log";
    // Two starts close together may overlap: retry while the other one holds the log.
    for (int attempt = 0; attempt < 200; ++attempt) {
        HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            BOOL ok = WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
            CloseHandle(file);
            return ok && written == record.size() ? 0 : 2;
        }
        Sleep(10);
    }
    return 3;
}
