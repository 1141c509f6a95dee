#include <windows.h>

#include <algorithm>
#include <limits>
#include <map>
#include <string>

#include "platform/win32/Wide.h"
#include "platform/win32/services/Win32Platform.h"

namespace win32 {
namespace {

bool hiddenOrSystem(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0;
}

bool isDirectory(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool endsWithSeparator(std::wstring_view path) {
    return !path.empty() && (path.back() == L'\\' || path.back() == L'/');
}

// True when `name` stands for exactly one entry name: no wildcard, and nothing the system would trim
// from the end of a name before it looks.
bool plainName(std::wstring_view name) {
    return !name.empty() && name.find_first_of(L"*?<>\"") == std::wstring_view::npos && name.back() != L'.' &&
           name.back() != L' ';
}

// Names compared as the file system compares them: ordinal, ignoring case.
bool sameName(const wchar_t* entryName, const std::wstring& name) {
    return entryName[0] && ::CompareStringOrdinal(entryName, -1, name.c_str(), static_cast<int>(name.size()),
                                                  TRUE) == CSTR_EQUAL;
}

// Calls `visit` for each entry of the listing until it returns true; true when it did.
template <class Visit>
bool anyEntry(const std::wstring& pattern, Visit visit) {
    WIN32_FIND_DATAW entry{};
    UniqueFindHandle find(::FindFirstFileW(pattern.c_str(), &entry));
    if (!find)
        return false;
    do {
        if (visit(entry))
            return true;
    } while (::FindNextFileW(find.get(), &entry));
    return false;
}

// A temporary file beside the one it will replace; deleted unless it was moved into place. Its name is
// fixed, so that what a save cut short by a crash or a kill leaves behind is taken over by the next
// save instead of piling up in the program folder.
class TemporaryFile {
  public:
    explicit TemporaryFile(const std::wstring& target)
        : path_(target + L".tmp"),
          file_(::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr)) {
        if (!file_)
            error_ = ::GetLastError();
    }
    ~TemporaryFile() {
        file_.reset();
        if (!moved_ && !path_.empty())
            ::DeleteFileW(path_.c_str());
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    bool writeAndFlush(const std::string& bytes) {
        if (!file_)
            return false;
        std::size_t done = 0;
        while (done < bytes.size()) {
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
            DWORD written = 0;
            if (!::WriteFile(file_.get(), bytes.data() + done, chunk, &written, nullptr))
                return failed(::GetLastError());
            if (written == 0)
                return failed(ERROR_WRITE_FAULT);
            done += written;
        }
        return ::FlushFileBuffers(file_.get()) != FALSE || failed(::GetLastError());
    }

    // A virus scanner, an indexer or a backup often holds a file just written for a moment, and the
    // system refuses to replace a file that is open: such a refusal is waited out for up to a second.
    bool moveOver(const std::wstring& target) {
        file_.reset();
        for (int attempt = 0;; ++attempt) {
            moved_ = ::MoveFileExW(path_.c_str(), target.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
            if (moved_)
                return true;
            const DWORD error = ::GetLastError();
            const bool heldOpen = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
                                  error == ERROR_LOCK_VIOLATION;
            if (!heldOpen || attempt == kMoveAttempts - 1)
                return failed(error);
            ::Sleep(kMoveRetryMs);
        }
    }

    // The system's error code of the step that failed.
    DWORD error() const { return error_; }

  private:
    bool failed(DWORD error) {
        error_ = error;
        return false;
    }

    static constexpr int kMoveAttempts = 20;
    static constexpr DWORD kMoveRetryMs = 50;
    std::wstring path_;
    UniqueFileHandle file_;
    bool moved_ = false;
    DWORD error_ = ERROR_SUCCESS;
};

// The system's own words for an error code, in the user's language.
std::string systemMessage(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
        error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text ? text : L"", length);
    ::LocalFree(text);
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' '))
        message.pop_back();
    if (message.empty())
        return "エラー " + std::to_string(error);
    return narrow(message);
}

}  // namespace

bool Win32Platform::listingFinds(const std::string& path, platform::Listing listing) {
    if (path.empty())
        return false;
    std::wstring pattern = widen(path);
    // The system rejects a pattern that ends in a separator; such a path stands for the folder's contents.
    if (endsWithSeparator(pattern))
        pattern += L'*';
    const bool foldersToo = listing == platform::Listing::FilesAndFolders;
    return anyEntry(pattern, [&](const WIN32_FIND_DATAW& entry) {
        return !hiddenOrSystem(entry) && (foldersToo || !isDirectory(entry));
    });
}

std::vector<bool> Win32Platform::listingFindsEach(const std::vector<std::string>& paths,
                                                  platform::Listing listing) {
    // A lookup costs about as much as listing the whole folder does: the paths of one folder are
    // answered from one listing of it, matched by long or short name as the lookup would match them.
    std::vector<bool> found(paths.size(), false);
    struct Wanted {
        std::size_t index;
        std::wstring name;
    };
    std::map<std::wstring, std::vector<Wanted>> byFolder;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        const std::wstring path = widen(paths[i]);
        const std::size_t cut = path.find_last_of(L"\\/");
        if (cut != std::wstring::npos && plainName(std::wstring_view(path).substr(cut + 1)))
            byFolder[path.substr(0, cut + 1)].push_back({i, path.substr(cut + 1)});
        else
            found[i] = listingFinds(paths[i], listing);
    }
    const bool foldersToo = listing == platform::Listing::FilesAndFolders;
    for (const auto& [folder, wanted] : byFolder) {
        if (wanted.size() == 1) {
            found[wanted.front().index] = listingFinds(paths[wanted.front().index], listing);
            continue;
        }
        anyEntry(folder + L'*', [&](const WIN32_FIND_DATAW& entry) {
            if (hiddenOrSystem(entry) || (!foldersToo && isDirectory(entry)))
                return false;
            for (const Wanted& w : wanted) {
                if (sameName(entry.cFileName, w.name) || sameName(entry.cAlternateFileName, w.name))
                    found[w.index] = true;
            }
            return false;
        });
    }
    return found;
}

bool Win32Platform::isFolder(const std::string& path) {
    const DWORD attributes = ::GetFileAttributesW(widen(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32Platform::pathExists(const std::string& path) {
    return !path.empty() && ::GetFileAttributesW(widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> Win32Platform::listFiles(const std::string& folder, const std::string& pattern) {
    std::wstring query = widen(folder);
    if (!endsWithSeparator(query))
        query += L'\\';
    query += widen(pattern);
    std::vector<std::string> names;
    anyEntry(query, [&](const WIN32_FIND_DATAW& entry) {
        if (!hiddenOrSystem(entry) && !isDirectory(entry))
            names.push_back(narrow(entry.cFileName));
        return false;
    });
    return names;
}

std::optional<std::string> Win32Platform::readFile(const std::string& path) {
    UniqueFileHandle file(::CreateFileW(widen(path).c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !::GetFileSizeEx(file.get(), &size))
        return std::nullopt;
    if (static_cast<unsigned long long>(size.QuadPart) > std::numeric_limits<std::size_t>::max() / 2) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
        DWORD read = 0;
        if (!::ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr))
            return std::nullopt;
        if (read == 0)
            break;  // the file shrank while we read it
        done += read;
    }
    bytes.resize(done);
    return bytes;
}

platform::Outcome<> Win32Platform::replaceFile(const std::string& path, const std::string& bytes) {
    const std::wstring target = widen(path);
    if (target.empty())
        return platform::Problem{systemMessage(ERROR_INVALID_NAME)};
    // A read-only file is kept as it is and the save reported as failed. Windows refuses to move a file
    // over one, Wine does not: the test is made here, before anything is written. A folder of that name
    // is refused at once too, rather than waited for as a file held open.
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0) {
        return platform::Problem{systemMessage(ERROR_ACCESS_DENIED)};
    }
    TemporaryFile temporary(target);
    if (temporary.writeAndFlush(bytes) && temporary.moveOver(target))
        return {};
    return platform::Problem{systemMessage(temporary.error())};
}

bool Win32Platform::copyFileNew(const std::string& from, const std::string& to) {
    return ::CopyFileW(widen(from).c_str(), widen(to).c_str(), TRUE) != FALSE;
}

}  // namespace win32
