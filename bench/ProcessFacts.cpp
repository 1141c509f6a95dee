#include "ProcessFacts.h"

#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cwctype>
#include <fstream>
#include <sstream>

namespace bench {
namespace {

// /proc of the Linux host, as Wine shows it on drive Z:.
std::string procFile(int unixPid, const char* name) {
    std::ifstream file("Z:\\proc\\" + std::to_string(unixPid) + "\\" + name, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string narrowAscii(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text)
        out += static_cast<char>(c < 128 ? c : '?');
    return out;
}

std::string environmentValue(const char* name) {
    char value[1024];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

// One entry of the GDI handle table as Wine (and Windows) lay it out on 64-bit.
struct GdiHandleEntry {
    std::uint64_t object;
    std::uint32_t owner;
    std::uint8_t extTypeAndStock;  // the type in the low seven bits, the stock flag in the high one
    std::uint8_t generation;
    std::uint8_t type;
    std::uint8_t flags;
    std::uint64_t userPointer;
};
static_assert(sizeof(GdiHandleEntry) == 24);
constexpr std::size_t kGdiHandleCount = 0x10000;
constexpr std::size_t kPebGdiTableOffset = 0xF8;

std::optional<long> countGdiTable(const GdiHandleEntry* entries) {
    long count = 0;
    for (std::size_t i = 0; i < kGdiHandleCount; ++i)
        if (entries[i].type != 0 && entries[i].object != 0 && !(entries[i].extTypeAndStock & 0x80))
            ++count;
    return count;
}

std::optional<long> gdiTableCount(HANDLE process) {
    using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return std::nullopt;
    std::uint64_t table = 0;
    SIZE_T read = 0;
    if (!ReadProcessMemory(process, reinterpret_cast<const char*>(basic.PebBaseAddress) + kPebGdiTableOffset,
                           &table, sizeof table, &read) ||
        !table)
        return std::nullopt;
    std::vector<GdiHandleEntry> entries(kGdiHandleCount);
    if (!ReadProcessMemory(process, reinterpret_cast<const void*>(table), entries.data(),
                           entries.size() * sizeof(GdiHandleEntry), &read))
        return std::nullopt;
    return countGdiTable(entries.data());
}

}  // namespace

std::optional<int> UnixPidOf(const std::wstring& exeName) {
    const std::string wanted = "Name:\t" + narrowAscii(exeName).substr(0, 15) + "\n";
    const std::string prefix = "WINEPREFIX=" + environmentValue("WINEPREFIX");
    std::optional<int> found;
    WIN32_FIND_DATAW entry;
    HANDLE listing = FindFirstFileW(L"Z:\\proc\\*", &entry);
    if (listing == INVALID_HANDLE_VALUE)
        return std::nullopt;
    do {
        const std::wstring name = entry.cFileName;
        if (name.empty() || !std::all_of(name.begin(), name.end(), [](wchar_t c) { return std::iswdigit(c); }))
            continue;
        const int pid = std::stoi(name);
        if (procFile(pid, "status").find(wanted) == std::string::npos)
            continue;
        const std::string environment = procFile(pid, "environ");
        if (prefix.size() > 11 && environment.find(prefix + '\0') == std::string::npos)
            continue;  // the same program in another Wine prefix: another helper's or test's
        if (found)
            return std::nullopt;
        found = pid;
    } while (FindNextFileW(listing, &entry));
    FindClose(listing);
    return found;
}

std::optional<long> PrivateKiB(int unixPid) {
    std::istringstream status(procFile(unixPid, "status"));
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("RssAnon:", 0) == 0)
            return std::stol(line.substr(8));
    return std::nullopt;
}

std::optional<long> UnixHeapKiB(int unixPid) {
    std::istringstream maps(procFile(unixPid, "smaps"));
    std::string line;
    bool inHeap = false;
    while (std::getline(maps, line)) {
        // A mapping's first line starts with its address range, the lines about it with a field name.
        const std::string first = line.substr(0, line.find(' '));
        if (first.find('-') != std::string::npos && first.find(':') == std::string::npos) {
            inHeap = line.size() >= 6 && line.compare(line.size() - 6, 6, "[heap]") == 0;
        } else if (inHeap && line.rfind("Anonymous:", 0) == 0) {
            return std::stol(line.substr(10));
        }
    }
    return std::nullopt;
}

std::optional<long> CpuTicks(int unixPid) {
    const std::string stat = procFile(unixPid, "stat");
    // The name in parentheses may hold blanks: fields are counted after its closing parenthesis.
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos)
        return std::nullopt;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int index = 3; fields >> field; ++index) {
        if (index == 14)
            utime = std::stol(field);
        if (index == 15) {
            stime = std::stol(field);
            return utime + stime;
        }
    }
    return std::nullopt;
}

std::optional<long> GdiObjects(HANDLE process) {
    if (const DWORD count = GetGuiResources(process, GR_GDIOBJECTS))
        return static_cast<long>(count);
    return gdiTableCount(process);
}

std::optional<long> UserObjects(HANDLE process, DWORD pid) {
    if (const DWORD count = GetGuiResources(process, GR_USEROBJECTS))
        return static_cast<long>(count);
    struct Count {
        DWORD pid;
        long windows;
    } count{pid, 0};
    static const WNDENUMPROC countChildren = [](HWND, LPARAM data) -> BOOL {
        ++reinterpret_cast<Count*>(data)->windows;
        return TRUE;
    };
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* counted = reinterpret_cast<Count*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner == counted->pid) {
                ++counted->windows;
                EnumChildWindows(window, countChildren, data);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.windows;
}

bool GdiTableCountsWork() {
    const auto before = gdiTableCount(GetCurrentProcess());
    std::vector<HBRUSH> brushes;
    for (int i = 0; i < 10; ++i)
        brushes.push_back(CreateSolidBrush(RGB(i, 0, 0)));
    const auto during = gdiTableCount(GetCurrentProcess());
    for (HBRUSH brush : brushes)
        DeleteObject(brush);
    const auto after = gdiTableCount(GetCurrentProcess());
    return before && during && after && *during == *before + 10 && *after == *before;
}

std::vector<std::wstring> LoadedModules(HANDLE process) {
    std::vector<HMODULE> modules(512);
    DWORD needed = 0;
    if (!EnumProcessModulesEx(process, modules.data(), static_cast<DWORD>(modules.size() * sizeof(HMODULE)), &needed,
                              LIST_MODULES_ALL))
        return {};
    modules.resize(std::min<std::size_t>(modules.size(), needed / sizeof(HMODULE)));
    std::vector<std::wstring> names;
    for (HMODULE module : modules) {
        wchar_t name[MAX_PATH];
        if (GetModuleBaseNameW(process, module, name, MAX_PATH)) {
            std::wstring lower = name;
            std::transform(lower.begin(), lower.end(), lower.begin(), [](wchar_t c) { return std::towlower(c); });
            names.push_back(lower);
        }
    }
    return names;
}

}  // namespace bench
