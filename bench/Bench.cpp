// tolvane_bench.exe: measures tolvane.exe against its three floors in one run, interleaved, and prints
// one table row per figure with its goal. Run by tools/bench under tools/wine-env; not a test.
//   tolvane_bench.exe [starts] [idle seconds] [events]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "ProcessFacts.h"
#include "Subjects.h"

using namespace bench;
using namespace std::chrono_literals;

namespace {

constexpr UINT kHotkeyModifiers = MOD_CONTROL | MOD_ALT;
constexpr UINT kHotkeyKeys[] = {'T', 'M', 'C', 'R', 'W'};
constexpr int kModeHotkey = 1;
constexpr int kCommandBoxHotkey = 2;

void progress(const char* text) {
    std::fprintf(stderr, "bench: %s\n", text);
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string format(const char* pattern, double value) {
    char text[256];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

// One row of the table: the launcher's figure, the three floors' (or "-"), the goal and the verdict.
struct Floors {
    std::string plain = "-", system = "-", look = "-";
};

void row(const std::string& figure, const std::string& launcher, const Floors& floors, const std::string& goal,
         bool met, const std::string& note = "") {
    std::printf("| %s | %s | %s | %s | %s | %s | %s%s |\n", figure.c_str(), launcher.c_str(), floors.plain.c_str(),
                floors.system.c_str(), floors.look.c_str(), goal.c_str(), met ? "met" : "MISSED",
                note.empty() ? "" : ("; " + note).c_str());
    std::fflush(stdout);
}

bool hotkeysTaken() {
    for (UINT key : kHotkeyKeys)
        if (e2e::CanRegisterHotkey(kHotkeyModifiers, key))
            return false;
    return true;
}

double mib(long kib) {
    return kib / 1024.0;
}

// ----- the dialogs of the launcher, each opened from the strip and closed by its close box -----

constexpr const wchar_t* kOptionsCaption = L"Tolvane Option";
constexpr const wchar_t* kHotkeyCaption = L"Tolvane HotKey Option";
constexpr const wchar_t* kItemEditorCaption = L"Tolvane registered Item option";
constexpr const wchar_t* kLinkPageCaption = L"Tolvane Link HTML File Generator";
constexpr const wchar_t* kSkinCaption = L"Tolvane Skin option";

HWND openOptions(const Subjects::Started& launcher) {
    e2e::PostRightClick(e2e::ChildAt(launcher.window, 7, 6, 16, 16), 8, 8);
    return e2e::WaitForWindow(e2e::kFormClass, kOptionsCaption, launcher.process.Id(), e2e::kAnswerLimit);
}

bool closeDialog(HWND dialog) {
    PostMessageW(dialog, WM_CLOSE, 0, 0);
    return e2e::WaitForWindowGone(dialog);
}

// Opens a dialog from another one by the button with the text, closes it again, and waits until the
// opener shows again.
bool cycleFrom(const Subjects::Started& launcher, HWND opener, const wchar_t* button, const wchar_t* caption) {
    // A push button is pressed as the keyboard would; a label (the hotkey texts) takes a click.
    if (HWND pushButton = e2e::PushButton(opener, button))
        PostMessageW(pushButton, BM_CLICK, 0, 0);
    else
        e2e::PostClick(e2e::ChildByText(opener, button), 4, 4);
    HWND dialog = e2e::WaitForWindow(e2e::kFormClass, caption, launcher.process.Id(), e2e::kAnswerLimit);
    if (!dialog)
        std::fprintf(stderr, "bench: \"%ls\" did not open\n", caption);
    return dialog && closeDialog(dialog) &&
           e2e::WaitUntil([&] { return IsWindowVisible(opener) != FALSE; }, e2e::kAnswerLimit);
}

// The editor of the web addresses from the options dialog, and the link page dialog from its "作成".
bool cycleLinkPage(const Subjects::Started& launcher, HWND options) {
    PostMessageW(e2e::ChildByText(options, L"ＵＲＬ編集"), BM_CLICK, 0, 0);
    HWND editor = e2e::WaitForWindow(e2e::kFormClass, kItemEditorCaption, launcher.process.Id(), e2e::kAnswerLimit);
    if (!editor) {
        std::fprintf(stderr, "bench: the editor of the web addresses did not open\n");
        return false;
    }
    const bool linkPage = cycleFrom(launcher, editor, L"作成", kLinkPageCaption);
    return closeDialog(editor) && linkPage &&
           e2e::WaitUntil([&] { return IsWindowVisible(options) != FALSE; }, e2e::kAnswerLimit);
}

// Opens and closes every dialog once: the options dialog, and from it the hotkey capture dialog, the
// skin dialog, the item editor of each grid and the link page dialog.
bool cycleDialogs(const Subjects::Started& launcher) {
    HWND options = openOptions(launcher);
    return options && cycleFrom(launcher, options, L"Ctrl + Alt + C", kHotkeyCaption) &&
           cycleFrom(launcher, options, L"スキンの変更", kSkinCaption) &&
           cycleFrom(launcher, options, L"ランチャー編集", kItemEditorCaption) && cycleLinkPage(launcher, options) &&
           closeDialog(options);
}

void sync(HWND window) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
}

double microsecondsOf(const std::function<void()>& action) {
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    action();
    QueryPerformanceCounter(&end);
    return 1e6 * static_cast<double>(end.QuadPart - begin.QuadPart) / static_cast<double>(frequency.QuadPart);
}

HWND commandBoxEdit(HWND strip) {
    for (HWND child : e2e::Children(strip))
        if (GetParent(child) == strip && e2e::ClassOf(child) == L"ComboBox")
            return FindWindowExW(child, nullptr, L"Edit", nullptr);
    return nullptr;
}

// Types every short name into the command box, one character at a time. Each keystroke is timed until
// the program answers again (the character, then an empty message behind it, which waits for what the
// keystroke set off, the repaint included); the same two messages to the system floor's window are the
// cost of the round trip itself, timed in turn with each keystroke.
void measureCompletion(const Subjects& subjects, const Subjects::Started& launcher, const Subjects::Started& floor) {
    e2e::PostHotkey(launcher.window, kCommandBoxHotkey, kHotkeyModifiers, 'C');
    HWND edit = commandBoxEdit(launcher.window);
    HWND box = edit ? GetParent(edit) : nullptr;
    if (!box || !e2e::WaitUntil([&] { return IsWindowVisible(box) != FALSE; }, e2e::kAnswerLimit)) {
        row("completion per keystroke, 64 short names", "no command box", {}, "< 1 ms", false);
        return;
    }
    std::vector<double> keystrokes, roundTrips, completed, typedOver;
    int completedAtOnce = 0, typed = 0;
    DWORD_PTR ignored = 0;
    auto keystroke = [&](HWND window, wchar_t character) {
        return microsecondsOf([&] {
            SendMessageTimeoutW(window, WM_CHAR, character, 1, SMTO_ABORTIFHUNG, 5000, &ignored);
            sync(window);
        });
    };
    for (const std::wstring& name : subjects.ShortNames()) {
        for (wchar_t character : name) {
            const std::wstring before = e2e::TextOf(box);
            keystrokes.push_back(keystroke(edit, character));
            roundTrips.push_back(keystroke(floor.window, character));
            // A character the completed text already showed next leaves the text as it was.
            (e2e::TextOf(box) == before ? typedOver : completed).push_back(keystrokes.back());
        }
        ++typed;
        if (e2e::TextOf(box) == name)
            ++completedAtOnce;
        // Backspace over the whole text: a backspace never completes.
        SendMessageTimeoutW(edit, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, 5000, &ignored);
        SendMessageTimeoutW(edit, WM_CHAR, VK_BACK, 1, SMTO_ABORTIFHUNG, 5000, &ignored);
    }
    PostMessageW(edit, WM_CHAR, VK_ESCAPE, 1);
    const double each = (median(keystrokes) - median(roundTrips)) / 1000.0;
    row("completion per keystroke, 64 short names (ms)", format("%.3f", each),
        {"-", format("%.3f", median(roundTrips) / 1000.0)}, "< 1 ms", each < 1.0 && completedAtOnce == typed,
        format("%.3f ms until the launcher answered again, less the floor's round trip", median(keystrokes) / 1000.0) +
            format("; a key that completed anew %.3f ms", (median(completed) - median(roundTrips)) / 1000.0) +
            " (" + std::to_string(completed.size()) + " keys)" +
            format(", a key the completion showed next %.3f ms", (median(typedOver) - median(roundTrips)) / 1000.0) +
            " (" + std::to_string(typedOver.size()) + " keys); " + std::to_string(completedAtOnce) + " of " +
            std::to_string(typed) + " names whole when the last key returned");
}

// Panel redraws, hovers over the run buttons and the caption, mode switches, and every dialog every
// 1,000 events (after an even number of mode switches: the dialogs are reached in the launcher mode).
bool stir(const Subjects::Started& launcher, int events) {
    std::vector<HWND> buttons;
    for (int i = 0; i < 4; ++i)
        buttons.push_back(e2e::ChildAt(launcher.window, 45 + 18 * i, 4, 15, 20));
    for (int n = 0; n < events; ++n) {
        switch (n % 4) {
            case 0: RedrawWindow(launcher.window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN); break;
            case 1: PostMessageW(buttons[static_cast<std::size_t>(n / 4 % 4)], WM_MOUSEMOVE, 0, MAKELPARAM(5, 5)); break;
            case 2: e2e::PostHotkey(launcher.window, kModeHotkey, kHotkeyModifiers, 'M'); break;
            case 3: PostMessageW(launcher.window, WM_MOUSEMOVE, 0, MAKELPARAM(200, 14)); break;
        }
        if (n % 20 == 19)
            sync(launcher.window);
        if (n % 1000 == 999 && !cycleDialogs(launcher)) {
            std::fprintf(stderr, "bench: the dialogs did not open and close after event %d\n", n + 1);
            return false;
        }
    }
    sync(launcher.window);
    std::this_thread::sleep_for(1s);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    const int starts = argc > 1 ? std::atoi(argv[1]) : 20;
    const int idleSeconds = argc > 2 ? std::atoi(argv[2]) : 60;
    const int events = argc > 3 ? std::atoi(argv[3]) : 10000;
    if (!e2e::ProgramIsBuilt()) {
        std::fprintf(stderr, "bench: tolvane.exe is not built\n");
        return 2;
    }
    Subjects subjects;
    std::printf("| figure | tolvane.exe | plain floor | system floor | look floor | goal | result |\n");
    std::printf("|---|---|---|---|---|---|---|\n");

    // ----- start-up: the four interleaved, the order turned each round -----
    progress("start-up");
    std::map<Kind, std::vector<double>> startTimes;
    bool allHotkeys = true;
    for (int round = 0; round < starts; ++round) {
        for (std::size_t i = 0; i < std::size(kKinds); ++i) {
            const Kind kind = kKinds[(static_cast<std::size_t>(round) + i) % std::size(kKinds)];
            auto started = subjects.Start(kind);
            if (!started) {
                std::fprintf(stderr, "bench: %ls did not get ready\n", subjects.ExeName(kind));
                return 1;
            }
            allHotkeys = allHotkeys && hotkeysTaken();
            startTimes[kind].push_back(started->milliseconds);
            Subjects::Close(*started);
            std::this_thread::sleep_for(200ms);
        }
    }
    const double launcherStart = median(startTimes[Kind::Launcher]);
    const double systemStart = median(startTimes[Kind::SystemFloor]);
    const double lookStart = median(startTimes[Kind::LookFloor]);
    row("start to painted strip, median of " + std::to_string(starts) + " (ms)", format("%.0f", launcherStart),
        {format("%.0f", median(startTimes[Kind::PlainFloor])), format("%.0f", systemStart), format("%.0f", lookStart)},
        "<= look floor + 20 ms", launcherStart <= lookStart + 20 && allHotkeys,
        format("%+.0f ms on the look floor", launcherStart - lookStart) +
            format(", %+.0f ms on the system floor", launcherStart - systemStart) +
            (allHotkeys ? "; five hotkeys held when ready" : "; hotkeys NOT all held when ready"));

    // ----- one session of the three side by side -----
    progress("memory 10 s after start");
    auto plain = subjects.Start(Kind::PlainFloor, true);
    auto system = subjects.Start(Kind::SystemFloor, true);
    auto look = subjects.Start(Kind::LookFloor, true);
    auto launcher = subjects.Start(Kind::Launcher);
    if (!plain || !system || !look || !launcher) {
        std::fprintf(stderr, "bench: a program did not get ready\n");
        return 1;
    }
    std::map<Kind, int> unixPids;
    for (Kind kind : kKinds)
        if (auto pid = UnixPidOf(subjects.ExeName(kind)))
            unixPids[kind] = *pid;
    if (unixPids.size() != std::size(kKinds)) {
        std::fprintf(stderr, "bench: cannot find the programs' Linux processes\n");
        return 1;
    }
    std::this_thread::sleep_for(10s);
    auto privateOf = [&](Kind kind) { return PrivateKiB(unixPids[kind]).value_or(0); };
    const long systemPrivate = privateOf(Kind::SystemFloor);
    const long launcherPrivate = privateOf(Kind::Launcher);
    const long lookPrivate = privateOf(Kind::LookFloor);
    row("private memory 10 s after start, 128 items, skin (MiB)", format("%.1f", mib(launcherPrivate)),
        {format("%.1f", mib(privateOf(Kind::PlainFloor))), format("%.1f", mib(systemPrivate)),
         format("%.1f", mib(lookPrivate))},
        "<= system floor + 1.5 MiB", launcherPrivate <= systemPrivate + 1536,
        format("%+.1f MiB", mib(launcherPrivate - systemPrivate)) +
            format(" (%+.1f MiB on the look floor)", mib(launcherPrivate - lookPrivate)));

    const auto modules = LoadedModules(launcher->process.Handle());
    const auto systemModules = LoadedModules(system->process.Handle());
    const bool fileDialogLoaded = std::count(modules.begin(), modules.end(), L"comdlg32.dll") > 0;
    std::string extra;
    for (const std::wstring& name : modules)
        if (std::find(systemModules.begin(), systemModules.end(), name) == systemModules.end() && name != L"tolvane.exe")
            extra += (extra.empty() ? "" : " ") + e2e::Narrow(name);
    row("modules loaded at start", std::to_string(modules.size()),
        {std::to_string(LoadedModules(plain->process.Handle()).size()), std::to_string(systemModules.size()),
         std::to_string(LoadedModules(look->process.Handle()).size())},
        "no comdlg32 before the file dialog", !fileDialogLoaded, "beyond the system floor: " + (extra.empty() ? std::string("none") : extra));

    const bool gdiCounted = GdiTableCountsWork();
    const auto gdiAtStart = GdiObjects(launcher->process.Handle());
    auto count = [](const std::optional<long>& value) { return value ? std::to_string(*value) : std::string("n/a"); };
    const auto userAtStart = UserObjects(launcher->process.Handle(), launcher->process.Id());

    progress("idle");
    std::map<Kind, long> ticks;
    for (Kind kind : kKinds)
        ticks[kind] = CpuTicks(unixPids[kind]).value_or(0);
    std::this_thread::sleep_for(std::chrono::seconds(idleSeconds));
    auto idleShare = [&](Kind kind) {
        return 100.0 * static_cast<double>(CpuTicks(unixPids[kind]).value_or(0) - ticks[kind]) / (idleSeconds * 100.0);
    };
    const double launcherIdle = idleShare(Kind::Launcher);
    row("CPU idle over " + std::to_string(idleSeconds) + " s, pointer away (% of a core)", format("%.3f", launcherIdle),
        {format("%.3f", idleShare(Kind::PlainFloor)), format("%.3f", idleShare(Kind::SystemFloor)),
         format("%.3f", idleShare(Kind::LookFloor))},
        "< 0.1 %",
        launcherIdle < 0.1, "100 ticks a second: one tick is " + format("%.3f %%", 100.0 / (idleSeconds * 100.0)));

    progress("dialogs");
    auto unixHeapOf = [&] { return UnixHeapKiB(unixPids[Kind::Launcher]).value_or(0); };
    const long unixHeapAtStart = unixHeapOf();
    if (!cycleDialogs(*launcher)) {
        std::fprintf(stderr, "bench: a dialog did not open or close\n");
        return 1;
    }
    std::this_thread::sleep_for(2s);
    const long afterOne = privateOf(Kind::Launcher);
    const long unixHeapAfterOne = unixHeapOf();
    std::string gdiStages = "after one round of the dialogs " + count(GdiObjects(launcher->process.Handle()));
    long afterTen = afterOne;
    for (int i = 0; i < 20; ++i) {
        cycleDialogs(*launcher);
        if (i == 9) {
            std::this_thread::sleep_for(2s);
            afterTen = privateOf(Kind::Launcher);
        }
    }
    std::this_thread::sleep_for(2s);
    const long afterMany = privateOf(Kind::Launcher);
    const long unixHeapAfterMany = unixHeapOf();
    gdiStages += ", after 20 more " + count(GdiObjects(launcher->process.Handle()));
    const long systemNow = privateOf(Kind::SystemFloor);
    row("private memory after every dialog opened and closed once (MiB)", format("%.1f", mib(afterOne)),
        {"-", format("%.1f", mib(systemNow))}, "<= system floor + 1.5 MiB", afterOne <= systemNow + 1536,
        format("%+.1f MiB", mib(afterOne - systemNow)) +
            format("; the round added %+.0f KiB", static_cast<double>(afterOne - launcherPrivate)) +
            format(", %+.0f KiB of it in Wine's Unix-side C heap", static_cast<double>(unixHeapAfterOne - unixHeapAtStart)));
    row("growth over 20 more rounds of every dialog (KiB)", format("%+.0f", static_cast<double>(afterMany - afterOne)), {},
        "none (<= 64 KiB: page rounding of the heap)", afterMany - afterOne <= 64,
        format("%+.0f KiB of it in Wine's Unix-side C heap", static_cast<double>(unixHeapAfterMany - unixHeapAfterOne)) +
            format(", %+.0f KiB in the last 10 rounds", static_cast<double>(afterMany - afterTen)));

    progress("completion");
    measureCompletion(subjects, *launcher, *system);
    gdiStages += ", after the completion " + count(GdiObjects(launcher->process.Handle()));

    progress("handles");
    const bool stirred = stir(*launcher, events);
    const auto gdiAfter = GdiObjects(launcher->process.Handle());
    const auto userAfter = UserObjects(launcher->process.Handle(), launcher->process.Id());
    const std::string after = std::to_string(events) + " events";
    row("GDI objects: at start -> after " + after, count(gdiAtStart) + " -> " + count(gdiAfter),
        {count(GdiObjects(plain->process.Handle())), count(GdiObjects(system->process.Handle())),
         count(GdiObjects(look->process.Handle()))},
        "the same count",
        stirred && gdiCounted && gdiAtStart && gdiAtStart == gdiAfter,
        (gdiCounted ? "counted in the process's GDI handle table; " : "GDI handle table not readable here; ") + gdiStages);
    row("USER objects (windows): at start -> after " + after, count(userAtStart) + " -> " + count(userAfter),
        {count(UserObjects(plain->process.Handle(), plain->process.Id())),
         count(UserObjects(system->process.Handle(), system->process.Id())),
         count(UserObjects(look->process.Handle(), look->process.Id()))},
        "the same count",
        stirred && userAtStart == userAfter, stirred ? "" : "the events did not all get through");

    Subjects::Close(*launcher);
    Subjects::Close(*look);
    Subjects::Close(*system);
    Subjects::Close(*plain);
    return 0;
}
