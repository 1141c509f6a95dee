#include "Harness.h"

#include <ole2.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <thread>

#include "DragData.h"

namespace e2e {

namespace {

std::wstring FromEnvironment(const wchar_t* name) {
    DWORD needed = GetEnvironmentVariableW(name, nullptr, 0);
    if (needed == 0)
        return {};
    std::wstring value(needed, L'\0');
    DWORD got = GetEnvironmentVariableW(name, value.data(), needed);
    value.resize(got);
    return value;
}

// Accepts a Windows path or a host path (/...), which Wine reaches through drive Z:.
std::wstring AsWindowsPath(std::wstring path) {
    if (!path.empty() && path[0] == L'/') {
        std::replace(path.begin(), path.end(), L'/', L'\\');
        path = L"Z:" + path;
    }
    while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/'))
        path.pop_back();
    return path;
}

// A top-level window's caption as the system keeps it: no message to the window, so a hung program
// cannot stall the search.
std::wstring CaptionOf(HWND window) {
    wchar_t text[512] = {};
    int length = GetWindowTextW(window, text, 512);
    return std::wstring(text, static_cast<size_t>(std::max(length, 0)));
}

bool IsVisibleMessageBox(HWND window) {
    return IsWindowVisible(window) && ClassOf(window) == L"#32770";
}

}  // namespace

// ----- the program under test -----

std::wstring BuildOutputDir() {
    std::wstring fromEnvironment = FromEnvironment(L"TOLVANE_BIN_DIR");
    return AsWindowsPath(fromEnvironment.empty() ? Widen(TOLVANE_E2E_BIN_DIR) : fromEnvironment);
}

std::wstring BuiltProgramPath() {
    return JoinPath(BuildOutputDir(), L"tolvane.exe");
}

bool ProgramIsBuilt() {
    return FileExists(BuiltProgramPath());
}

std::wstring RecorderPath() {
    return AsWindowsPath(Widen(TOLVANE_E2E_RECORDER));
}

// ----- text -----

std::string ToCp932(const std::wstring& text) {
    if (text.empty())
        return {};
    BOOL lossy = FALSE;
    int size =
        WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, &lossy);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                        &lossy);
    EXPECT_FALSE(lossy) << "no code page 932 form for: " << Narrow(text);
    return out;
}

std::wstring FromCp932(const std::string& bytes) {
    if (bytes.empty())
        return {};
    int size = MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(932, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(), size);
    return out;
}

// ----- files -----

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty() || folder.back() == L'\\')
        return folder + name;
    return folder + L"\\" + name;
}

bool FileExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return std::nullopt;
    std::string bytes;
    char buffer[8192];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create " << Narrow(path) << ", error " << GetLastError();
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_TRUE(ok && written == bytes.size()) << "cannot write " << Narrow(path);
}

void CopyFolder(const std::wstring& from, const std::wstring& to) {
    ASSERT_TRUE(CreateDirectoryW(to.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS)
        << "cannot create " << Narrow(to);
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(JoinPath(from, L"*").c_str(), &entry);
    ASSERT_NE(find, INVALID_HANDLE_VALUE) << "cannot list " << Narrow(from);
    do {
        std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            CopyFolder(JoinPath(from, name), JoinPath(to, name));
        } else {
            EXPECT_TRUE(CopyFileW(JoinPath(from, name).c_str(), JoinPath(to, name).c_str(), FALSE))
                << "cannot copy " << Narrow(JoinPath(from, name));
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}

void RemoveFolder(const std::wstring& path) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(JoinPath(path, L"*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            std::wstring full = JoinPath(path, name);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveFolder(full);
            } else {
                SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(full.c_str());
            }
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

FILETIME LastWriteTime(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    EXPECT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        << "no file " << Narrow(path);
    return data.ftLastWriteTime;
}

void SetLastWriteTime(const std::wstring& path, const FILETIME& time) {
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot open " << Narrow(path);
    BOOL ok = SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
    ASSERT_TRUE(ok) << "cannot set the time of " << Narrow(path);
}

FILETIME TimeLongAgo() {
    SYSTEMTIME system{};
    system.wYear = 2001;
    system.wMonth = 1;
    system.wDay = 1;
    FILETIME time{};
    SystemTimeToFileTime(&system, &time);
    return time;
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
    return CompareFileTime(&a, &b) == 0;
}

ProgramFolder::ProgramFolder(Skins skins) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    static std::atomic<int> counter{0};
    for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        std::wstring candidate = JoinPath(temp, L"tolvane-e2e-" + std::to_wstring(GetCurrentProcessId()) +
                                                    L"-" + std::to_wstring(counter++));
        if (CreateDirectoryW(candidate.c_str(), nullptr))
            path_ = candidate;
    }
    EXPECT_FALSE(path_.empty()) << "cannot create a program folder under " << Narrow(temp);
    if (path_.empty() || !ProgramIsBuilt())
        return;
    EXPECT_TRUE(CopyFileW(BuiltProgramPath().c_str(), Exe().c_str(), FALSE)) << "cannot copy tolvane.exe";
    std::wstring builtSkins = JoinPath(BuildOutputDir(), L"skins");
    if (skins == Skins::Copy) {
        EXPECT_TRUE(FolderExists(builtSkins)) << "the build has no skins folder: " << Narrow(builtSkins);
        if (FolderExists(builtSkins))
            CopyFolder(builtSkins, File(L"skins"));
    }
}

ProgramFolder::~ProgramFolder() {
    if (!path_.empty())
        RemoveFolder(path_);
}

// ----- the stored files -----

std::string Lines(const std::vector<std::wstring>& lines) {
    std::string bytes;
    for (const auto& line : lines)
        bytes += ToCp932(line) + "\r\n";
    return bytes;
}

std::vector<std::string> SplitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::vector<std::wstring> DefaultSettingsLines() {
    return {
        L"0,0,0",
        L"0,0,1",
        L"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE",
        L"softblue.skn",
        L"1,1,0,\"T\"",
        L"1,1,0,\"M\"",
        L"1,1,0,\"C\"",
        L"1,1,0,\"R\"",
        L"1,1,0,\"W\"",
        L"mm/dd(ddd) hh:mm:ss",
        L"0",
    };
}

GridFile::GridFile() : lines_(192) {
    for (int page = 0; page < 16; ++page)
        for (int slot = 0; slot < 4; ++slot)
            Clear(page, slot);
}

void GridFile::Set(int page, int slot, const std::wstring& path, const std::wstring& batch,
                   const std::wstring& title) {
    size_t first = static_cast<size_t>(12 * page + 3 * slot);
    lines_.at(first) = path;
    lines_.at(first + 1) = batch;
    lines_.at(first + 2) = title;
}

void GridFile::Clear(int page, int slot) {
    Set(page, slot, L"", L"", kEmptyMarker);
}

std::string GridFile::Bytes() const {
    return Lines(lines_);
}

// ----- processes -----

Process::~Process() {
    Kill();
}

Process::Process(Process&& other) noexcept : process_(other.process_), pid_(other.pid_) {
    other.process_ = nullptr;
    other.pid_ = 0;
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        Kill();
        process_ = other.process_;
        pid_ = other.pid_;
        other.process_ = nullptr;
        other.pid_ = 0;
    }
    return *this;
}

Process Process::Start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    Process process;
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        ADD_FAILURE() << "cannot start " << Narrow(exe) << ", error " << GetLastError();
        return process;
    }
    CloseHandle(info.hThread);
    process.process_ = info.hProcess;
    process.pid_ = info.dwProcessId;
    return process;
}

bool Process::Running() const {
    return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> Process::WaitForExit(Millis limit) const {
    if (!process_)
        return std::nullopt;
    if (WaitForSingleObject(process_, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
}

void Process::Kill() {
    if (!process_)
        return;
    if (Running()) {
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }
    CloseHandle(process_);
    process_ = nullptr;
    pid_ = 0;
}

Process StartProgram(const ProgramFolder& folder) {
    // The pointer rests on the caption strip of a strip at the default place, so that the caption shows
    // slot titles rather than the clock, which takes over while the pointer is away.
    SetCursorPos(180, 14);
    return Process::Start(folder.Exe(), L"", folder.Path());
}

bool CloseProgram(Process& program, HWND mainWindow, Millis limit) {
    if (!program.Running())
        return true;
    PostMessageW(mainWindow, WM_CLOSE, 0, 0);
    return program.WaitForExit(limit).has_value();
}

// ----- windows -----

bool WaitUntil(const std::function<bool()>& predicate, Millis limit) {
    auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (predicate())
            return true;
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(20ms);
    }
}

std::vector<HWND> TopLevelWindows(const wchar_t* className, const wchar_t* caption, DWORD pid) {
    struct Search {
        const wchar_t* className;
        const wchar_t* caption;
        DWORD pid;
        std::vector<HWND> found;
    } search{className, caption, pid, {}};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            if (s.pid != 0) {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner != s.pid)
                    return TRUE;
            }
            if (s.className && ClassOf(window) != s.className)
                return TRUE;
            if (s.caption && CaptionOf(window) != s.caption)
                return TRUE;
            s.found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const wchar_t* className, const wchar_t* caption, DWORD pid, Millis limit) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows(className, caption, pid))
                if (IsWindowVisible(window)) {
                    found = window;
                    return true;
                }
            return false;
        },
        limit);
    return found;
}

HWND WaitForMainWindow(const Process& program, Millis limit) {
    return WaitForWindow(kFormClass, kTitle, program.Id(), limit);
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    int length = GetClassNameW(window, name, 256);
    return std::wstring(name, static_cast<size_t>(std::max(length, 0)));
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length))
        return L"<no answer>";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 2000, &copied))
        return L"<no answer>";
    text.resize(std::min<size_t>(copied, length));
    return text;
}

bool SetText(HWND window, const std::wstring& text) {
    return SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                               SMTO_ABORTIFHUNG, 2000, nullptr) != 0;
}

HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

RECT ScreenRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT RectInParent(HWND child) {
    RECT rect = ScreenRect(child);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool IsTopmost(HWND window) {
    return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
}

SIZE ScreenSize() {
    return {GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(
        parent,
        [](HWND child, LPARAM data) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(data)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&children));
    return children;
}

HWND PushButton(HWND parent, const std::wstring& caption) {
    for (HWND child : Children(parent)) {
        const LONG type = GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
        if (ClassOf(child) == L"Button" && type <= BS_DEFPUSHBUTTON && TextOf(child) == caption)
            return child;
    }
    return nullptr;
}

HWND ChildByText(HWND parent, const std::wstring& text) {
    HWND found = nullptr;
    for (HWND child : Children(parent)) {
        if (TextOf(child) == text) {
            if (found)
                return nullptr;
            found = child;
        }
    }
    return found;
}

HWND ChildAt(HWND parent, int left, int top, int width, int height) {
    HWND found = nullptr;
    for (HWND child : Children(parent)) {
        if (GetParent(child) != parent)
            continue;
        RECT rect = RectInParent(child);
        if (rect.left == left && rect.top == top && rect.right - rect.left == width &&
            rect.bottom - rect.top == height) {
            if (found)
                return nullptr;
            found = child;
        }
    }
    return found;
}

void PostClick(HWND window, int x, int y) {
    LPARAM at = MAKELPARAM(x, y);
    PostMessageW(window, WM_MOUSEMOVE, 0, at);
    PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
}

void PostRightClick(HWND window, int x, int y) {
    LPARAM at = MAKELPARAM(x, y);
    PostMessageW(window, WM_MOUSEMOVE, 0, at);
    PostMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, at);
    PostMessageW(window, WM_RBUTTONUP, 0, at);
}

void PostHotkey(HWND window, int id, UINT modifiers, UINT virtualKey) {
    PostMessageW(window, WM_HOTKEY, static_cast<WPARAM>(id), MAKELPARAM(modifiers, virtualKey));
}

bool MoveWindowTo(HWND window, int left, int top, Millis limit) {
    SetWindowPos(window, nullptr, left, top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    return WaitUntil(
        [&] {
            RECT rect = ScreenRect(window);
            return rect.left == left && rect.top == top;
        },
        limit);
}

// ----- message boxes -----

HWND WaitForMessageBox(DWORD pid, Millis limit, const wchar_t* caption) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows(L"#32770", caption, pid))
                if (IsWindowVisible(window)) {
                    found = window;
                    return true;
                }
            return false;
        },
        limit);
    return found;
}

bool HasMessageBox(DWORD pid) {
    for (HWND window : TopLevelWindows(L"#32770", nullptr, pid))
        if (IsVisibleMessageBox(window))
            return true;
    return false;
}

std::wstring MessageBoxText(HWND box) {
    HWND text = GetDlgItem(box, 0xFFFF);
    return text ? TextOf(text) : L"<no text control>";
}

bool AnswerMessageBox(HWND box, int buttonId) {
    HWND button = GetDlgItem(box, buttonId);
    if (!button)
        return false;
    PostMessageW(button, BM_CLICK, 0, 0);
    return true;
}

bool WaitForWindowGone(HWND window, Millis limit) {
    return WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, limit);
}

HWND MessageBoxDuringQuietPeriod(const Process& program, Millis quiet) {
    WaitForInputIdle(program.Handle(), static_cast<DWORD>(kStartLimit.count()));
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows(L"#32770", nullptr, program.Id()))
                if (IsVisibleMessageBox(window)) {
                    found = window;
                    return true;
                }
            return false;
        },
        quiet);
    return found;
}

// ----- hotkeys -----

bool CanRegisterHotkey(UINT modifiers, UINT virtualKey) {
    // A window of our own, as another program would register it.
    HWND window = CreateWindowExW(0, L"STATIC", L"hotkey probe", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!window) {
        ADD_FAILURE() << "cannot create a window for the hotkey probe";
        return false;
    }
    constexpr int kProbeId = 0x7F00;
    bool registered = RegisterHotKey(window, kProbeId, modifiers, virtualKey) != FALSE;
    if (registered)
        UnregisterHotKey(window, kProbeId);
    DestroyWindow(window);
    return registered;
}

// ----- pictures -----

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

RECT ScaledRect(int left, int top, int width, int height) {
    const int dpi = ScreenDpi();
    return {MulDiv(left, dpi, 96), MulDiv(top, dpi, 96), MulDiv(left + width, dpi, 96),
            MulDiv(top + height, dpi, 96)};
}

void Photograph(const RECT& screenRect, const std::string& name) {
    const char* folder = std::getenv("TOLVANE_SHOTS");
    if (!folder || !*folder)
        return;
    StillPicture(screenRect);
    const std::string file = std::string(folder) + "/" + name + "-" + std::to_string(ScreenDpi()) + ".png";
    const std::string crop = std::to_string(screenRect.right - screenRect.left) + "x" +
                             std::to_string(screenRect.bottom - screenRect.top) + "+" +
                             std::to_string(screenRect.left) + "+" + std::to_string(screenRect.top);
    EXPECT_EQ(RunOnHost("import -window root -crop " + crop + " +repage " + file), 0) << file;
}

Capture CaptureScreen(const RECT& rect) {
    Capture capture;
    capture.width = rect.right - rect.left;
    capture.height = rect.bottom - rect.top;
    if (capture.width <= 0 || capture.height <= 0)
        return capture;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, capture.width, capture.height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    const auto* source = static_cast<const std::uint32_t*>(bits);
    capture.pixels.assign(source, source + static_cast<size_t>(capture.width) * capture.height);
    for (auto& pixel : capture.pixels)
        pixel &= 0x00FFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return capture;
}

std::optional<Capture> StillPicture(const RECT& screenRect, Millis limit) {
    std::vector<Capture> last;
    if (WaitUntil(
            [&] {
                last.push_back(CaptureScreen(screenRect));
                if (last.size() > 3)
                    last.erase(last.begin());
                const bool still = last.size() == 3 && last[0] == last[1] && last[1] == last[2];
                if (!still)
                    std::this_thread::sleep_for(80ms);  // with the poll's own 20 ms, 100 ms apart
                return still;
            },
            limit))
        return last.back();
    ADD_FAILURE() << "the screen kept changing at " << screenRect.left << ", " << screenRect.top;
    return std::nullopt;
}

// ----- the recorder -----

std::vector<RecordedStart> RecordedStarts(const std::wstring& exePath) {
    std::vector<RecordedStart> starts;
    auto bytes = ReadBytes(exePath + L".log");
    if (!bytes)
        return starts;
    auto lines = SplitLines(*bytes);
    for (size_t i = 0; i + 1 < lines.size(); i += 2)
        starts.push_back({Widen(lines[i]), Widen(lines[i + 1])});
    return starts;
}

// ----- drag and drop, shortcuts -----

OleSession::OleSession() : ok_(SUCCEEDED(OleInitialize(nullptr))) {}

OleSession::~OleSession() {
    if (ok_)
        OleUninitialize();
}

DropOutcome DropFiles(POINT screenPoint, const std::vector<std::wstring>& paths, Millis limit) {
    const winsupport::Ref<IDataObject> data = winsupport::FileListData(paths);
    const winsupport::Ref<IDropSource> source =
        winsupport::SteadyDropSource(screenPoint, std::chrono::steady_clock::now() + limit);
    SetCursorPos(screenPoint.x, screenPoint.y);
    DWORD effect = DROPEFFECT_NONE;
    HRESULT result = DoDragDrop(data.get(), source.get(), DROPEFFECT_COPY | DROPEFFECT_LINK, &effect);
    EXPECT_TRUE(SUCCEEDED(result)) << "DoDragDrop failed: 0x" << std::hex << result;
    return {result == DRAGDROP_S_DROP, effect};
}

bool MakeShortcut(const std::wstring& linkPath, const std::wstring& target) {
    winsupport::Ref<IShellLinkW> link;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(link.put()))))
        return false;
    winsupport::Ref<IPersistFile> file;
    return SUCCEEDED(link->SetPath(target.c_str())) &&
           SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put()))) &&
           SUCCEEDED(file->Save(linkPath.c_str(), TRUE));
}

// ----- the host, the real mouse and keyboard -----

std::optional<int> RunOnHost(const std::string& command, Millis limit) {
    if (command.find('"') != std::string::npos) {
        ADD_FAILURE() << "a host command must not contain double quotes: " << command;
        return std::nullopt;
    }
    static std::atomic<int> counter{0};
    const std::string name = "tolvane-e2e-host-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(counter++) + "-" + std::to_string(GetTickCount());
    const std::string marker = "/tmp/" + name;
    const std::wstring markerHere = L"Z:\\tmp\\" + Widen(name);
    // The status is written under another name first, so that a half-written file is never read.
    std::wstring commandLine = Widen("sh -c \"" + command + "; echo $? >" + marker + ".part; mv " + marker +
                                     ".part " + marker + "\"");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(L"Z:\\bin\\sh", commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        ADD_FAILURE() << "cannot start the host shell, error " << GetLastError();
        return std::nullopt;
    }
    if (info.hThread)
        CloseHandle(info.hThread);
    if (info.hProcess)
        CloseHandle(info.hProcess);
    if (!WaitUntil([&] { return FileExists(markerHere); }, limit)) {
        ADD_FAILURE() << "the host command did not finish in time: " << command;
        return std::nullopt;
    }
    std::string status = ReadBytes(markerHere).value_or("");
    DeleteFileW(markerHere.c_str());
    try {
        return std::stoi(status);
    } catch (const std::exception&) {
        ADD_FAILURE() << "no exit status from the host command: " << command;
        return std::nullopt;
    }
}

bool Xdotool(const std::string& arguments, Millis limit) {
    std::optional<int> status = RunOnHost("xdotool " + arguments, limit);
    EXPECT_TRUE(status == 0) << "xdotool " << arguments << ": status " << status.value_or(-1);
    return status == 0;
}

// ----- a running program with prepared stored files -----

std::string SettingsWith(std::initializer_list<std::pair<int, std::wstring>> changes) {
    auto lines = DefaultSettingsLines();
    for (const auto& [index, text] : changes)
        lines.at(static_cast<size_t>(index)) = text;
    return Lines(lines);
}

std::wstring PlaceRecorder(const std::wstring& path) {
    std::wstring folder = path.substr(0, path.rfind(L'\\'));
    if (!FolderExists(folder)) {
        EXPECT_TRUE(CreateDirectoryW(folder.c_str(), nullptr)) << "cannot create " << Narrow(folder);
    }
    EXPECT_TRUE(CopyFileW(RecorderPath().c_str(), path.c_str(), FALSE))
        << "cannot copy the recorder to " << Narrow(path);
    return path;
}

StripSession::~StripSession() {
    if (main && program.Running()) {
        EXPECT_TRUE(CloseProgram(program, main)) << "the program did not close";
    }
}

bool StripSession::Start(const std::string& settings, const GridFile& urls, const GridFile& launchers) {
    WriteBytes(folder.File(L"Tolv.ini"), settings);
    WriteBytes(folder.File(L"TURL.dat"), urls.Bytes());
    WriteBytes(folder.File(L"TRUN.dat"), launchers.Bytes());
    program = StartProgram(folder);
    main = WaitForMainWindow(program);
    if (!main) {
        ADD_FAILURE() << "no visible main window";
        return false;
    }
    if (HWND box = MessageBoxDuringQuietPeriod(program)) {
        ADD_FAILURE() << "unexpected message box: " << Narrow(MessageBoxText(box));
        return false;
    }
    return true;
}

HWND StripSession::Control(int left, int top, int width, int height) const {
    const RECT r = ScaledRect(left, top, width, height);
    HWND control = ChildAt(main, r.left, r.top, r.right - r.left, r.bottom - r.top);
    EXPECT_NE(control, nullptr) << "no control at " << left << ", " << top << ", " << width << ", " << height;
    return control;
}

HWND StripSession::CommandBox() const {
    HWND found = nullptr;
    for (HWND child : Children(main))
        if (GetParent(child) == main && ClassOf(child) == L"ComboBox") {
            EXPECT_EQ(found, nullptr) << "more than one combo box";
            found = child;
        }
    EXPECT_NE(found, nullptr) << "no combo box on the main window";
    return found;
}

HWND StripSession::CommandBoxEdit() const {
    HWND box = CommandBox();
    HWND edit = box ? FindWindowExW(box, nullptr, L"Edit", nullptr) : nullptr;
    EXPECT_NE(edit, nullptr) << "no edit inside the command box";
    return edit;
}

// ----- combo boxes of another process -----

std::vector<std::wstring> ComboEntries(HWND combo) {
    std::vector<std::wstring> entries;
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count)) {
        ADD_FAILURE() << "no answer to CB_GETCOUNT";
        return entries;
    }
    for (DWORD_PTR i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 2000, &length) ||
            static_cast<LRESULT>(length) == CB_ERR) {
            entries.push_back(L"<no answer>");
            continue;
        }
        std::wstring text(length + 1, L'\0');
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()),
                                 SMTO_ABORTIFHUNG, 2000, &copied) ||
            static_cast<LRESULT>(copied) == CB_ERR) {
            entries.push_back(L"<no answer>");
            continue;
        }
        text.resize(std::min<size_t>(copied, length));
        entries.push_back(text);
    }
    return entries;
}

bool ComboDroppedDown(HWND combo) {
    DWORD_PTR dropped = 0;
    return SendMessageTimeoutW(combo, CB_GETDROPPEDSTATE, 0, 0, SMTO_ABORTIFHUNG, 2000, &dropped) &&
           dropped != 0;
}

std::pair<int, int> ComboEditSelection(HWND combo) {
    DWORD_PTR both = 0;
    if (!SendMessageTimeoutW(combo, CB_GETEDITSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &both))
        return {-1, -1};
    return {LOWORD(both), HIWORD(both)};
}

void PostChar(HWND window, wchar_t character) {
    PostMessageW(window, WM_CHAR, static_cast<WPARAM>(character), 1);
}

std::vector<std::wstring> ListEntries(HWND list) {
    std::vector<std::wstring> entries;
    DWORD_PTR count = 0;
    if (!SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 2000, &count)) {
        ADD_FAILURE() << "no answer to LB_GETCOUNT";
        return entries;
    }
    for (DWORD_PTR i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        std::wstring text;
        if (SendMessageTimeoutW(list, LB_GETTEXTLEN, i, 0, SMTO_ABORTIFHUNG, 2000, &length) &&
            static_cast<LRESULT>(length) != LB_ERR) {
            text.assign(length + 1, L'\0');
            DWORD_PTR copied = 0;
            if (SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()),
                                    SMTO_ABORTIFHUNG, 2000, &copied) &&
                static_cast<LRESULT>(copied) != LB_ERR) {
                text.resize(std::min<size_t>(copied, length));
                entries.push_back(text);
                continue;
            }
        }
        entries.push_back(L"<no answer>");
    }
    return entries;
}

int ListSelection(HWND list) {
    DWORD_PTR selected = 0;
    if (!SendMessageTimeoutW(list, LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, 2000, &selected))
        return -1;
    return static_cast<int>(static_cast<LRESULT>(selected));
}

}  // namespace e2e
