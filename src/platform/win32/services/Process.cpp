#include <windows.h>

#include "platform/win32/Wide.h"
#include "platform/win32/services/Win32Platform.h"

namespace win32 {
namespace {

constexpr const wchar_t* kInstanceMutex = L"Local\\Tolvane.SingleInstance";

// The full path of the running exe, however long.
std::wstring modulePath() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::size_t nameStart(const std::wstring& path) {
    const auto cut = path.find_last_of(L"\\/");
    return cut == std::wstring::npos ? 0 : cut + 1;
}

}  // namespace

bool Win32Platform::anotherInstanceRunning() {
    // Created on the first call and held until the process ends: later instances see it, and asking
    // again never mistakes this process for another one.
    static UniqueKernelHandle mutex;
    static const bool another = [] {
        HANDLE created = ::CreateMutexW(nullptr, FALSE, kInstanceMutex);
        const DWORD error = ::GetLastError();
        mutex.reset(created);
        // Access denied means the name is taken by an instance we may not open: still another instance.
        return error == ERROR_ALREADY_EXISTS || error == ERROR_ACCESS_DENIED;
    }();
    return another;
}

std::string Win32Platform::programFolder() {
    const std::wstring path = modulePath();
    const std::size_t start = nameStart(path);
    return narrow(std::wstring_view(path).substr(0, start == 0 ? 0 : start - 1));
}

std::string Win32Platform::exeBaseName() {
    const std::wstring path = modulePath();
    std::wstring name = path.substr(nameStart(path));
    if (name.size() > 4 &&
        ::CompareStringOrdinal(name.c_str() + name.size() - 4, 4, L".exe", 4, TRUE) == CSTR_EQUAL) {
        name.resize(name.size() - 4);
    }
    return narrow(name);
}

}  // namespace win32
