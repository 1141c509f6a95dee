// The whole program on the real system, in this process: what it costs while it waits, and what it
// gives back once its dialogs close.
#include <windows.h>

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
            ::CopyFileW((from + L"\\" + entry.cFileName).c_str(), (target + L"\\" + entry.cFileName).c_str(), FALSE);
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
        if (::MsgWaitForMultipleObjectsEx(0, nullptr, end - now, QS_ALLINPUT, MWMO_INPUTAVAILABLE) != WAIT_OBJECT_0)
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
    std::printf("over %lu s: %d wake-ups, %d timer messages, %d paints, %d system timers;%s\n", kSeconds, wakeups,
                messages[WM_TIMER], messages[WM_PAINT], messages[kSystemTimer], others.empty() ? " nothing else" : others.c_str());
    EXPECT_GE(messages[WM_TIMER], static_cast<int>(kSeconds) - 2);
    EXPECT_LE(messages[WM_TIMER], static_cast<int>(kSeconds) + 1);
    EXPECT_EQ(messages[kSystemTimer], 0);
    EXPECT_LE(wakeups, messages[WM_TIMER] + 2);  // a paint comes in the wake-up of its tick
    EXPECT_LE(offTheSecond, 2);
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
        std::printf("pointer to %d, %d: %s after %lu ms\n", x, y, clock ? "clock" : "title", ::GetTickCount() - start);
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

}  // namespace
