#include <windows.h>

#include <commdlg.h>

#include <algorithm>
#include <cwchar>

#include "platform/win32/Wide.h"
#include "platform/win32/services/OpenDialogFilter.h"
#include "platform/win32/services/Win32Platform.h"

namespace win32 {
namespace {

const wchar_t* orNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

// The common dialogs library (and the printing libraries it pulls in) is loaded when the file dialog
// first opens, not at start: most runs never open it. It stays loaded from then on.
using OpenFileDialogFunction = BOOL(WINAPI*)(OPENFILENAMEW*);
OpenFileDialogFunction openFileDialogFunction() {
    static const OpenFileDialogFunction function = [] {
        const HMODULE library = ::LoadLibraryExW(L"comdlg32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return library ? reinterpret_cast<OpenFileDialogFunction>(
                             reinterpret_cast<void*>(::GetProcAddress(library, "GetOpenFileNameW")))
                       : nullptr;
    }();
    return function;
}

}  // namespace

platform::MessageAnswer Win32Platform::messageBox(const std::string& text, platform::MessageButtons buttons) {
    const bool yesNo = buttons == platform::MessageButtons::YesNo;
    // Task-modal: with no owner window, this still disables the program's windows, so no other handler
    // runs while the question is open. Topmost, so it never hides under the program's own topmost strip.
    const UINT style = (yesNo ? MB_YESNO : MB_OK) | MB_TASKMODAL | MB_TOPMOST | MB_SETFOREGROUND;
    const int answer =
        ::MessageBoxW(nullptr, widen(text).c_str(), widen(platform::kProgramTitle).c_str(), style);
    if (!yesNo)
        return platform::MessageAnswer::Ok;
    return answer == IDYES ? platform::MessageAnswer::Yes : platform::MessageAnswer::No;
}

std::string Win32Platform::openFileDialog(const platform::OpenDialogRequest& request) {
    const std::wstring filter = dialogFilter(request.filters);
    const std::wstring folder = widen(request.initialFolder);
    const std::wstring title = widen(request.title);
    const auto capacity = static_cast<DWORD>(std::max(request.maxPathCharacters, 0) + 1);
    std::wstring file(capacity, L'\0');
    std::wstring fileTitle(256, L'\0');

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = reinterpret_cast<HWND>(request.owner);
    dialog.hInstance = ::GetModuleHandleW(nullptr);
    dialog.lpstrFilter = orNull(filter);
    dialog.nFilterIndex = dialogFilterIndex(request.filterIndex, request.filters.size());
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = capacity;
    dialog.lpstrFileTitle = fileTitle.data();
    dialog.nMaxFileTitle = 255;
    dialog.lpstrInitialDir = orNull(folder);
    dialog.lpstrTitle = orNull(title);
    dialog.Flags = OFN_EXPLORER;
    // Without the library there is no dialog to show: the same as a dialog cancelled.
    const OpenFileDialogFunction showDialog = openFileDialogFunction();
    if (!showDialog || !showDialog(&dialog))
        return {};
    file.resize(::wcslen(file.c_str()));
    return narrow(file);
}

}  // namespace win32
