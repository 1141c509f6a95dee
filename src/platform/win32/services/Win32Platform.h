#pragma once

#include <deque>

#include "platform/Platform.h"
#include "platform/win32/Handles.h"

namespace win32 {

// The Platform on the real system. Construct it on the user-interface thread: it joins that thread to a
// single-threaded COM apartment, which the shell, the browser object and the picture decoders need and
// which the later OleInitialize for drag and drop accepts.
class Win32Platform : public platform::Platform {
  public:
    Win32Platform() = default;

    bool anotherInstanceRunning() override;
    std::string programFolder() override;
    std::string exeBaseName() override;

    bool listingFinds(const std::string& path, platform::Listing listing) override;
    std::vector<bool> listingFindsEach(const std::vector<std::string>& paths,
                                       platform::Listing listing) override;
    bool isFolder(const std::string& path) override;
    bool pathExists(const std::string& path) override;
    std::vector<bool> volumesReachable(const std::vector<std::string>& roots,
                                       std::chrono::milliseconds limit) override;
    std::vector<std::string> listFiles(const std::string& folder, const std::string& pattern) override;
    std::optional<std::string> readFile(const std::string& path) override;
    platform::Outcome<> replaceFile(const std::string& path, const std::string& bytes) override;
    bool copyFileNew(const std::string& from, const std::string& to) override;

    bool startProcess(const std::string& application, const std::string& commandLine) override;
    bool shellOpen(const std::string& file, const std::string& workingFolder) override;
    bool openInBrowserObject(const std::string& address) override;
    std::optional<std::string> resolveShortcut(const std::string& linkPath) override;

    void setWindowOrder(platform::NativeWindow window, platform::WindowOrder order) override;
    void dragWindow(platform::NativeWindow window) override;
    platform::Point cursorPos() override;
    platform::Size screenSize() override;
    std::vector<forms::Rect> monitors() override;
    std::string clipboardText() override;

    platform::MessageAnswer messageBox(const std::string& text, platform::MessageButtons buttons) override;
    std::string openFileDialog(const platform::OpenDialogRequest& request) override;

    forms::IconPtr smallIcon(const std::string& path) override;
    forms::PicturePtr loadPicture(const std::string& path) override;
    forms::PicturePtr loadSkinPicture(const std::string& path, const std::string& doubleSizePath) override;

    platform::DateTime now() override;
    std::string dateSeparator() override;
    std::string timeSeparator() override;

  private:
    // The shell takes milliseconds to extract an icon, and the strip asks for the same few again and
    // again (each completed keystroke, each mode switch): the last few are kept, each with its file's
    // time of last change, so that a file that changed gets its icon anew.
    struct RecentIcon {
        std::string path;
        FILETIME written;
        forms::IconPtr icon;
    };
    static constexpr std::size_t kRecentIcons = 16;
    std::deque<RecentIcon> recentIcons_;  // the most recently asked for first

    ComApartment com_;
};

}  // namespace win32
