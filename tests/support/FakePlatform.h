#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace fake {

// The icon or picture the fake hands out: it remembers which path it stands for.
struct FakeIcon : forms::Icon {
    explicit FakeIcon(std::string p) : path(std::move(p)) {}
    std::string path;
};

struct FakePicture : forms::Picture {
    explicit FakePicture(std::string p, std::string d = {})
        : path(std::move(p)), doubleSizePath(std::move(d)) {}
    int width() const override { return 256; }
    int height() const override { return 128; }
    std::string path;
    std::string doubleSizePath;  // the double-size drawing that came with it; empty for none
};

struct FakeEntry {
    std::string bytes;
    bool folder = false;
    bool hidden = false;
    bool system = false;
    bool readOnly = false;  // replaceFile fails on it
};

struct MessageBoxCall {
    std::string text;
    platform::MessageButtons buttons;
};

struct ProcessCall {
    std::string application;
    std::string commandLine;
    bool operator==(const ProcessCall&) const = default;
};

struct ShellOpenCall {
    std::string file;
    std::string workingFolder;
    bool operator==(const ShellOpenCall&) const = default;
};

// A recording Platform with scripted answers. Paths are Windows paths and compare without regard to
// letter case, as on Windows.
class FakePlatform : public platform::Platform {
  public:
    FakePlatform();

    // ---- Scripting
    std::string folder = "C:\\Tolvane";
    std::string exeName = "tolvane";
    bool otherInstance = false;
    std::string clipboard;
    platform::Point cursor{-1, -1};
    platform::Size screen{1280, 800};
    std::vector<forms::Rect> monitorRects;  // none: one monitor, the primary screen
    platform::DateTime clock{2026, 12, 7, 9, 5, 3, 1};
    std::string dateSep = "/";
    std::string timeSep = ":";
    std::deque<platform::MessageAnswer> answers;   // replies to Yes/No boxes; No when none is left
    std::deque<std::string> dialogResults;         // replies to open-file dialogs; "" when none is left
    std::set<std::string> failingWrites;           // paths whose replaceFile fails (old file kept)
    std::map<std::string, std::string> shortcuts;  // .lnk path -> target
    std::set<std::string> picturesThatFail;        // paths whose loadPicture fails
    std::function<void()> dragTo;                  // what the person does during the drag loop
    // A volume answers when its root is in the table (C:\ is), unless it is one of these shares or
    // drives that do not answer in time.
    std::set<std::string> silentVolumes;

    void addFile(const std::string& path, const std::string& bytes = "", bool hidden = false,
                 bool system = false, bool readOnly = false);
    void addFolder(const std::string& path, bool hidden = false);
    void removeFile(const std::string& path);
    bool exists(const std::string& path) const;
    std::string fileBytes(const std::string& path) const;  // "" when missing
    const std::map<std::string, FakeEntry>& entries() const { return entries_; }

    // ---- Records
    std::vector<MessageBoxCall> messageBoxes;
    std::vector<ProcessCall> processes;
    std::vector<ShellOpenCall> shellOpens;
    std::vector<std::string> browserAddresses;
    std::vector<platform::OpenDialogRequest> dialogs;
    std::vector<std::pair<forms::NativeWindow, platform::WindowOrder>> orderCalls;
    std::vector<forms::NativeWindow> dragCalls;
    std::vector<std::string> writes;        // paths, in order of replaceFile calls that succeeded
    std::vector<std::string> volumeProbes;  // roots, in the order they were asked about
    std::chrono::milliseconds longestProbeLimit{0};

    // ---- Platform
    bool anotherInstanceRunning() override { return otherInstance; }
    std::string programFolder() override { return folder; }
    std::string exeBaseName() override { return exeName; }
    bool listingFinds(const std::string& path, platform::Listing listing) override;
    bool isFolder(const std::string& path) override;
    bool pathExists(const std::string& path) override { return !path.empty() && exists(path); }
    std::vector<bool> volumesReachable(const std::vector<std::string>& roots,
                                       std::chrono::milliseconds limit) override;
    std::vector<std::string> listFiles(const std::string& folderPath, const std::string& pattern) override;
    std::optional<std::string> readFile(const std::string& path) override;
    platform::Outcome<> replaceFile(const std::string& path, const std::string& bytes) override;
    bool copyFileNew(const std::string& from, const std::string& to) override;
    bool startProcess(const std::string& application, const std::string& commandLine) override;
    bool shellOpen(const std::string& file, const std::string& workingFolder) override;
    bool openInBrowserObject(const std::string& address) override;
    std::optional<std::string> resolveShortcut(const std::string& linkPath) override;
    void setWindowOrder(forms::NativeWindow window, platform::WindowOrder order) override;
    void dragWindow(forms::NativeWindow window) override;
    platform::Point cursorPos() override { return cursor; }
    platform::Size screenSize() override { return screen; }
    std::vector<forms::Rect> monitors() override;
    std::string clipboardText() override { return clipboard; }
    platform::MessageAnswer messageBox(const std::string& text, platform::MessageButtons buttons) override;
    std::string openFileDialog(const platform::OpenDialogRequest& request) override;
    forms::IconPtr smallIcon(const std::string& path) override;
    forms::PicturePtr loadPicture(const std::string& path) override;
    forms::PicturePtr loadSkinPicture(const std::string& path, const std::string& doubleSizePath) override;
    platform::DateTime now() override { return clock; }
    std::string dateSeparator() override { return dateSep; }
    std::string timeSeparator() override { return timeSep; }

  private:
    static std::string key(const std::string& path);
    const FakeEntry* find(const std::string& path) const;
    std::map<std::string, FakeEntry> entries_;  // by key(path)
    std::map<std::string, std::string> names_;  // key -> path as added
};

// True when `name` matches a listing pattern with * and ?, letter case ignored.
bool wildcardMatch(const std::string& pattern, const std::string& name);

}  // namespace fake
