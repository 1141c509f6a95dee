#include "mainwindow/ShellLaunch.h"

#include "forms/Utf8.h"

namespace mainwindow {

namespace {

std::string lowerAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

bool endsWithExe(const std::string& path) {
    const std::size_t count = forms::characterCount(path);
    return count >= 4 && lowerAscii(forms::characterSlice(path, count - 4)) == ".exe";
}

}  // namespace

void OpenWithExplorer(platform::Platform& platform, const std::string& target) {
    platform.startProcess("", "explorer " + target);
}

void OpenWithShell(platform::Platform& platform, const std::string& target) {
    platform.shellOpen(target, platform.programFolder());
}

std::string ProgramInCommandLine(const std::string& program) {
    return program.find(' ') == std::string::npos ? program : "\"" + program + "\"";
}

void StartLauncherPath(platform::Platform& platform, const std::string& path) {
    if (path.empty())
        return;
    if (platform.listingFinds(path, platform::Listing::FilesOnly)) {
        if (platform.isFolder(path)) {
            OpenWithExplorer(platform, path);
        } else if (!endsWithExe(path)) {
            OpenWithShell(platform, path);
        } else {
            // The path is the application itself, so blanks in it can never start another program.
            platform.startProcess(path, ProgramInCommandLine(path));
        }
    } else if (platform.listingFinds(path, platform::Listing::FilesAndFolders)) {
        OpenWithExplorer(platform, path);
    }
}

void StartUrl(platform::Platform& platform, const state::LauncherState& s, const std::string& address) {
    if (address.empty())
        return;
    if (s.UseInternetExplorer == 1) {
        platform.openInBrowserObject(address);
    } else {
        platform.startProcess(s.BrowserPath, ProgramInCommandLine(s.BrowserPath) + " " + address);
    }
}

void StartItem(platform::Platform& platform, const state::LauncherState& s, const std::string& path) {
    if (s.Mode == state::GridMode::Launcher) {
        StartLauncherPath(platform, path);
    } else {
        StartUrl(platform, s, path);
    }
}

}  // namespace mainwindow
