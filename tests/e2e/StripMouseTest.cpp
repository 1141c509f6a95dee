// The real mouse on the strip of the real program: a double click acts once where a single press acts.
#include "Harness.h"

#include <gtest/gtest.h>

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

// Real pointer input at a point of the strip's client area.
bool Mouse(const StripSession& session, int x, int y, const std::string& action) {
    const RECT strip = ScreenRect(session.main);
    return Xdotool("mousemove " + std::to_string(strip.left + x) + " " + std::to_string(strip.top + y) +
                   " sleep 0.3 " + action);
}

// Two presses well within the system's double-click time, as a person double-clicks.
const std::string kDoubleClick = "click --repeat 2 --delay 120 1";

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
