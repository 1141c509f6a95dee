// The strip on the screen's own scale (run with the prefix at LogPixels 96, 144 or 192): every control
// at its rectangle scaled by dpi / 96, the page number and the caption whole, and a long title seen
// through the marks over the caption. With TOLVANE_SHOTS set to a host folder, the strip is
// photographed there collapsed, expanded and with the long title.
#include "Harness.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

// A rectangle of the control table in device pixels: its edges scaled, as the program places it.
struct Placed {
    int left, top, width, height;
};
Placed Scaled(int left, int top, int width, int height) {
    const RECT r = ScaledRect(left, top, width, height);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

void SetNativeText(HWND control, const std::wstring& text) {
    SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                        2000, nullptr);
    RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// A text drawn whole inside the label: its pixels (those that change when the label's text is taken
// away for a moment) reach neither the label's last row nor its last column, where a text cut by the
// label ends, and they are at least `minHeight` rows tall.
::testing::AssertionResult TextWhole(HWND control, int minHeight) {
    const RECT rect = ScreenRect(control);
    const std::optional<Capture> shown = StillPicture(rect);
    if (!shown)
        return ::testing::AssertionFailure() << "the label kept changing";
    const Capture& with = *shown;
    const std::wstring text = TextOf(control);
    SetNativeText(control, L"");
    if (!WaitUntil([&] { return !(CaptureScreen(rect) == with); }, kAnswerLimit))
        return ::testing::AssertionFailure() << "no text shown: nothing changed without it";
    const std::optional<Capture> bare = StillPicture(rect);
    SetNativeText(control, text);
    if (!bare)
        return ::testing::AssertionFailure() << "the label kept changing without its text";
    const Capture& without = *bare;
    if (!WaitUntil([&] { return CaptureScreen(rect) == with; }, kAnswerLimit))
        return ::testing::AssertionFailure() << "the text came back looking otherwise";
    int top = with.height;
    int bottom = -1;
    for (int y = 0; y < with.height; ++y) {
        for (int x = 0; x < with.width; ++x) {
            if (with.At(x, y) == without.At(x, y))
                continue;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            if (y == with.height - 1 || x == with.width - 1)
                return ::testing::AssertionFailure()
                       << "text cut at " << x << ", " << y << " of " << with.width << " x " << with.height;
        }
    }
    if (bottom < 0)
        return ::testing::AssertionFailure() << "no text shown";
    if (bottom - top + 1 < minHeight)
        return ::testing::AssertionFailure() << "text only " << bottom - top + 1 << " rows tall";
    return ::testing::AssertionSuccess();
}

TEST(ScaledStrip, ControlsAtTheirScaledRectanglesAndTextsWhole) {
    TOLVANE_REQUIRE_PROGRAM();
    const int dpi = ScreenDpi();
    RecordProperty("dpi", dpi);
    StripSession session;
    ASSERT_TRUE(session.Start(SettingsWith({}), GridFile(), GridFile()));
    const Placed collapsed = Scaled(0, 0, 256, 28);
    const RECT strip = ScreenRect(session.main);
    EXPECT_EQ(strip.right - strip.left, collapsed.width);
    EXPECT_EQ(strip.bottom - strip.top, collapsed.height);

    struct Table {
        int left, top, width, height;
    };
    const Table controls[] = {{7, 6, 16, 16},    {25, 9, 14, 14},   {44, 6, 16, 16},   {98, 6, 16, 16},
                              {45, 4, 15, 20},   {99, 4, 15, 20},   {124, 8, 120, 14}, {242, 4, 9, 9},
                              {244, 14, 8, 8},   {236, 14, 8, 8},   {8, 43, 210, 18},  {8, 73, 210, 18},
                              {8, 103, 210, 18}, {226, 43, 24, 15}, {226, 97, 24, 15}};
    for (const Table& c : controls)
        session.Control(c.left, c.top, c.width, c.height);

    // The pointer stays on the strip, so that the caption shows the slot's title and not the clock.
    const Placed caption = Scaled(124, 8, 120, 14);
    SetCursorPos(strip.left + caption.left + caption.width / 2, strip.top + caption.top + caption.height / 2);
    HWND pageV = session.Control(25, 9, 14, 14);
    HWND viewCaption = session.Control(124, 8, 120, 14);
    ASSERT_TRUE(WaitUntil([&] { return TextOf(viewCaption) == kEmptyMarker && TextOf(pageV) == L" 0"; },
                          kAnswerLimit));
    ASSERT_TRUE(StillPicture(strip)) << "the labels' paint";
    // 9 pt is 12 pixels at 96 dpi; a digit and these kana and kanji are more than half of that tall.
    const int minHeight = MulDiv(6, dpi, 96);
    EXPECT_TRUE(TextWhole(pageV, minHeight)) << "page number";
    EXPECT_TRUE(TextWhole(viewCaption, minHeight)) << "caption";
    Photograph(strip, "strip-collapsed");

    // A right click on a run button opens the strip for editing.
    HWND run0 = session.Control(45, 4, 15, 20);
    PostRightClick(run0, 2, 2);
    const Placed expanded = Scaled(0, 0, 256, 128);
    ASSERT_TRUE(WaitUntil([&] { return ScreenRect(session.main).bottom - strip.top == expanded.height; },
                          kAnswerLimit))
        << "height " << ScreenRect(session.main).bottom - strip.top << " instead of " << expanded.height;
    SetCursorPos(strip.left + caption.left + caption.width / 2, strip.top + caption.top + caption.height / 2);
    ASSERT_TRUE(StillPicture(ScreenRect(session.main))) << "the expanded strip's paint";
    EXPECT_TRUE(TextWhole(pageV, minHeight)) << "page number, expanded";
    EXPECT_TRUE(TextWhole(viewCaption, minHeight)) << "caption, expanded";
    Photograph(ScreenRect(session.main), "strip-expanded");
}

// How many pixels differ between two captures of the same rectangle.
int Changed(const Capture& a, const Capture& b) {
    int changed = 0;
    for (size_t i = 0; i < a.pixels.size(); ++i)
        changed += a.pixels[i] != b.pixels[i];
    return changed;
}

// The lock mark lies over the right end of the caption strip. Both are transparent: a long title shows
// under the empty mark up to the caption's own right edge (where the clock's seconds end), and the
// mark's "H" is drawn over the title without hiding the rest of it.
TEST(ScaledStrip, LongTitleShowsUnderTheEmptyLockMarkAndTheLockOverIt) {
    TOLVANE_REQUIRE_PROGRAM();
    const std::wstring title(30, L'W');
    GridFile launchers;
    launchers.Set(0, 0, L"", L"", title);
    StripSession session;
    ASSERT_TRUE(session.Start(SettingsWith({}), GridFile(), launchers));
    HWND viewCaption = session.Control(124, 8, 120, 14);
    HWND zoL = session.Control(244, 14, 8, 8);
    HWND label4 = session.Control(236, 14, 8, 8);
    const RECT strip = ScreenRect(session.main);
    RECT underLock = ScaledRect(236, 14, 8, 8);
    OffsetRect(&underLock, strip.left, strip.top);

    // Hovering a run button shows its slot's title: slot 1 is empty, and its marker ends far to the left.
    const auto hover = [&](int slot, const std::wstring& shown) {
        HWND run = session.Control(45 + 18 * slot, 4, 15, 20);
        PostMessageW(run, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        EXPECT_TRUE(WaitUntil([&] { return TextOf(viewCaption) == shown; }, kAnswerLimit)) << Narrow(shown);
        // Once the labels' paint has reached the screen (a picture that keeps changing fails there).
        const std::optional<Capture> still = StillPicture(underLock);
        return still ? *still : CaptureScreen(underLock);
    };
    ASSERT_EQ(TextOf(label4), L"");
    const Capture bare = hover(1, kEmptyMarker);
    const Capture titled = hover(0, title);
    const int titlePixels = Changed(bare, titled);
    EXPECT_GT(titlePixels, 0) << "the empty lock mark hides the title beneath it";
    Photograph(strip, "strip-long-title");

    PostRightClick(zoL, 3, 3);
    ASSERT_TRUE(WaitUntil([&] { return TextOf(label4) == L"H"; }, kAnswerLimit));
    const std::optional<Capture> still = StillPicture(underLock);
    const Capture locked = still ? *still : CaptureScreen(underLock);
    EXPECT_GT(Changed(titled, locked), 0) << "no H drawn";
    int hidden = 0;
    for (size_t i = 0; i < titled.pixels.size(); ++i)
        hidden += titled.pixels[i] != bare.pixels[i] && locked.pixels[i] == bare.pixels[i];
    EXPECT_EQ(hidden, 0) << "title pixels (of " << titlePixels << ") painted over by the lock mark";
    Photograph(strip, "strip-long-title-locked");
}

}  // namespace
