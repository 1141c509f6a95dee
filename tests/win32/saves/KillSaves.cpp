// Kills during saves. `kill-saves N` makes a program folder, then N times starts itself as a saver that
// writes the three stored files through SaveAll and the real Platform over and over, each time with
// another generation of content, and kills it with TerminateProcess at a random moment. After every
// kill each file must be one whole generation, byte for byte as SaveAll writes it, and the three must
// load without a message. `kill-saves N SEED` repeats a run.
#include <windows.h>

#include <cstdio>
#include <map>
#include <optional>
#include <random>
#include <string>

#include "Utf16.h"
#include "platform/win32/Handles.h"
#include "platform/win32/services/Win32Platform.h"
#include "state/StoredFiles.h"

namespace {

// The real Platform, except that a message is recorded rather than shown, and that it can keep what a
// save would write instead of writing it.
class QuietPlatform : public win32::Win32Platform {
  public:
    platform::MessageAnswer messageBox(const std::string& text, platform::MessageButtons) override {
        messages.push_back(text);
        return platform::MessageAnswer::Ok;
    }
    platform::Outcome<> replaceFile(const std::string& path, const std::string& bytes) override {
        if (!keepInMemory)
            return win32::Win32Platform::replaceFile(path, bytes);
        kept[path] = bytes;
        return {};
    }
    std::vector<std::string> messages;
    bool keepInMemory = false;
    std::map<std::string, std::string> kept;
};

// Generation g of the stored content: every slot of both grids filled, so that each file is tens of
// kilobytes and a kill has a wide window to land in; g shows in the settings and in every record.
state::LauncherState generation(const std::string& folder, int g) {
    state::LauncherState s;
    state::SetPaths(s, folder, "tolvane");
    state::SetDefaultHotkeys(s);
    s.BrowserPath = state::kDefaultBrowserPath;
    s.SkinFile = state::kDefaultSkinFile;
    s.ClockFormat = "yyyy/mm/dd hh:mm:ss 世代" + std::to_string(g);
    s.WindowTop = g;
    s.WindowLeft = static_cast<float>(g % 1000);
    s.Mode = g % 2 ? state::GridMode::Url : state::GridMode::Launcher;
    const std::string tag = std::to_string(g);
    for (int n = 0; n < state::kGridSize; ++n) {
        const std::string slot = std::to_string(n);
        s.RunItems.at(n) = {"C:\\Program Files\\世代 " + tag + "\\プログラム " + slot + "\\tool.exe",
                            "t" + slot + "-" + tag, "ツール " + slot + " 第" + tag + "世代"};
        s.UrlItems.at(n) = {"http://example.com/" + tag + "/" + slot + "?q=検索", "u" + slot + "-" + tag,
                            "ページ " + slot + " 第" + tag + "世代"};
    }
    return s;
}

int saver(const std::string& folder, const std::wstring& readyEvent) {
    QuietPlatform platform;
    win32::UniqueKernelHandle ready(::OpenEventW(EVENT_MODIFY_STATE, FALSE, readyEvent.c_str()));
    for (int g = 1;; ++g) {
        if (!state::SaveAll(generation(folder, g), platform))
            return 3;
        if (g == 1 && ready)
            ::SetEvent(ready.get());
    }
}

std::wstring selfPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

// The generation a loaded state came from, by file: the settings keep it in the window top, each grid
// in the titles.
int generationOf(const state::Grid& grid) {
    const std::string& title = grid.at(0).Title;
    const auto from = title.find("第");
    return from == std::string::npos ? -1 : std::atoi(title.c_str() + from + std::string("第").size());
}

class Driver {
  public:
    Driver(std::string folder, unsigned seed) : folder_(std::move(folder)), random_(seed) {}

    // Returns false, having said why, when a file is torn or does not load quietly.
    bool killOnce(int round) {
        const std::wstring eventName = L"Local\\TolvaneKillSaves" + std::to_wstring(::GetCurrentProcessId());
        win32::UniqueKernelHandle ready(::CreateEventW(nullptr, TRUE, FALSE, eventName.c_str()));
        std::wstring commandLine =
            L"\"" + selfPath() + L"\" save \"" + winsupport::Widen(folder_) + L"\" " + eventName;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              &startup, &info)) {
            std::printf("round %d: the saver did not start (%lu)\n", round, ::GetLastError());
            return false;
        }
        win32::UniqueKernelHandle process(info.hProcess);
        ::CloseHandle(info.hThread);
        const HANDLE both[] = {ready.get(), process.get()};
        if (::WaitForMultipleObjects(2, both, FALSE, 30000) != WAIT_OBJECT_0) {
            DWORD code = 0;
            ::GetExitCodeProcess(process.get(), &code);
            std::printf("round %d: the saver did not save once (exit code %lu)\n", round, code);
            ::TerminateProcess(process.get(), 1);
            return false;
        }
        // Anywhere within the next few saves, down to the microsecond.
        spin(std::uniform_int_distribution<int>(0, 30000)(random_));
        ::TerminateProcess(process.get(), 9);
        ::WaitForSingleObject(process.get(), 30000);
        return check(round);
    }

    int mixedRounds = 0;  // rounds in which the files held different generations: the kill hit a save

  private:
    static void spin(int microseconds) {
        LARGE_INTEGER frequency, start, now;
        ::QueryPerformanceFrequency(&frequency);
        ::QueryPerformanceCounter(&start);
        const LONGLONG ticks = frequency.QuadPart * microseconds / 1000000;
        do
            ::QueryPerformanceCounter(&now);
        while (now.QuadPart - start.QuadPart < ticks);
    }

    // What SaveAll writes for generation g, file by file.
    const std::map<std::string, std::string>& expected(int g) {
        auto found = cache_.find(g);
        if (found != cache_.end())
            return found->second;
        QuietPlatform memory;
        memory.keepInMemory = true;
        (void)state::SaveAll(generation(folder_, g), memory);
        if (cache_.size() > 64)
            cache_.clear();
        return cache_[g] = memory.kept;
    }

    bool check(int round) {
        QuietPlatform platform;
        state::LauncherState loaded;
        state::SetPaths(loaded, folder_, "tolvane");
        state::LoadAll(loaded, platform);
        bool whole = true;
        for (const std::string& message : platform.messages) {
            std::printf("round %d: loading said: %s\n", round, message.c_str());
            whole = false;
        }
        const int generations[] = {static_cast<int>(loaded.WindowTop), generationOf(loaded.UrlItems),
                                   generationOf(loaded.RunItems)};
        const std::string paths[] = {loaded.IniPath, loaded.UrlDataPath, loaded.RunDataPath};
        for (int i = 0; i < 3; ++i) {
            const std::optional<std::string> bytes = platform.readFile(paths[i]);
            const auto& want = expected(generations[i]);
            const auto wanted = want.find(paths[i]);
            if (!bytes || wanted == want.end() || *bytes != wanted->second) {
                std::printf("round %d: %s is not generation %d as saved (%zu bytes)\n", round,
                            paths[i].c_str(), generations[i], bytes ? bytes->size() : 0);
                whole = false;
            }
        }
        if (generations[0] != generations[1] || generations[1] != generations[2])
            ++mixedRounds;
        return whole;
    }

    std::string folder_;
    std::mt19937 random_;
    std::map<int, std::map<std::string, std::string>> cache_;
};

std::string freshFolder() {
    wchar_t temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder =
        std::wstring(temp) + L"kill-saves " + std::to_wstring(::GetCurrentProcessId()) + L" 保存";
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return winsupport::Narrow(folder);
}

// Stray temporary files that killed saves left in the folder.
int leftovers(const std::string& folder) {
    return static_cast<int>(win32::Win32Platform().listFiles(folder, "*.tmp").size());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 4 && std::wstring(argv[1]) == L"save")
        return saver(winsupport::Narrow(argv[2]), argv[3]);
    if (argc < 2 || argc > 3) {
        std::printf("usage: kill-saves KILLS [SEED]\n");
        return 2;
    }
    const int kills = _wtoi(argv[1]);
    const unsigned seed = argc == 3 ? static_cast<unsigned>(_wtoi(argv[2])) : ::GetTickCount();
    const std::string folder = freshFolder();
    std::printf("kill-saves: %d kills, seed %u, folder %s\n", kills, seed, folder.c_str());
    {
        QuietPlatform platform;
        if (!state::SaveAll(generation(folder, 0), platform)) {
            std::printf("the first save failed\n");
            return 1;
        }
    }
    Driver driver(folder, seed);
    int torn = 0;
    for (int round = 1; round <= kills; ++round) {
        if (!driver.killOnce(round))
            ++torn;
    }
    std::printf(
        "kills: %d, torn or unreadable: %d, kills between files of one save: %d, stray temporary files: %d\n",
        kills, torn, driver.mixedRounds, leftovers(folder));
    // A killed save may leave its temporary file; the next save takes it over, so there are never more
    // than one for each of the three files.
    if (torn != 0 || leftovers(folder) > 3)
        return 1;
    std::printf("all %d kills left whole files\n", kills);
    return 0;
}
