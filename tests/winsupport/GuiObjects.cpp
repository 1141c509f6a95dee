#include "GuiObjects.h"

#include <winternl.h>

#include <cstddef>
#include <cstring>

namespace winsupport {

namespace {

bool underWine() {
    return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

BOOL CALLBACK countWindow(HWND window, LPARAM count) {
    ++*reinterpret_cast<DWORD*>(count);
    ::EnumChildWindows(
        window,
        [](HWND, LPARAM inner) -> BOOL {
            ++*reinterpret_cast<DWORD*>(inner);
            return TRUE;
        },
        count);
    return TRUE;
}

}  // namespace

// GDI objects of this process. Wine has no GetGuiResources; there the process's handle table, which
// the PEB shows as on Windows (24-byte entries, the type byte at offset 14, 0 for a free entry), is counted.
DWORD liveGdiObjects() {
    if (!underWine())
        return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    using Query = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    query(::GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof(basic), nullptr);
    const auto* peb = reinterpret_cast<const unsigned char*>(basic.PebBaseAddress);
    const unsigned char* table = nullptr;
    std::memcpy(&table, peb + 0xF8, sizeof(table));
    DWORD live = 0;
    for (std::size_t i = 0; i < 0x10000; ++i)
        live += table[i * 24 + 14] != 0;
    return live;
}

// USER objects of this process; under Wine, the windows of this thread.
DWORD liveUserObjects() {
    if (!underWine())
        return ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    DWORD count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &countWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

}  // namespace winsupport
