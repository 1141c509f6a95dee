// The five global hotkeys of the real program, pressed on the real keyboard (xdotool) while another
// program has the focus: window order, mode switch and the command box in either mode.
#include "Harness.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

const std::vector<std::wstring> kLauncherNames = {L"rec", L"ed"};
const std::vector<std::wstring> kUrlNames = {L"web", L"news"};

class Hotkeys : public ::testing::Test {
  protected:
    void SetUp() override {
        if (!ProgramIsBuilt())
            GTEST_SKIP() << "tolvane.exe is not built yet";
        GridFile launchers;
        launchers.Set(0, 0, PlaceRecorder(session_.folder.File(L"rec.exe")), L"rec", L"Recorder");
        launchers.Set(1, 2, PlaceRecorder(session_.folder.File(L"ed.exe")), L"ed", L"Editor");
        GridFile urls;
        urls.Set(0, 0, L"http://example.com/", L"web", L"Web");
        urls.Set(3, 1, L"http://example.com/news", L"news", L"News");
        ASSERT_TRUE(session_.Start(SettingsWith({}), urls, launchers));

        // Another program with the keyboard focus, the pointer over it (the focus follows the pointer).
        other_ = Process::Start(L"C:\\windows\\notepad.exe", L"", L"");
        otherWindow_ = WaitForWindow(L"Notepad", nullptr, other_.Id());
        ASSERT_NE(otherWindow_, nullptr) << "notepad did not show";
        ASSERT_TRUE(MoveWindowTo(otherWindow_, 400, 300));
    }
    void TearDown() override {
        if (otherWindow_)
            PostMessageW(otherWindow_, WM_CLOSE, 0, 0);
        if (other_.Running() && !other_.WaitForExit(kExitLimit))
            other_.Kill();
    }

    // Gives the focus to the other program, then presses Ctrl+Alt and the key there.
    void Press(char key) {
        ASSERT_TRUE(Xdotool("mousemove 600 450"));
        SetForegroundWindow(otherWindow_);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == otherWindow_; }, kAnswerLimit))
            << "notepad does not have the focus";
        ASSERT_TRUE(Xdotool(std::string("key ctrl+alt+") + key));
    }

    ::testing::AssertionResult Shows(HWND control, const std::wstring& text) {
        if (WaitUntil([&] { return TextOf(control) == text; }, kAnswerLimit))
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "shows \"" << Narrow(TextOf(control)) << "\" instead of \"" << Narrow(text) << "\"";
    }
    ::testing::AssertionResult BoxOpensWith(const std::vector<std::wstring>& names) {
        HWND box = session_.CommandBox();
        if (!WaitUntil([&] { return IsWindowVisible(box) && IsWindowEnabled(box); }, kAnswerLimit))
            return ::testing::AssertionFailure() << "the command box did not open";
        if (TextOf(box) != L"")
            return ::testing::AssertionFailure() << "the box opened with the text " << Narrow(TextOf(box));
        if (ComboEntries(box) != names)
            return ::testing::AssertionFailure() << "the list holds the other mode's names";
        return ::testing::AssertionSuccess();
    }
    void CloseBox() {
        HWND box = session_.CommandBox();
        PostChar(session_.CommandBoxEdit(), 27);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(box); }, kAnswerLimit))
            << "Esc did not close the box";
    }

    HWND PageV() const { return session_.Control(25, 9, 14, 14); }
    HWND ZoL() const { return session_.Control(244, 14, 8, 8); }
    HWND Label4() const { return session_.Control(236, 14, 8, 8); }

    StripSession session_;
    Process other_;
    HWND otherWindow_ = nullptr;
};

}  // namespace

TEST_F(Hotkeys, CtrlAltTFlipsTheWindowOrderEvenWhenTheLabelIsLocked) {
    ASSERT_TRUE(Shows(ZoL(), L"T"));
    Press('t');
    EXPECT_TRUE(Shows(ZoL(), L"B"));
    EXPECT_TRUE(WaitUntil([&] { return !IsTopmost(session_.main); }, kAnswerLimit)) << "still topmost";
    Press('t');
    EXPECT_TRUE(Shows(ZoL(), L"T"));
    EXPECT_TRUE(WaitUntil([&] { return IsTopmost(session_.main); }, kAnswerLimit)) << "not topmost";

    PostRightClick(ZoL(), 3, 3);
    ASSERT_TRUE(Shows(Label4(), L"H"));
    Press('t');
    EXPECT_TRUE(Shows(ZoL(), L"B")) << "the lock holds back the mouse, not the hotkey";
    EXPECT_EQ(TextOf(Label4()), L"H") << "the lock stays";
    EXPECT_FALSE(IsWindowVisible(session_.CommandBox()));
}

TEST_F(Hotkeys, CtrlAltMSwitchesTheModeWithoutOpeningTheBox) {
    PostClick(PageV(), 4, 4);
    ASSERT_TRUE(Shows(PageV(), L"1"));
    HWND box = session_.CommandBox();
    ASSERT_EQ(ComboEntries(box), kLauncherNames);

    Press('m');
    EXPECT_TRUE(Shows(PageV(), L" 0")) << "URL mode, page 0";
    EXPECT_TRUE(WaitUntil([&] { return ComboEntries(box) == kUrlNames; }, kAnswerLimit))
        << "the list was not refilled for URL mode";
    Press('m');
    EXPECT_TRUE(Shows(PageV(), L" 1")) << "back on the launcher page";
    EXPECT_TRUE(WaitUntil([&] { return ComboEntries(box) == kLauncherNames; }, kAnswerLimit));
    EXPECT_FALSE(IsWindowVisible(box)) << "the mode switch alone opens no box";
}

TEST_F(Hotkeys, CtrlAltCOpensTheBoxInTheCurrentMode) {
    PostClick(PageV(), 4, 4);
    ASSERT_TRUE(Shows(PageV(), L"1"));
    Press('c');
    EXPECT_TRUE(BoxOpensWith(kLauncherNames));
    EXPECT_EQ(TextOf(PageV()), L"1") << "no mode switch";
    CloseBox();

    // A double click on the mode icon: URL mode.
    PostMessageW(session_.Control(7, 6, 16, 16), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(8, 8));
    PostMessageW(session_.Control(7, 6, 16, 16), WM_LBUTTONUP, 0, MAKELPARAM(8, 8));
    ASSERT_TRUE(Shows(PageV(), L" 0"));
    Press('c');
    EXPECT_TRUE(BoxOpensWith(kUrlNames));
    EXPECT_EQ(TextOf(PageV()), L" 0");
}

TEST_F(Hotkeys, CtrlAltRAndWForceTheirModeBeforeOpeningTheBox) {
    PostClick(PageV(), 4, 4);
    ASSERT_TRUE(Shows(PageV(), L"1"));

    Press('w');
    EXPECT_TRUE(Shows(PageV(), L" 0")) << "switched to URL mode";
    EXPECT_TRUE(BoxOpensWith(kUrlNames));
    CloseBox();
    PostClick(PageV(), 4, 4);
    ASSERT_TRUE(Shows(PageV(), L"1"));
    Press('w');
    EXPECT_TRUE(BoxOpensWith(kUrlNames));
    EXPECT_EQ(TextOf(PageV()), L"1") << "already in URL mode: no switch";
    CloseBox();

    Press('r');
    EXPECT_TRUE(Shows(PageV(), L" 1")) << "switched to launcher mode, on its page";
    EXPECT_TRUE(BoxOpensWith(kLauncherNames));
    CloseBox();
    PostClick(PageV(), 4, 4);
    ASSERT_TRUE(Shows(PageV(), L"2"));
    Press('r');
    EXPECT_TRUE(BoxOpensWith(kLauncherNames));
    EXPECT_EQ(TextOf(PageV()), L"2") << "already in launcher mode: no switch";
}

TEST_F(Hotkeys, UnknownHotkeyIdChangesNothing) {
    HWND box = session_.CommandBox();
    PostHotkey(session_.main, 7, MOD_CONTROL | MOD_ALT, 'X');
    // Handled in order: once the lock mark shows, the hotkey message before it has been handled too.
    PostRightClick(ZoL(), 3, 3);
    ASSERT_TRUE(Shows(Label4(), L"H"));
    EXPECT_EQ(TextOf(ZoL()), L"T");
    EXPECT_TRUE(IsTopmost(session_.main));
    EXPECT_EQ(TextOf(PageV()), L" 0");
    EXPECT_FALSE(IsWindowVisible(box));
    EXPECT_EQ(ComboEntries(box), kLauncherNames);
}
