// Closing the real program with its close label: the process ends, the position is saved and the
// hotkeys are given back.
#include "Harness.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

constexpr UINT kDefaultModifiers = MOD_CONTROL | MOD_ALT;
constexpr UINT kDefaultKeys[] = {'T', 'M', 'C', 'R', 'W'};

}  // namespace

TEST(Closing, CloseLabelEndsTheProgramSavesThePositionAndFreesTheHotkeys) {
    TOLVANE_REQUIRE_PROGRAM();
    ProgramFolder folder;
    Process program = StartProgram(folder);
    HWND main = WaitForMainWindow(program);
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(MessageBoxDuringQuietPeriod(program), nullptr);

    // While it runs, the program holds its five hotkeys.
    for (UINT key : kDefaultKeys)
        EXPECT_FALSE(CanRegisterHotkey(kDefaultModifiers, key))
            << "Ctrl+Alt+" << static_cast<char>(key) << " is free";

    ASSERT_TRUE(MoveWindowTo(main, 300, 200));
    HWND close = ChildAt(main, 242, 4, 9, 9);
    ASSERT_NE(close, nullptr) << "no End_B control at 242, 4, 9, 9";
    PostClick(close, 4, 4);
    ASSERT_TRUE(program.WaitForExit(kExitLimit).has_value()) << "the program did not end";
    EXPECT_TRUE(TopLevelWindows(nullptr, nullptr, program.Id()).empty());

    auto expected = DefaultSettingsLines();
    expected[0] = L"4500,3000,0";  // 300 and 200 pixels in twips
    EXPECT_EQ(ReadBytes(folder.File(L"Tolv.ini")).value_or("<missing>"), Lines(expected));
    EXPECT_EQ(ReadBytes(folder.File(L"TURL.dat")).value_or("<missing>"), GridFile().Bytes());
    EXPECT_EQ(ReadBytes(folder.File(L"TRUN.dat")).value_or("<missing>"), GridFile().Bytes());

    for (UINT key : kDefaultKeys)
        EXPECT_TRUE(CanRegisterHotkey(kDefaultModifiers, key))
            << "Ctrl+Alt+" << static_cast<char>(key) << " still taken";
}

TEST(Closing, NextStartRestoresTheSavedPosition) {
    TOLVANE_REQUIRE_PROGRAM();
    ProgramFolder folder;
    SIZE screen = ScreenSize();
    const int left = screen.cx - 256;  // at the screen's right edge
    {
        Process program = StartProgram(folder);
        HWND main = WaitForMainWindow(program);
        ASSERT_NE(main, nullptr);
        ASSERT_EQ(MessageBoxDuringQuietPeriod(program), nullptr);
        ASSERT_TRUE(MoveWindowTo(main, left, 40));
        ASSERT_TRUE(CloseProgram(program, main)) << "any close saves";
    }
    Process program = StartProgram(folder);
    HWND main = WaitForMainWindow(program);
    ASSERT_NE(main, nullptr);
    RECT rect = ScreenRect(main);
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, 40);
    EXPECT_TRUE(CloseProgram(program, main));
}
