#include "Subjects.h"

#include <chrono>
#include <thread>

namespace bench {
namespace {

bool painted(HWND window) {
    if (!IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE))
        return false;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE))
            return false;
    return true;
}

HWND readyWindow(const wchar_t* windowClass, DWORD pid) {
    for (HWND window : e2e::TopLevelWindows(windowClass, nullptr, pid))
        if (painted(window))
            return window;
    return nullptr;
}

}  // namespace

Subjects::Subjects() {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    benchFolder_ = self;
    benchFolder_.resize(benchFolder_.rfind(L'\\'));

    // Short names of two syllables, none a prefix of another, spread over all sixteen pages; every item
    // names a file that exists, so that start-up asks nothing.
    const wchar_t* syllables[] = {L"ka", L"mi", L"su", L"te", L"no", L"ha", L"ri", L"yo"};
    const wchar_t* targets[] = {L"C:\\windows\\notepad.exe", L"C:\\windows\\regedit.exe",
                                L"C:\\windows\\system32\\cmd.exe", L"C:\\windows"};
    e2e::GridFile launchers, urls;
    for (int n = 0; n < 64; ++n) {
        const std::wstring name = std::wstring(syllables[n / 8]) + syllables[n % 8];
        shortNames_.push_back(name);
        launchers.Set(n / 4, n % 4, targets[n % 4], name, L"Item " + name);
        urls.Set(n / 4, n % 4, L"http://example.com/" + name, L"w" + name, L"Web " + name);
    }
    e2e::WriteBytes(launcherFolder_.File(L"Tolv.ini"), e2e::SettingsWith({}));
    e2e::WriteBytes(launcherFolder_.File(L"TRUN.dat"), launchers.Bytes());
    e2e::WriteBytes(launcherFolder_.File(L"TURL.dat"), urls.Bytes());
}

const wchar_t* Subjects::ExeName(Kind kind) const {
    switch (kind) {
        case Kind::Launcher: return L"tolvane.exe";
        case Kind::PlainFloor: return L"floorplain.exe";
        case Kind::SystemFloor: return L"floorsystem.exe";
        case Kind::LookFloor: return L"floorlook.exe";
    }
    return L"";
}

std::optional<Subjects::Started> Subjects::Start(Kind kind, bool asideLauncher) const {
    std::wstring exe, arguments;
    const wchar_t* windowClass = L"TolvaneBenchFloor";
    if (kind == Kind::Launcher) {
        exe = launcherFolder_.Exe();
        windowClass = e2e::kFormClass;
    } else {
        exe = e2e::JoinPath(benchFolder_, ExeName(kind));
        if (kind != Kind::PlainFloor)
            arguments = L"\"" + launcherFolder_.File(L"skins\\softblue.bmp") + L"\"";
        if (asideLauncher)
            arguments += L" shift";
    }
    // The pointer away from the strip: the launcher's clock runs, as it does most of the day.
    SetCursorPos(900, 600);
    Started started;
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    started.process = e2e::Process::Start(exe, arguments, kind == Kind::Launcher ? launcherFolder_.Path() : benchFolder_);
    const auto deadline = std::chrono::steady_clock::now() + e2e::kStartLimit;
    while (started.process.Running() && std::chrono::steady_clock::now() < deadline) {
        if ((started.window = readyWindow(windowClass, started.process.Id())))
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    QueryPerformanceCounter(&end);
    if (!started.window)
        return std::nullopt;
    started.milliseconds = 1000.0 * static_cast<double>(end.QuadPart - begin.QuadPart) /
                           static_cast<double>(frequency.QuadPart);
    return started;
}

bool Subjects::Close(Started& started) {
    return e2e::CloseProgram(started.process, started.window);
}

}  // namespace bench
