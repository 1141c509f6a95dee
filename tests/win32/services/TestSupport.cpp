#include "TestSupport.h"

#include "Utf16.h"
#include "platform/win32/Handles.h"
#include "platform/win32/services/Win32Platform.h"

namespace testsupport {
namespace {

void removeTree(const std::wstring& path) {
    WIN32_FIND_DATAW entry{};
    win32::UniqueFindHandle find(::FindFirstFileW((path + L"\\*").c_str(), &entry));
    if (find) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = path + L"\\" + name;
            ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(child);
            } else {
                ::DeleteFileW(child.c_str());
            }
        } while (::FindNextFileW(find.get(), &entry));
    }
    find.reset();
    ::RemoveDirectoryW(path.c_str());
}

}  // namespace

TempFolder::TempFolder() {
    std::wstring temp(MAX_PATH + 1, L'\0');
    temp.resize(::GetTempPathW(static_cast<DWORD>(temp.size()), temp.data()));
    // The long form: the system hands back long names, and the tests compare with them.
    std::wstring full(32768, L'\0');
    full.resize(::GetLongPathNameW(temp.c_str(), full.data(), static_cast<DWORD>(full.size())));
    static int counter = 0;
    const std::wstring folder = full + L"tolvane-services-" + std::to_wstring(::GetCurrentProcessId()) +
                                L"-" + std::to_wstring(++counter);
    ::CreateDirectoryW(folder.c_str(), nullptr);
    path_ = winsupport::Narrow(folder);
}

TempFolder::~TempFolder() {
    removeTree(winsupport::Widen(path_));
}

void writeFile(const std::string& path, const std::string& bytes) {
    win32::UniqueFileHandle file(::CreateFileW(winsupport::Widen(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file)
        ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void makeFolder(const std::string& path) {
    ::CreateDirectoryW(winsupport::Widen(path).c_str(), nullptr);
}

void addAttributes(const std::string& path, DWORD attributes) {
    const std::wstring wide = winsupport::Widen(path);
    ::SetFileAttributesW(wide.c_str(), ::GetFileAttributesW(wide.c_str()) | attributes);
}

bool waitForFile(const std::string& path) {
    const std::wstring wide = winsupport::Widen(path);
    for (int i = 0; i < 200; ++i) {
        if (::GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        ::Sleep(50);
    }
    return false;
}

std::string helperExe(const std::string& name) {
    return win32::Win32Platform().programFolder() + "\\" + name;
}

int runAndWait(const std::string& application) {
    const std::wstring program = winsupport::Widen(application);
    std::wstring line = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!::CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &startup, &started)) {
        return -1;
    }
    win32::UniqueKernelHandle process(started.hProcess);
    win32::UniqueKernelHandle thread(started.hThread);
    ::WaitForSingleObject(process.get(), 30000);
    DWORD code = 0;
    ::GetExitCodeProcess(process.get(), &code);
    return static_cast<int>(code);
}

HWND waitForWindow(const wchar_t* className, const wchar_t* title) {
    for (int i = 0; i < 200; ++i) {
        // Visible only once its initialisation is done.
        HWND found = ::FindWindowW(className, title);
        if (found && ::IsWindowVisible(found))
            return found;
        ::Sleep(50);
    }
    return nullptr;
}

void clickUntilClosed(HWND dialog, int button) {
    for (int i = 0; i < 100 && ::IsWindow(dialog); ++i) {
        ::PostMessageW(::GetDlgItem(dialog, button), BM_CLICK, 0, 0);
        ::Sleep(100);
    }
    if (::IsWindow(dialog))
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

}  // namespace testsupport
