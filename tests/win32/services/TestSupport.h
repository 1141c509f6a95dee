#pragma once

#include <windows.h>

#include <string>

namespace testsupport {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string at(const std::string& name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

void writeFile(const std::string& path, const std::string& bytes);
void makeFolder(const std::string& path);
void addAttributes(const std::string& path, DWORD attributes);
// Waits up to ten seconds for a file to appear.
bool waitForFile(const std::string& path);
// The path of a helper exe built beside the test exe.
std::string helperExe(const std::string& name);
// Runs a program to its end and returns its exit code, or -1 when it could not be started.
int runAndWait(const std::string& application);

// Polls for a shown top-level window of `className` titled `title`, for up to ten seconds.
HWND waitForWindow(const wchar_t* className, const wchar_t* title);
// Clicks a button of a modal dialog until the dialog has closed; closes it by force after ten seconds,
// so that a failing test never hangs in the dialog.
void clickUntilClosed(HWND dialog, int button);

}  // namespace testsupport
