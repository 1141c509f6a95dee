// The real mouse on the strip of the real program: a double click acts once where a single press acts,
// and the small marks at the right end lie above the caption strip, to be seen and clicked.
#include "Harness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

using namespace e2e;

namespace {

// Waits until the control shows the text, then watches that it keeps showing it for the quiet period.
::testing::AssertionResult ShowsAndStays(HWND control, const std::wstring& text) {
    if (!WaitUntil([&] { return TextOf(control) == text; }, kAnswerLimit))
        return ::testing::AssertionFailure()
               << "shows \"" << Narrow(TextOf(control)) << "\" instead of \"" << Narrow(text) << "\"";
    if (WaitUntil([&] { return TextOf(control) != text; }, kQuietPeriod))
        return ::testing::AssertionFailure() << "went on to \"" << Narrow(TextOf(control)) << "\"";
    return ::testing::AssertionSuccess();
}

// Real pointer input at a point of the strip's client area; the pause lets the move arrive as a hover
// before the buttons do, as a person's hand does.
bool Mouse(const StripSession& session, int x, int y, const std::string& action) {
    const RECT strip = ScreenRect(session.main);
    return Xdotool("mousemove " + std::to_string(strip.left + x) + " " + std::to_string(strip.top + y) +
                   " sleep 0.3 " + action);
}

// Two presses well within the system's double-click time, as a person double-clicks.
const std::string kDoubleClick = "click --repeat 2 --delay 120 1";

// How far a colour is from another, channel by channel at most.
int Distance(std::uint32_t a, std::uint32_t b) {
    int most = 0;
    for (int shift : {0, 8, 16})
        most = std::max(most, std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)));
    return most;
}

}  // namespace

TEST(DoubleClick, RealDoubleClickActsOnceOnRunButtonPageSelectorAndOrderLabel) {
    TOLVANE_REQUIRE_PROGRAM();
    StripSession session;
    const std::wstring recorder = PlaceRecorder(session.folder.File(L"rec.exe"));
    GridFile launchers;
    launchers.Set(0, 0, recorder, L"rec", L"Recorder");
    GridFile urls;
    urls.Set(0, 0, L"http://example.com/", L"ex", L"Web page 0");
    ASSERT_TRUE(session.Start(SettingsWith({}), urls, launchers));
    HWND page = session.Control(25, 9, 14, 14);
    HWND zoL = session.Control(244, 14, 8, 8);
    HWND caption = session.Control(124, 8, 120, 14);

    // The run button of slot 0 starts its program once.
    ASSERT_TRUE(Mouse(session, 52, 14, kDoubleClick));
    EXPECT_TRUE(WaitUntil([&] { return !RecordedStarts(recorder).empty(); }, kStartLimit)) << "not started";
    EXPECT_FALSE(WaitUntil([&] { return RecordedStarts(recorder).size() > 1; }, kQuietPeriod))
        << "started twice";

    // The page selector turns one page.
    ASSERT_TRUE(Mouse(session, 32, 16, kDoubleClick));
    EXPECT_TRUE(ShowsAndStays(page, L"1"));

    // The mode icon switches the mode, once: URL mode on its page 0.
    ASSERT_TRUE(Mouse(session, 15, 14, kDoubleClick));
    EXPECT_TRUE(ShowsAndStays(page, L" 0"));
    EXPECT_TRUE(ShowsAndStays(caption, L"Web page 0"));

    // The window-order label flips the order once: to the bottom.
    ASSERT_TRUE(Mouse(session, 248, 18, kDoubleClick));
    EXPECT_TRUE(ShowsAndStays(zoL, L"B"));
    EXPECT_FALSE(IsTopmost(session.main));
}

TEST(StripMarks, LockMarkIsSeenAndTheCloseMarkClosesFromItsLeftEdge) {
    TOLVANE_REQUIRE_PROGRAM();
    StripSession session;
    ASSERT_TRUE(session.Start(SettingsWith({{1, L"1,0,1"}}), GridFile(), GridFile()));
    HWND lock = session.Control(236, 14, 8, 8);
    ASSERT_EQ(TextOf(lock), L"H");
    // The pointer on the caption strip keeps the slot's title there, not the clock.
    ASSERT_TRUE(Mouse(session, 180, 14, ""));

    // The pixels of the mark: the skin's text colour (6303790 in softblue.skn) where the "H" is drawn,
    // and none of it once the lock is undone.
    const std::uint32_t textColor = 0x2E3060;
    const auto inkOf = [&](const Capture& capture) {
        int ink = 0;
        for (std::uint32_t pixel : capture.pixels)
            ink += Distance(pixel, textColor) < 0x30;
        return ink;
    };
    const RECT area = ScreenRect(lock);
    const Capture locked = CaptureScreen(area);
    PostRightClick(session.Control(244, 14, 8, 8), 3, 3);
    ASSERT_TRUE(WaitUntil([&] { return TextOf(lock).empty(); }, kAnswerLimit));
    Capture unlocked;
    WaitUntil(
        [&] {
            unlocked = CaptureScreen(area);
            return unlocked.pixels != locked.pixels;
        },
        kAnswerLimit);
    EXPECT_GE(inkOf(locked), 6) << "no H to be seen";
    EXPECT_EQ(inkOf(unlocked), 0);

    // End_B's left edge lies over the caption strip's right end: the click there closes all the same.
    ASSERT_TRUE(Mouse(session, 242, 10, "click 1"));
    EXPECT_TRUE(session.program.WaitForExit(kExitLimit).has_value()) << "still running";
}

TEST(DoubleClick, RealDoubleClickOnThePathFieldOpensTheFileChooser) {
    TOLVANE_REQUIRE_PROGRAM();
    StripSession session;
    ASSERT_TRUE(session.Start(SettingsWith({}), GridFile(), GridFile()));
    // A right click on a run button opens the strip to its entry fields.
    PostRightClick(session.Control(63, 4, 15, 20), 5, 5);
    HWND path = session.Control(8, 103, 210, 18);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(path) != FALSE; }, kAnswerLimit));

    ASSERT_TRUE(Mouse(session, 60, 112, kDoubleClick));
    HWND chooser = WaitForMessageBox(session.program.Id(), kStartLimit, L"ファイルを開く");
    ASSERT_NE(chooser, nullptr) << "no file chooser";
    PostMessageW(chooser, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitForWindowGone(chooser));
    EXPECT_EQ(TextOf(path), L"");
}
