// A small console helper for tools/run, which cannot see Wine's windows from the host:
//   tolvane-probe wait SECONDS   waits until the launcher's main window or one of its message boxes is
//                                shown; prints "window LEFT TOP RIGHT BOTTOM" or "message TEXT"
//   tolvane-probe close SECONDS  asks the main window to close (WM_CLOSE) and waits until it is gone
// Exit status 0 on success, 1 when the time ran out, 2 on bad arguments.
#include <windows.h>

#include <cwchar>
#include <string>

#include "Utf16.h"
#include "WindowText.h"

namespace {

void Print(const std::wstring& text) {
    const std::string bytes = winsupport::Narrow(text + L"\n");
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
              nullptr);
}

HWND VisibleWindow(const wchar_t* className, const wchar_t* caption) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, className, caption)) != nullptr)
        if (IsWindowVisible(window))
            return window;
    return nullptr;
}

int Wait(DWORD limitMs) {
    DWORD start = GetTickCount();
    do {
        if (HWND main = VisibleWindow(L"TolvaneForm", L"Tolvane")) {
            RECT rect{};
            GetWindowRect(main, &rect);
            Print(L"window " + std::to_wstring(rect.left) + L" " + std::to_wstring(rect.top) + L" " +
                  std::to_wstring(rect.right) + L" " + std::to_wstring(rect.bottom));
            return 0;
        }
        if (HWND box = VisibleWindow(L"#32770", L"Tolvane")) {
            HWND text = GetDlgItem(box, 0xFFFF);
            Print(L"message " + (text ? winsupport::WindowText(text) : std::wstring()));
            return 0;
        }
        Sleep(50);
    } while (GetTickCount() - start < limitMs);
    return 1;
}

int Close(DWORD limitMs) {
    HWND main = FindWindowW(L"TolvaneForm", L"Tolvane");
    if (!main)
        return 0;
    PostMessageW(main, WM_CLOSE, 0, 0);
    DWORD start = GetTickCount();
    do {
        if (!IsWindow(main))
            return 0;
        Sleep(50);
    } while (GetTickCount() - start < limitMs);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3)
        return 2;
    DWORD limitMs = static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10) * 1000);
    std::wstring command = argv[1];
    if (command == L"wait")
        return Wait(limitMs);
    if (command == L"close")
        return Close(limitMs);
    return 2;
}
