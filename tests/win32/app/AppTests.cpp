// The whole program on the real system, in this process: what it costs while it waits, and what it
// gives back once its dialogs close.
#include <windows.h>

#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "../services/TestSupport.h"
#include "GuiObjects.h"
#include "Utf16.h"
#include "app/Launcher.h"
#include "platform/win32/Handles.h"
#include "platform/win32/backend/KeyRouting.h"
#include "platform/win32/backend/Win32Backend.h"
#include "platform/win32/services/Win32Platform.h"

namespace {

constexpr UINT kSystemTimer = 0x118;  // WM_SYSTIMER: the system's own timers (caret, mouse tracking)

// The program in a fresh folder of its own, with the skins we ship and no other instance to ask about.
class FolderPlatform : public win32::Win32Platform {
  public:
    explicit FolderPlatform(std::string folder) : folder_(std::move(folder)) {}
    bool anotherInstanceRunning() override { return false; }
    std::string programFolder() override { return folder_; }
    std::string exeBaseName() override { return "tolvane"; }

  private:
    std::string folder_;
};

void copySkins(const std::string& to) {
    const std::wstring from = winsupport::Widen(TOLVANE_SKINS_DIR);
    const std::wstring target = winsupport::Widen(to) + L"\\skins";
    ::CreateDirectoryW(target.c_str(), nullptr);
    WIN32_FIND_DATAW entry{};
    win32::UniqueFindHandle find(::FindFirstFileW((from + L"\\*").c_str(), &entry));
    ASSERT_TRUE(find) << TOLVANE_SKINS_DIR;
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ::CopyFileW((from + L"\\" + entry.cFileName).c_str(), (target + L"\\" + entry.cFileName).c_str(),
                        FALSE);
    } while (::FindNextFileW(find.get(), &entry));
}

// Dispatches what is queued, as the program's loop does.
void dispatchQueued(std::map<UINT, int>* seen = nullptr) {
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (seen)
            ++(*seen)[msg.message];
        if (msg.message == WM_QUIT || win32::routeKeyToRuntime(msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void dispatchFor(DWORD milliseconds) {
    const DWORD end = ::GetTickCount() + milliseconds;
    for (DWORD now = ::GetTickCount(); static_cast<int>(end - now) > 0; now = ::GetTickCount()) {
        ::MsgWaitForMultipleObjectsEx(0, nullptr, end - now, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        dispatchQueued();
    }
}

// Wine keeps, for the rest of the run, what windows of the system's kinds once needed: up to 64 device
// contexts of its cache (each with its region and surface), the theme's pictures of the parts once
// drawn, colour brushes, the default window icon. A window with the kinds of controls the dialogs
// use, made with the system directly, painted and destroyed, has them made before the count starts:
// what a dialog then leaves behind is the program's.
void letTheSystemFillItsCaches() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = ::GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = L"TolvaneTestFloor";
    ::RegisterClassW(&wc);
    HWND window = ::CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT, wc.lpszClassName, L"floor",
                                    WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, 300, 200, 600, 400,
                                    nullptr, nullptr, wc.hInstance, nullptr);
    auto child = [&](const wchar_t* kind, DWORD style, int x, int y, int w, int h, DWORD exStyle = 0) {
        return ::CreateWindowExW(exStyle, kind, L"あ", WS_CHILD | WS_VISIBLE | style, x, y, w, h, window,
                                 nullptr, wc.hInstance, nullptr);
    };
    for (int i = 0; i < 70; ++i)
        child(L"BUTTON", BS_PUSHBUTTON, (i % 10) * 30, (i / 10) * 20, 28, 18);
    ::SendMessageW(child(L"BUTTON", BS_AUTOCHECKBOX, 300, 0, 80, 18), BM_SETCHECK, BST_CHECKED, 0);
    child(L"BUTTON", BS_AUTOCHECKBOX, 300, 20, 80, 18);
    HWND defaultButton = child(L"BUTTON", BS_DEFPUSHBUTTON, 300, 40, 80, 18);
    ::EnableWindow(child(L"BUTTON", BS_PUSHBUTTON, 300, 60, 80, 18), FALSE);
    child(L"BUTTON", BS_GROUPBOX, 400, 0, 150, 80);
    ::EnableWindow(child(L"BUTTON", BS_GROUPBOX, 400, 200, 150, 80), FALSE);
    ::EnableWindow(child(L"BUTTON", BS_AUTOCHECKBOX, 300, 300, 80, 18), FALSE);
    child(L"EDIT", WS_BORDER, 300, 90, 100, 20, WS_EX_CLIENTEDGE);
    ::EnableWindow(child(L"EDIT", 0, 300, 120, 100, 20, WS_EX_CLIENTEDGE), FALSE);
    HWND combo = child(L"COMBOBOX", WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, 300, 150, 100, 200);
    HWND list = child(L"LISTBOX", WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT, 420, 90,
                      120, 100, WS_EX_CLIENTEDGE);
    for (int i = 0; i < 40; ++i) {
        ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"い"));
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"う"));
    }
    // Group boxes drawn through the theme, as the dialogs' frames are.
    if (HTHEME theme = ::OpenThemeData(window, L"BUTTON")) {
        const win32::WindowDc dc(window);
        RECT box{0, 0, 100, 50};
        ::DrawThemeBackground(theme, dc.get(), BP_GROUPBOX, GBS_NORMAL, &box, nullptr);
        ::DrawThemeBackground(theme, dc.get(), BP_GROUPBOX, GBS_DISABLED, &box, nullptr);
        ::CloseThemeData(theme);
    }
    ::ShowWindow(window, SW_SHOW);
    ::SetForegroundWindow(window);
    ::SetFocus(defaultButton);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    dispatchFor(200);
    // The caption once more as that of a window behind another one.
    ::SendMessageW(window, WM_NCACTIVATE, FALSE, 0);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    dispatchFor(100);
    ::DestroyWindow(window);
    dispatchFor(100);
}

// Bytes in use in every heap of the process, and the blocks that hold them.
struct HeapUse {
    std::size_t bytes = 0;
    std::size_t blocks = 0;
};
HeapUse heapInUse() {
    HeapUse use;
    HANDLE heaps[64];
    const DWORD count = std::min<DWORD>(::GetProcessHeaps(64, heaps), 64);
    for (DWORD i = 0; i < count; ++i) {
        ::HeapLock(heaps[i]);
        PROCESS_HEAP_ENTRY entry{};
        while (::HeapWalk(heaps[i], &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) {
                use.bytes += entry.cbData;
                ++use.blocks;
            }
        }
        ::HeapUnlock(heaps[i]);
    }
    return use;
}

class AppTest : public ::testing::Test {
  protected:
    void SetUp() override {
        copySkins(folder.path());
        // Away from the strip, which a first start puts at the top left corner.
        ::SetCursorPos(1000, 700);
        ASSERT_TRUE(launcher.Main());
        dispatchFor(1500);
    }
    void TearDown() override {
        launcher.End();
        dispatchQueued();
    }
    static std::wstring textOf(HWND window) {
        wchar_t text[128] = {};
        ::GetWindowTextW(window, text, 128);
        return text;
    }
    HWND caption() { return reinterpret_cast<HWND>(launcher.mainForm().ViewCaption.handle()); }

    testsupport::TempFolder folder;
    FolderPlatform platform{folder.path()};
    win32::Win32Backend backend;
    app::Launcher launcher{backend, platform};
};

// Over a minute with the pointer away, the program wakes once a second, for the clock, just after the
// second turns, and for nothing else.
TEST_F(AppTest, WakesOnlyForTheClockWhileThePointerIsAway) {
    ASSERT_TRUE(launcher.state().ClockShown);
    constexpr DWORD kSeconds = 60;
    std::map<UINT, int> messages;
    std::set<std::wstring> shown;
    int wakeups = 0;
    int offTheSecond = 0;
    const DWORD end = ::GetTickCount() + kSeconds * 1000;
    for (DWORD now = ::GetTickCount(); static_cast<int>(end - now) > 0; now = ::GetTickCount()) {
        if (::MsgWaitForMultipleObjectsEx(0, nullptr, end - now, QS_ALLINPUT, MWMO_INPUTAVAILABLE) !=
            WAIT_OBJECT_0)
            continue;
        ++wakeups;
        const int timersBefore = messages[WM_TIMER];
        dispatchQueued(&messages);
        if (messages[WM_TIMER] != timersBefore) {
            SYSTEMTIME time{};
            ::GetLocalTime(&time);
            offTheSecond += time.wMilliseconds > 250;
            wchar_t text[64] = {};
            ::GetWindowTextW(caption(), text, 64);
            shown.insert(text);
        }
    }
    std::string others;
    for (const auto& [message, count] : messages) {
        if (message != WM_TIMER && message != WM_PAINT)
            others += " 0x" + std::to_string(message) + " x" + std::to_string(count);
    }
    RecordProperty("wakeups", wakeups);
    RecordProperty("timer_messages", messages[WM_TIMER]);
    std::printf("over %lu s: %d wake-ups, %d timer messages, %d paints, %d system timers;%s\n", kSeconds,
                wakeups, messages[WM_TIMER], messages[WM_PAINT], messages[kSystemTimer],
                others.empty() ? " nothing else" : others.c_str());
    EXPECT_GE(messages[WM_TIMER], static_cast<int>(kSeconds) - 2);
    EXPECT_LE(messages[WM_TIMER], static_cast<int>(kSeconds) + 1);
    EXPECT_EQ(messages[kSystemTimer], 0);
    EXPECT_LE(wakeups, messages[WM_TIMER] + 2);  // a paint comes in the wake-up of its tick
    EXPECT_LE(offTheSecond,
              6);  // a tick delivered late on a busy machine; a timer of its own phase misses most
    // A new second on every tick: the clock shows every one of them.
    EXPECT_GE(shown.size(), kSeconds - 2);
}

// The caption follows the pointer as it comes onto the strip, passes between the strip's background and
// its controls, and goes away again; the time each switch took is printed.
TEST_F(AppTest, TheCaptionFollowsThePointerOntoTheStripAndAway) {
    const state::LauncherState& s = launcher.state();
    auto pointerTo = [&](int x, int y, bool clock) {
        ::SetCursorPos(x, y);
        const DWORD start = ::GetTickCount();
        bool switched = false;
        while (!(switched = s.ClockShown == clock) && ::GetTickCount() - start < 3000)
            dispatchFor(10);
        std::printf("pointer to %d, %d: %s after %lu ms\n", x, y, clock ? "clock" : "title",
                    ::GetTickCount() - start);
        return switched;
    };
    // The run button, the background between two of them, the button again, then away.
    EXPECT_TRUE(pointerTo(50, 12, false));
    EXPECT_EQ(winsupport::Narrow(textOf(caption())), s.RunItems(0, 0).Title);
    EXPECT_TRUE(pointerTo(62, 2, false));
    dispatchFor(600);
    EXPECT_FALSE(s.ClockShown);
    EXPECT_TRUE(pointerTo(50, 12, false));
    dispatchFor(600);
    EXPECT_FALSE(s.ClockShown);
    EXPECT_FALSE(launcher.mainForm().Timer1.enabled());  // nothing polls while the pointer is on the strip
    EXPECT_TRUE(pointerTo(600, 400, true));
    // The first column of the window counts as outside.
    EXPECT_TRUE(pointerTo(10, 10, false));
    EXPECT_TRUE(pointerTo(0, 10, true));
    // The open strip counts with its full height; closing it under a pointer that does not move leaves
    // the pointer outside.
    launcher.mainForm().ToggleExpanded();
    dispatchFor(1000);
    EXPECT_TRUE(pointerTo(100, 110, false));
    launcher.mainForm().ToggleExpanded();
    EXPECT_TRUE(pointerTo(100, 110, true));
}

// Every dialog opened and closed by its close box, one after the other as a person would: once every
// one is closed, the process holds the GDI and USER objects it held before, however many rounds.
TEST_F(AppTest, ClosedDialogsGiveBackTheirObjects) {
    auto closeBox = [](const forms::Form* dialog) {
        ASSERT_TRUE(dialog);
        ::PostMessageW(reinterpret_cast<HWND>(dialog->handle()), WM_CLOSE, 0, 0);
        dispatchFor(150);
    };
    auto everyDialog = [&] {
        launcher.mainForm().onOptionsRequested();
        dispatchFor(150);
        launcher.OpenHotkeyDialog(0);
        dispatchFor(150);
        closeBox(launcher.hotkeyDialog());
        launcher.OpenSkinDialog();
        dispatchFor(150);
        closeBox(launcher.skinDialog());
        launcher.OpenItemEditor(0);
        dispatchFor(150);
        closeBox(launcher.itemEditor());
        launcher.OpenItemEditor(1);
        dispatchFor(150);
        launcher.OpenLinkPageDialog();
        dispatchFor(150);
        closeBox(launcher.linkPageDialog());
        closeBox(launcher.itemEditor());
        closeBox(launcher.optionsDialog());
        dispatchFor(300);
    };
    letTheSystemFillItsCaches();
    const DWORD gdi = winsupport::liveGdiObjects();
    const DWORD user = winsupport::liveUserObjects();
    const HeapUse heapStart = heapInUse();
    everyDialog();
    ASSERT_FALSE(launcher.optionsDialog());
    const DWORD gdiOnce = winsupport::liveGdiObjects();
    EXPECT_EQ(winsupport::liveUserObjects(), user);
    // The heap count sees what is allocated.
    const HeapUse empty = heapInUse();
    auto block = std::make_unique<char[]>(100000);
    EXPECT_GE(heapInUse().bytes, empty.bytes + 100000);
    block.reset();
    // Later rounds keep nothing on the heap.
    const HeapUse heap = heapInUse();
    for (int round = 0; round < 5; ++round)
        everyDialog();
    const HeapUse heapAfter = heapInUse();
    std::printf(
        "heap in use before the dialogs: %zu bytes in %zu blocks; after the first round: %zu in %zu; after 5 "
        "more: %zu in %zu\n",
        heapStart.bytes, heapStart.blocks, heap.bytes, heap.blocks, heapAfter.bytes, heapAfter.blocks);
    EXPECT_LE(heapAfter.bytes, heap.bytes);
    std::printf("GDI objects: %lu before, %lu after every dialog once, %lu after 5 more rounds\n", gdi,
                gdiOnce, winsupport::liveGdiObjects());
    EXPECT_EQ(gdiOnce, gdi);
    EXPECT_EQ(winsupport::liveGdiObjects(), gdi);
    EXPECT_EQ(winsupport::liveUserObjects(), user);
}

// What reaches a window's procedure, sent or posted: the paints, and the combo box's orders to select or
// scroll its list.
struct WindowWatch {
    WNDPROC original = nullptr;
    int paints = 0;
    int listMoves = 0;
};
std::map<HWND, WindowWatch> watched;

LRESULT CALLBACK watchingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    WindowWatch& watch = watched[window];
    watch.paints += message == WM_PAINT;
    watch.listMoves += message == CB_SETCURSEL || message == CB_SETTOPINDEX;
    return ::CallWindowProcW(watch.original, window, message, wParam, lParam);
}

void watch(HWND window) {
    watched[window].original = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&watchingProc)));
}

void unwatch(HWND window) {
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(watched[window].original));
    watched.erase(window);
}

// Typing into the command box: each keystroke repaints the edit once; the completion selects and scrolls
// the dropped list only when it picks another entry. (The system's combo box itself selects the
// matching entry on every change of its edit; that changes nothing when it is the same.)
TEST_F(AppTest, AKeystrokeRepaintsTheEditOnceAndTheListOnlyForANewMatch) {
    mainwindow::MainF& strip = launcher.mainForm();
    launcher.state().RunItems(0, 0) = {"C:\\a.exe", "notepad", "n"};
    launcher.state().RunItems(0, 1) = {"C:\\b.exe", "Notes", "N"};
    strip.FillCommandList();
    strip.OpenCommandBox();
    dispatchFor(300);
    HWND combo = reinterpret_cast<HWND>(strip.Input_Com.handle());
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    ASSERT_TRUE(::GetComboBoxInfo(combo, &info));
    ASSERT_TRUE(::IsWindowVisible(info.hwndList));  // dropped
    watch(info.hwndItem);
    watch(combo);
    struct Step {
        wchar_t key;
        bool newMatch;
    };
    for (const Step step :
         {Step{L'n', true}, Step{L'o', false}, Step{L't', false}, Step{L'e', false}, Step{L's', true}}) {
        const WindowWatch edit = watched[info.hwndItem];
        const WindowWatch box = watched[combo];
        ::PostMessageW(info.hwndItem, WM_CHAR, step.key, 1);
        dispatchFor(300);
        const int editPaints = watched[info.hwndItem].paints - edit.paints;
        const int listMoves = watched[combo].listMoves - box.listMoves;
        std::printf("'%c': the edit painted %d times, the list moved %d times; text %s\n",
                    static_cast<char>(step.key), editPaints, listMoves, strip.Input_Com.text().c_str());
        EXPECT_EQ(editPaints, 1) << static_cast<char>(step.key);
        EXPECT_EQ(listMoves > 0, step.newMatch) << static_cast<char>(step.key);
    }
    unwatch(combo);
    unwatch(info.hwndItem);
    EXPECT_EQ(strip.Input_Com.text(), "Notes");
}

}  // namespace
