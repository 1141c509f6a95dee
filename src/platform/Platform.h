#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "forms/Geometry.h"
#include "forms/Image.h"
#include "platform/Outcome.h"

namespace platform {

using forms::NativeWindow;

// The program's title: every message box carries it.
inline constexpr const char* kProgramTitle = "Tolvane";

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    int width = 0;
    int height = 0;
    bool operator==(const Size&) const = default;
};

// Local date and time as the clock shows it.
struct DateTime {
    int year = 0;
    int month = 0;        // 1..12
    int day = 0;          // 1..31
    int hour = 0;         // 0..23
    int minute = 0;       // 0..59
    int second = 0;       // 0..59
    int weekday = 0;      // 0 Sunday .. 6 Saturday
    int millisecond = 0;  // 0..999
    bool operator==(const DateTime&) const = default;
};

enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// The two forms of the existence test: a directory listing of exactly that path.
enum class Listing { FilesOnly, FilesAndFolders };

// Where SetWindowPos puts the window in the window order.
enum class WindowOrder { Topmost, NotTopmost, Bottom };

// One description and pattern of an open-file dialog's file-type list.
struct FilterPair {
    std::string description;
    std::string pattern;
    bool operator==(const FilterPair&) const = default;
};

struct OpenDialogRequest {
    NativeWindow owner = 0;
    std::vector<FilterPair> filters;
    int filterIndex = 1;  // 1-based; an index past the list shows the last pair
    std::string initialFolder;
    std::string title;
    int maxPathCharacters = 254;  // a longer chosen path makes the dialog fail
};

// Every service the launcher asks of the system. Paths and texts are UTF-8; an implementation
// converts at the system call. Nothing here holds launcher logic.
class Platform {
  public:
    virtual ~Platform() = default;

    // ---- The process
    // True when another instance of the program already runs (this one then ends at once).
    virtual bool anotherInstanceRunning() = 0;
    // The folder of the executable, without a trailing separator, and the executable's base name.
    virtual std::string programFolder() = 0;
    virtual std::string exeBaseName() = 0;

    // ---- Files
    // True when a directory listing of exactly `path` finds an entry. Hidden and system entries are
    // never found; wildcards match; FilesOnly finds no folder.
    virtual bool listingFinds(const std::string& path, Listing listing) = 0;
    // listingFinds for each of `paths`, in their order. An implementation may answer many paths of one
    // folder from one listing of it.
    virtual std::vector<bool> listingFindsEach(const std::vector<std::string>& paths, Listing listing) {
        std::vector<bool> found;
        for (const std::string& path : paths)
            found.push_back(listingFinds(path, listing));
        return found;
    }
    // True when `path` names an existing folder (by its attributes).
    virtual bool isFolder(const std::string& path) = 0;
    // True when a file or folder exists at exactly `path`, whatever its attributes: unlike a listing,
    // this finds hidden and system entries too. No wildcards.
    virtual bool pathExists(const std::string& path) = 0;
    // For each volume root (`X:\` or `\\server\share\`), whether it answers now. A drive that is
    // not there, a drive without its medium and a share that does not answer within `limit` count as
    // unreachable. All of them together take at most about `limit`.
    virtual std::vector<bool> volumesReachable(const std::vector<std::string>& roots,
                                               std::chrono::milliseconds limit) = 0;
    // The names (not paths) of the files in `folder` that match `pattern`, in the system's order.
    virtual std::vector<std::string> listFiles(const std::string& folder, const std::string& pattern) = 0;
    // The whole content of a file, or nothing when it cannot be opened or read.
    virtual std::optional<std::string> readFile(const std::string& path) = 0;
    // Replaces the file atomically: a temporary file in the same folder, flushed to disk, then moved
    // over the old one. On failure the old file is left whole and the result says why.
    virtual Outcome<> replaceFile(const std::string& path, const std::string& bytes) = 0;
    // Copies a file to a new name; fails, leaving everything as it was, when the target exists.
    virtual bool copyFileNew(const std::string& from, const std::string& to) = 0;

    // ---- Starting things
    // Starts a process with a normal, focused window. `application` is the program's path, passed as
    // the application name so that blanks in it can never start another program; empty to let the
    // system take the program from the start of `commandLine`.
    virtual bool startProcess(const std::string& application, const std::string& commandLine) = 0;
    // The shell's "open" on a file, folder or document, with `workingFolder` as its working folder.
    virtual bool shellOpen(const std::string& file, const std::string& workingFolder) = 0;
    // Opens an address in a new window of the browser automation object "InternetExplorer.Application"
    // (Visible, then Navigate); where that object does not exist, in the system's default browser.
    virtual bool openInBrowserObject(const std::string& address) = 0;
    // The target path of a shortcut (.lnk), or nothing when it cannot be read.
    virtual std::optional<std::string> resolveShortcut(const std::string& linkPath) = 0;

    // ---- Windows and input
    // Changes only the window's place in the window order, and shows it without activating it.
    virtual void setWindowOrder(NativeWindow window, WindowOrder order) = 0;
    // The system's drag loop: the window follows the mouse until the button is released.
    virtual void dragWindow(NativeWindow window) = 0;
    // Positions and areas of the screen are in design pixels (platform/ScreenScale.h), as forms are.
    virtual Point cursorPos() = 0;
    // The primary screen.
    virtual Size screenSize() = 0;
    // Every monitor's whole area; the primary one has its top left at (0, 0).
    virtual std::vector<forms::Rect> monitors() = 0;
    virtual std::string clipboardText() = 0;

    // ---- Dialogs
    // A modal message box with the program's title.
    virtual MessageAnswer messageBox(const std::string& text, MessageButtons buttons) = 0;
    // The chosen path, or an empty text when the person cancels or the dialog fails.
    virtual std::string openFileDialog(const OpenDialogRequest& request) = 0;

    // ---- Pictures
    // The small icon the shell shows for a path; nullptr when it has none.
    virtual forms::IconPtr smallIcon(const std::string& path) = 0;
    // BMP, GIF, JPEG, PNG or ICO; nullptr when the file cannot be loaded.
    virtual forms::PicturePtr loadPicture(const std::string& path) = 0;
    // A skin's picture, with the same picture drawn at twice its size for screens scaled 150 % and
    // more (an empty `doubleSizePath` for none). nullptr when `path` cannot be loaded.
    virtual forms::PicturePtr loadSkinPicture(const std::string& path, const std::string& doubleSizePath) = 0;

    // ---- Time
    virtual DateTime now() = 0;
    virtual std::string dateSeparator() = 0;
    virtual std::string timeSeparator() = 0;
};

// Tells the person a failed outcome's problem in a message box. Returns whether it succeeded.
template <class T>
bool Reported(Platform& platform, const Outcome<T>& outcome) {
    if (!outcome)
        platform.messageBox(outcome.problem(), MessageButtons::Ok);
    return static_cast<bool>(outcome);
}

}  // namespace platform
