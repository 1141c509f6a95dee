// The strip of the real program: the page selector and the mode icon, the window-order label and its
// lock, the clock in the caption strip, and moving the strip with the real mouse.
#include "Harness.h"

#include <gtest/gtest.h>

#include <regex>

using namespace e2e;

namespace {

HWND PageV(const StripSession& session) {
    return session.Control(25, 9, 14, 14);
}
HWND IconV(const StripSession& session) {
    return session.Control(7, 6, 16, 16);
}
HWND Caption(const StripSession& session) {
    return session.Control(124, 8, 120, 14);
}
HWND ZoL(const StripSession& session) {
    return session.Control(244, 14, 8, 8);
}
HWND Label4(const StripSession& session) {
    return session.Control(236, 14, 8, 8);
}

// Waits until the control shows the text; the message names what was shown instead.
::testing::AssertionResult Shows(HWND control, const std::wstring& text, Millis limit = kAnswerLimit) {
    if (WaitUntil([&] { return TextOf(control) == text; }, limit))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "shows \"" << Narrow(TextOf(control)) << "\" instead of \"" << Narrow(text) << "\"";
}

// A click with the keys of the mouse message (MK_SHIFT, MK_CONTROL) held.
void PostButton(HWND window, bool left, WPARAM keys) {
    LPARAM at = MAKELPARAM(4, 4);
    PostMessageW(window, left ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, keys | (left ? MK_LBUTTON : MK_RBUTTON), at);
    PostMessageW(window, left ? WM_LBUTTONUP : WM_RBUTTONUP, keys, at);
}

// The second half of a double click; the first click is part of it only as far as it drags the window.
void PostDoubleClick(HWND window) {
    LPARAM at = MAKELPARAM(8, 8);
    PostMessageW(window, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
    PostMessageW(window, WM_LBUTTONUP, 0, at);
}

// Titles on slot 0 of some pages of both grids, so that the caption tells the pages apart.
GridFile TitledLaunchers() {
    GridFile launchers;
    for (int page : {1, 5, 10, 15})
        launchers.Set(page, 0, L"", L"", L"Launcher page " + std::to_wstring(page));
    return launchers;
}

GridFile TitledUrls() {
    GridFile urls;
    urls.Set(0, 0, L"http://example.com/", L"ex", L"Web page 0");
    return urls;
}

std::wstring PageTitle(int page) {
    return page == 1 || page == 5 || page == 10 || page == 15 ? L"Launcher page " + std::to_wstring(page)
                                                              : kEmptyMarker;
}

}  // namespace

TEST(PageSelector, LeftClicksCountUpInHexRightClicksDownAndShiftJumps) {
    TOLVANE_REQUIRE_PROGRAM();
    StripSession session;
    ASSERT_TRUE(session.Start(SettingsWith({}), TitledUrls(), TitledLaunchers()));
    HWND page = PageV(session);
    HWND caption = Caption(session);
    ASSERT_TRUE(Shows(page, L" 0"));

    const wchar_t* hex = L"0123456789ABCDEF";
    for (int next = 1; next <= 16; ++next) {
        PostClick(page, 4, 4);
        int shown = next % 16;
        ASSERT_TRUE(Shows(page, std::wstring(1, hex[shown]))) << "after " << next << " left clicks";
        EXPECT_TRUE(Shows(caption, PageTitle(shown))) << "slot 0 of page " << shown;
    }
    // From page 0 a right click wraps to the last page.
    PostRightClick(page, 4, 4);
    EXPECT_TRUE(Shows(page, L"F"));
    EXPECT_TRUE(Shows(caption, PageTitle(15)));
    PostRightClick(page, 4, 4);
    EXPECT_TRUE(Shows(page, L"E"));

    PostButton(page, false, MK_SHIFT);
    EXPECT_TRUE(Shows(page, L"5")) << "Shift with the right button goes to page 5";
    EXPECT_TRUE(Shows(caption, PageTitle(5)));
    PostButton(page, true, MK_SHIFT);
    EXPECT_TRUE(Shows(page, L"0")) << "Shift with the left button goes to page 0";
    PostButton(page, true, MK_SHIFT | MK_CONTROL);
    EXPECT_TRUE(Shows(page, L"1")) << "Shift with Ctrl is a plain click";
}

TEST(PageSelector, DoubleClickOnTheModeIconSwitchesGridsAndEachKeepsItsPage) {
    TOLVANE_REQUIRE_PROGRAM();
    StripSession session;
    ASSERT_TRUE(session.Start(SettingsWith({}), TitledUrls(), TitledLaunchers()));
    HWND page = PageV(session);
    HWND caption = Caption(session);
    for (int click = 0; click < 10; ++click)
        PostClick(page, 4, 4);
    ASSERT_TRUE(Shows(page, L"A")) << "ten clicks from page 0";
    EXPECT_TRUE(Shows(caption, L"Launcher page 10"));

    PostDoubleClick(IconV(session));
    EXPECT_TRUE(Shows(page, L" 0")) << "URL mode, its own page 0";
    EXPECT_TRUE(Shows(caption, L"Web page 0"));
    PostClick(page, 4, 4);
    EXPECT_TRUE(Shows(page, L"1"));
    EXPECT_TRUE(Shows(caption, kEmptyMarker));

    PostDoubleClick(IconV(session));
    EXPECT_TRUE(Shows(page, L" 10")) << "back in launcher mode on the page it had";
    EXPECT_TRUE(Shows(caption, L"Launcher page 10"));
    PostDoubleClick(IconV(session));
    EXPECT_TRUE(Shows(page, L" 1")) << "URL mode kept its page too";

    RECT rect = ScreenRect(session.main);
    EXPECT_EQ(rect.left, 0) << "the clicks on the icon left the strip where it was";
    EXPECT_EQ(rect.top, 0);
}

TEST(ZOrderLabel, LeftClickTogglesTopmostAndRightClickLocksIt) {
    TOLVANE_REQUIRE_PROGRAM();
    StripSession session;
    ASSERT_TRUE(session.Start(SettingsWith({}), GridFile(), GridFile()));
    HWND zoL = ZoL(session);
    HWND lock = Label4(session);
    ASSERT_TRUE(Shows(zoL, L"T"));
    ASSERT_TRUE(IsTopmost(session.main));
    EXPECT_TRUE(Shows(lock, L""));

    PostClick(zoL, 3, 3);
    EXPECT_TRUE(Shows(zoL, L"B"));
    EXPECT_TRUE(WaitUntil([&] { return !IsTopmost(session.main); }, kAnswerLimit)) << "still topmost";
    PostClick(zoL, 3, 3);
    EXPECT_TRUE(Shows(zoL, L"T"));
    EXPECT_TRUE(WaitUntil([&] { return IsTopmost(session.main); }, kAnswerLimit)) << "not topmost again";

    PostRightClick(zoL, 3, 3);
    EXPECT_TRUE(Shows(lock, L"H"));
    // Locked: the left click changes nothing. The right click after it unlocks, so once the lock mark
    // is gone the left click has certainly been handled.
    PostClick(zoL, 3, 3);
    PostRightClick(zoL, 3, 3);
    EXPECT_TRUE(Shows(lock, L""));
    EXPECT_EQ(TextOf(zoL), L"T");
    EXPECT_TRUE(IsTopmost(session.main));

    PostClick(zoL, 3, 3);
    EXPECT_TRUE(Shows(zoL, L"B")) << "unlocked, the label toggles again";
}

TEST(ClockCaption, PointerAwayShowsTheTimeAndPointerBackShowsTheTitle) {
    TOLVANE_REQUIRE_PROGRAM();
    StripSession session;
    GridFile launchers;
    launchers.Set(0, 0, L"", L"", L"Slot zero");
    ASSERT_TRUE(session.Start(SettingsWith({}), GridFile(), launchers));
    HWND caption = Caption(session);
    ASSERT_TRUE(Shows(caption, L"Slot zero"));

    // The default pattern "mm/dd(ddd) hh:mm:ss".
    const std::wregex clock(LR"(^(\d\d)/(\d\d)\((Sun|Mon|Tue|Wed|Thu|Fri|Sat)\) (\d\d):(\d\d):(\d\d)$)");
    // The real pointer: under Wine, SetCursorPos back onto the strip after a move away may leave the
    // pointer where it was while the program runs.
    ASSERT_TRUE(Xdotool("mousemove 900 600"));
    std::wstring first;
    ASSERT_TRUE(WaitUntil(
        [&] {
            first = TextOf(caption);
            return std::regex_match(first, clock);
        },
        1s))
        << "no clock in the caption: " << Narrow(first);

    // It is the local time of now (the seconds may have moved on meanwhile).
    SYSTEMTIME now{};
    GetLocalTime(&now);
    std::wsmatch parts;
    ASSERT_TRUE(std::regex_match(first, parts, clock));
    const wchar_t* days[] = {L"Sun", L"Mon", L"Tue", L"Wed", L"Thu", L"Fri", L"Sat"};
    EXPECT_EQ(std::stoi(parts[1].str()), now.wMonth);
    EXPECT_EQ(std::stoi(parts[2].str()), now.wDay);
    EXPECT_EQ(parts[3].str(), days[now.wDayOfWeek]);
    int shownSeconds =
        std::stoi(parts[4].str()) * 3600 + std::stoi(parts[5].str()) * 60 + std::stoi(parts[6].str());
    int nowSeconds = now.wHour * 3600 + now.wMinute * 60 + now.wSecond;
    EXPECT_LE((nowSeconds - shownSeconds + 86400) % 86400, 3) << Narrow(first);

    std::wstring later;
    EXPECT_TRUE(WaitUntil(
        [&] {
            later = TextOf(caption);
            return later != first;
        },
        2s))
        << "the clock stands still at " << Narrow(first);
    EXPECT_TRUE(std::regex_match(later, clock)) << Narrow(later);

    ASSERT_TRUE(Xdotool("mousemove 180 14"));
    EXPECT_TRUE(Shows(caption, L"Slot zero", 1s)) << "the title of the current slot comes back";
}

TEST(WindowDrag, StripDraggedPastTheRightEdgeStopsAtTheEdge) {
    TOLVANE_REQUIRE_PROGRAM();
    StripSession session;
    ASSERT_TRUE(session.Start(SettingsWith({}), GridFile(), GridFile()));
    SIZE screen = ScreenSize();
    ASSERT_EQ(ChildWindowFromPointEx(session.main, {240, 25}, CWP_SKIPINVISIBLE), session.main)
        << "the grip point must be bare background";

    // Grab at (240, 25), move right and down, and let go with the pointer at the screen's right edge,
    // where the strip reaches past the edge. The pauses pace the hand as a person drags; nothing is
    // waited for by them.
    const int dropX = static_cast<int>(screen.cx) - 1;
    const int dropY = 200;
    ASSERT_TRUE(
        Xdotool("mousemove 240 25 sleep 0.5 mousedown 1 sleep 0.5 mousemove 700 120 sleep 0.3 mousemove " +
                std::to_string(dropX) + " " + std::to_string(dropY) + " sleep 0.5 mouseup 1"));
    RECT rect{};
    EXPECT_TRUE(WaitUntil(
        [&] {
            rect = ScreenRect(session.main);
            return rect.right == screen.cx;
        },
        kAnswerLimit))
        << "the strip's right edge is at " << rect.right << ", the screen's at " << screen.cx;
    EXPECT_EQ(rect.right - rect.left, 256);
    EXPECT_EQ(rect.bottom - rect.top, 28);
    EXPECT_EQ(rect.top, dropY - 25) << "the strip followed the pointer down";
}
