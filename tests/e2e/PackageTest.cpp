// The release as a person gets it: the exe started from the unpacked zip's folder, with nothing else
// there, shows the strip with its skin and writes its files on the way out. tests/e2e/unpacked-start
// unpacks the zip and names the folder in TOLVANE_PACKAGE_DIR.
#include "Harness.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

using namespace e2e;

TEST(Package, UnpackedExeShowsTheSkinnedStripAndSavesBesideItself) {
    const char* unpacked = std::getenv("TOLVANE_PACKAGE_DIR");
    ASSERT_NE(unpacked, nullptr) << "run through tests/e2e/unpacked-start";
    const std::wstring folder = Widen(unpacked);
    const std::wstring exe = JoinPath(folder, L"tolvane.exe");
    const auto bytes = ReadBytes(exe);
    ASSERT_TRUE(bytes.has_value());
    EXPECT_LT(bytes->size(), 1024u * 1024u) << "the stripped exe";

    SetCursorPos(600, 450);
    Process program = Process::Start(exe, L"", folder);
    HWND main = WaitForMainWindow(program);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(MessageBoxDuringQuietPeriod(program), nullptr) << "a first start says nothing";
    RECT client{};
    GetClientRect(main, &client);
    EXPECT_EQ(client.right, 256);
    EXPECT_EQ(client.bottom, 28);
    // The skin's picture, not a blank window: many colours across the strip once it has painted.
    std::size_t colours = 0;
    EXPECT_TRUE(WaitUntil(
        [&] {
            const Capture strip = CaptureScreen(ScreenRect(main));
            colours = std::set<std::uint32_t>(strip.pixels.begin(), strip.pixels.end()).size();
            return colours > 16;
        },
        kAnswerLimit))
        << "the strip shows " << colours << " colours";

    ASSERT_TRUE(CloseProgram(program, main));
    for (const wchar_t* name : {L"Tolv.ini", L"TURL.dat", L"TRUN.dat"})
        EXPECT_TRUE(FileExists(JoinPath(folder, name))) << Narrow(name);
}
