// Helpers for driving the real tolvane.exe from outside, as a person or another program would:
// fresh program folders, processes, windows, controls, message boxes, stored files and hotkeys.
// Everything that waits takes a time limit; nothing sends a blocking message to the program.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Utf16.h"

namespace e2e {

using namespace std::chrono_literals;
using Millis = std::chrono::milliseconds;

// Time limits: generous, because Wine starts a process cold in under a second but the machine is shared.
inline constexpr Millis kStartLimit = 20s;
inline constexpr Millis kExitLimit = 15s;
inline constexpr Millis kAnswerLimit = 10s;
// How long "nothing else happens" is watched for.
inline constexpr Millis kQuietPeriod = 1500ms;

// ----- the program under test -----

// Folder with the built tolvane.exe and skins: TOLVANE_BIN_DIR from the environment, else the build's.
std::wstring BuildOutputDir();
std::wstring BuiltProgramPath();
bool ProgramIsBuilt();

// Skips the running test while the program has not been built yet.
#define TOLVANE_REQUIRE_PROGRAM()                                                                         \
    do {                                                                                                  \
        if (!::e2e::ProgramIsBuilt())                                                                     \
            GTEST_SKIP() << "tolvane.exe is not built yet: " << ::e2e::Narrow(::e2e::BuiltProgramPath()); \
    } while (0)

// Where the recorder exe was built (a stand-in program that logs how it was started).
std::wstring RecorderPath();

// ----- text -----

using winsupport::Narrow;  // UTF-8, for messages
using winsupport::Widen;
std::string ToCp932(const std::wstring& text);  // fails the test if a character has no CP932 form
std::wstring FromCp932(const std::string& bytes);

// ----- files -----

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);
bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
std::optional<std::string> ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::string& bytes);
void CopyFolder(const std::wstring& from, const std::wstring& to);
void RemoveFolder(const std::wstring& path);
FILETIME LastWriteTime(const std::wstring& path);
void SetLastWriteTime(const std::wstring& path, const FILETIME& time);
FILETIME TimeLongAgo();  // 2001-01-01, for telling a rewritten file from an untouched one
bool SameTime(const FILETIME& a, const FILETIME& b);

// A temporary program folder with tolvane.exe (and, unless told otherwise, the skins folder) copied
// from the build. Removed again when it goes out of scope.
class ProgramFolder {
  public:
    enum class Skins { Copy, Leave };
    explicit ProgramFolder(Skins skins = Skins::Copy);
    ~ProgramFolder();
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    const std::wstring& Path() const { return path_; }
    std::wstring File(const std::wstring& name) const { return JoinPath(path_, name); }
    std::wstring Exe() const { return File(L"tolvane.exe"); }

  private:
    std::wstring path_;
};

// ----- the stored files, as the program writes them: code page 932, CR LF after every line -----

std::string Lines(const std::vector<std::wstring>& lines);
std::vector<std::string> SplitLines(const std::string& bytes);  // by CR LF; the bytes of each line

// The eleven lines a first run writes.
std::vector<std::wstring> DefaultSettingsLines();

// A TURL.dat or TRUN.dat: 16 pages by 4 slots of Path, Batch and Title.
class GridFile {
  public:
    GridFile();  // every slot empty: "", "", "@未登録"
    void Set(int page, int slot, const std::wstring& path, const std::wstring& batch,
             const std::wstring& title);
    void Clear(int page, int slot);
    std::string Bytes() const;

  private:
    std::vector<std::wstring> lines_;
};

inline const std::wstring kEmptyMarker = L"@未登録";

// ----- processes -----

class Process {
  public:
    Process() = default;
    ~Process();  // ends a process that is still running (and that the test forgot), so nothing leaks into the
                 // next test
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    // Starts exe with the given arguments (appended after the quoted exe path) in the given folder.
    static Process Start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder);

    DWORD Id() const { return pid_; }
    HANDLE Handle() const { return process_; }
    bool Running() const;
    // The exit code once the process has ended within the limit.
    std::optional<DWORD> WaitForExit(Millis limit) const;
    void Kill();

  private:
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
};

// Starts tolvane.exe of the folder, in the folder, with the pointer over the caption strip of a strip
// at (0, 0).
Process StartProgram(const ProgramFolder& folder);

// Asks the program to close as any other close would (WM_CLOSE to its main window) and waits for the
// end. Returns false if it did not end in time.
bool CloseProgram(Process& program, HWND mainWindow, Millis limit = kExitLimit);

// ----- windows -----

// Polls predicate every 20 ms until it holds or the limit passes.
bool WaitUntil(const std::function<bool()>& predicate, Millis limit);

// Top-level windows of the class and caption (either may be null for "any"), of one process (0: any).
std::vector<HWND> TopLevelWindows(const wchar_t* className, const wchar_t* caption, DWORD pid = 0);
// Waits for a visible top-level window of the class and caption owned by the process.
HWND WaitForWindow(const wchar_t* className, const wchar_t* caption, DWORD pid, Millis limit = kStartLimit);

// The program's main window: class L"TolvaneForm", caption "Tolvane".
inline constexpr const wchar_t* kFormClass = L"TolvaneForm";
inline constexpr const wchar_t* kTitle = L"Tolvane";
HWND WaitForMainWindow(const Process& program, Millis limit = kStartLimit);

std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);                     // WM_GETTEXT through SendMessageTimeout
bool SetText(HWND window, const std::wstring& text);  // WM_SETTEXT through SendMessageTimeout
// The window that has the keyboard focus in the thread of this window; null if none.
HWND FocusOf(HWND window);
RECT ScreenRect(HWND window);
RECT RectInParent(HWND child);  // the child's rectangle in its parent's client coordinates
bool IsTopmost(HWND window);
SIZE ScreenSize();

// Child windows, direct and nested.
std::vector<HWND> Children(HWND parent);
// The child whose caption is the text; null if none or several.
HWND ChildByText(HWND parent, const std::wstring& text);
// The push button whose caption is the text (a frame may carry the same one); null if none.
HWND PushButton(HWND parent, const std::wstring& caption);
// The child whose rectangle in the parent's client area is exactly (left, top, width, height), as in the
// control table; null if none or several.
HWND ChildAt(HWND parent, int left, int top, int width, int height);

// Posts a left click (button down, then up) at client coordinates of the window.
void PostClick(HWND window, int x, int y);
void PostRightClick(HWND window, int x, int y);
void PostHotkey(HWND window, int id, UINT modifiers, UINT virtualKey);
// Moves a window of another process without waiting on it (SWP_ASYNCWINDOWPOS), then waits until it is
// there. Returns false if it did not get there in time.
bool MoveWindowTo(HWND window, int left, int top, Millis limit = kAnswerLimit);

// ----- message boxes -----

// Waits for a message box of the process (a #32770 dialog with the caption, "Tolvane" by default).
HWND WaitForMessageBox(DWORD pid, Millis limit = kStartLimit, const wchar_t* caption = kTitle);
// Whether the process shows any message box now (any #32770 dialog).
bool HasMessageBox(DWORD pid);
// The message text: the static control with id 0xFFFF.
std::wstring MessageBoxText(HWND box);
// Presses IDOK, IDYES, IDNO or IDCANCEL by posting BM_CLICK; false if the box has no such button.
bool AnswerMessageBox(HWND box, int buttonId);
// Waits until the box is gone.
bool WaitForWindowGone(HWND window, Millis limit = kAnswerLimit);

// Waits until the program has settled after start (input idle), then watches for a message box for the
// quiet period. Returns the box if one appears.
HWND MessageBoxDuringQuietPeriod(const Process& program, Millis quiet = kQuietPeriod);

// ----- hotkeys -----

// Whether this driver could register the combination itself now (it releases it again at once).
bool CanRegisterHotkey(UINT modifiers, UINT virtualKey);

// ----- pictures -----

// The screen's scale in dots per inch: 96 unless the prefix runs at another LogPixels.
int ScreenDpi();
// A rectangle of a control table, in design pixels, as the program places it on this screen: each edge
// scaled by dpi / 96.
RECT ScaledRect(int left, int top, int width, int height);
// With TOLVANE_SHOTS set to a host folder, saves that rectangle of the screen there as
// NAME-DPI.png, for a person to look at, once it has stopped changing.
void Photograph(const RECT& screenRect, const std::string& name);

// The pixels of a screen rectangle, 0x00RRGGBB, row by row.
struct Capture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
    bool operator==(const Capture&) const = default;
};
Capture CaptureScreen(const RECT& rect);
// Waits until the screen has shown the same picture of the rectangle for 200 ms (three captures 100 ms
// apart): the paint that a change asked for has then reached the screen. Returns that picture, or
// nothing (with a failure reported) if it kept changing until the limit.
std::optional<Capture> StillPicture(const RECT& screenRect, Millis limit = kAnswerLimit);

// ----- the recorder -----

struct RecordedStart {
    std::wstring commandLine;
    std::wstring folder;  // the working folder it was started in
};
// What a copy of the recorder at exePath logged so far, oldest first.
std::vector<RecordedStart> RecordedStarts(const std::wstring& exePath);

// ----- drag and drop, shortcuts: these need OLE on the calling thread -----

// OleInitialize for the scope; OleUninitialize only when it succeeded.
class OleSession {
  public:
    OleSession();
    ~OleSession();
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    bool Ok() const { return ok_; }

  private:
    bool ok_;
};

struct DropOutcome {
    bool dropped = false;  // the drag ended with a drop rather than a cancel
    DWORD effect = 0;      // the DROPEFFECT the target answered last; 0 when it refused
};

// Drags the paths as the shell's file list (CF_HDROP) with DoDragDrop and lets go at the screen point
// once the cursor has stayed there for three ticks (Wine may move it away at the start of a drag).
DropOutcome DropFiles(POINT screenPoint, const std::vector<std::wstring>& paths, Millis limit = kAnswerLimit);

// Writes a shell shortcut (.lnk) to the target with IShellLinkW and IPersistFile.
bool MakeShortcut(const std::wstring& linkPath, const std::wstring& target);

// ----- the host, the real mouse and keyboard -----

// Runs a shell command on the Linux host and returns its exit status once it has finished within the
// limit. Wine starts Unix programs through CreateProcess but gives no handle to wait on, so the command
// reports its end through a file under /tmp. The command must not contain double quotes.
std::optional<int> RunOnHost(const std::string& command, Millis limit = kAnswerLimit);

// xdotool with the arguments on the test display (real pointer and keyboard events, as a person would
// give them); true when it ran to the end without an error.
bool Xdotool(const std::string& arguments, Millis limit = kAnswerLimit);

// ----- a running program with prepared stored files -----

// The settings of a first run with some lines replaced (index 0 is line 1).
std::string SettingsWith(std::initializer_list<std::pair<int, std::wstring>> changes);

// A copy of the recorder at the path, its folder created if needed; returns the path.
std::wstring PlaceRecorder(const std::wstring& path);

// The program in a fresh folder, started on stored files that the test writes first; closed at the end.
class StripSession {
  public:
    StripSession() = default;
    ~StripSession();
    StripSession(const StripSession&) = delete;
    StripSession& operator=(const StripSession&) = delete;

    // Writes Tolv.ini, TURL.dat and TRUN.dat, starts the program and waits until its window shows and
    // it has settled without a message box. False (with a failure reported) otherwise.
    bool Start(const std::string& settings, const GridFile& urls, const GridFile& launchers);
    // A direct child of the main window at exactly this rectangle of the control table, scaled to the
    // screen as the program places it (ScaledRect).
    HWND Control(int left, int top, int width, int height) const;
    // The command box: the main window's combo box, and the edit inside it.
    HWND CommandBox() const;
    HWND CommandBoxEdit() const;

    ProgramFolder folder;
    Process program;
    HWND main = nullptr;
};

// ----- combo boxes of another process (SendMessageTimeout only) -----

std::vector<std::wstring> ComboEntries(HWND combo);
bool ComboDroppedDown(HWND combo);
// The selection in the combo's edit, in UTF-16 units: start and end.
std::pair<int, int> ComboEditSelection(HWND combo);
// Posts one typed character (WM_CHAR) to a window.
void PostChar(HWND window, wchar_t character);

// ----- list boxes of another process (SendMessageTimeout only) -----

std::vector<std::wstring> ListEntries(HWND list);
// The selected entry, -1 for none or no answer.
int ListSelection(HWND list);

}  // namespace e2e
