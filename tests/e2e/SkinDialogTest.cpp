// The skin dialog on the real program: opened from the options dialog, each shipped skin picked and
// confirmed, the strip repainted with its picture, the choice kept over a restart. With TOLVANE_SHOTS
// set, the dialog with its preview and the strip in every skin, collapsed and expanded, are photographed.
#include "Harness.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace e2e;

namespace {

// The skin's picture as tools/draw-skin writes it: a 24-bit bitmap, rows bottom-up.
std::string SkinBitmap(const ProgramFolder& folder, const std::wstring& skin) {
    const std::vector<std::string> lines = SplitLines(ReadBytes(folder.File(L"skins\\" + skin)).value_or(""));
    return lines.size() < 3 ? "" : ReadBytes(folder.File(L"skins\\" + FromCp932(lines[2]))).value_or("");
}
std::uint32_t BitmapPixel(const std::string& bmp, int x, int y) {
    const std::size_t at = 54 + (static_cast<std::size_t>(127 - y) * 256 + x) * 3;
    if (at + 3 > bmp.size())
        return 0xFFFFFFFF;
    const auto byte = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bmp[i]));
    };
    return byte(at + 2) << 16 | byte(at + 1) << 8 | byte(at);
}

// The strip shows the picture at places of plain colour in every skin, away from texts and icons: the
// bar right of the caption, the first run button, the caption strip left of its text; when open, the
// entry-field area.
::testing::AssertionResult StripShows(HWND strip, const std::string& bmp, bool expanded) {
    const int dpi = ScreenDpi();
    struct Spot {
        int x, y;
    };
    const Spot spots[] = {{235, 8}, {52, 14}, {122, 14}, {100, 36}, {240, 85}};
    std::string mismatch;
    const auto matches = [&] {
        const Capture capture = CaptureScreen(ScreenRect(strip));
        for (const Spot& spot : spots) {
            if (!expanded && spot.y >= 28)
                continue;
            const int x = MulDiv(2 * spot.x + 1, dpi, 192);
            const int y = MulDiv(2 * spot.y + 1, dpi, 192);
            const std::uint32_t want = BitmapPixel(bmp, spot.x, spot.y);
            const std::uint32_t have =
                x < capture.width && y < capture.height ? capture.At(x, y) : 0xFFFFFFFF;
            for (int shift : {0, 8, 16}) {
                if (std::abs(int((want >> shift) & 0xFF) - int((have >> shift) & 0xFF)) > 10) {
                    mismatch = "at " + std::to_string(spot.x) + ", " + std::to_string(spot.y) + ": screen " +
                               std::to_string(have) + ", picture " + std::to_string(want);
                    return false;
                }
            }
        }
        return true;
    };
    if (WaitUntil(matches, 3s))  // the repaint follows within a moment
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << mismatch;
}

TEST(SkinDialog, EachShippedSkinAppliedFromTheDialogAndKeptOverARestart) {
    TOLVANE_REQUIRE_PROGRAM();
    const int dpi = ScreenDpi();
    StripSession session;
    ASSERT_TRUE(session.Start(SettingsWith({}), GridFile(), GridFile()));
    std::vector<std::wstring> skins;
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW(session.folder.File(L"skins\\*.skn").c_str(), &found);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileW(find, &found))
        skins.push_back(found.cFileName);
    FindClose(find);
    std::sort(skins.begin(), skins.end());
    ASSERT_GE(skins.size(), 4u);

    const auto heightBecomes = [&](int pixels) {
        return WaitUntil(
            [&] {
                const RECT r = ScreenRect(session.main);
                return r.bottom - r.top == MulDiv(pixels, dpi, 96);
            },
            kAnswerLimit);
    };
    const DWORD pid = session.program.Id();
    for (const std::wstring& skin : skins) {
        SCOPED_TRACE(Narrow(skin));
        const std::string name = Narrow(skin.substr(0, skin.size() - 4));
        PostRightClick(session.Control(7, 6, 16, 16), 4, 4);
        HWND options = WaitForWindow(nullptr, L"Tolvane Option", pid);
        ASSERT_NE(options, nullptr);
        PostMessageW(PushButton(options, L"スキンの変更"), BM_CLICK, 0, 0);
        HWND dialog = WaitForWindow(nullptr, L"Tolvane Skin option", pid);
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(IsWindowVisible(options));
        HWND list = FindWindowExW(dialog, nullptr, L"ListBox", nullptr);
        DWORD_PTR index = 0;
        RECT item{};
        ASSERT_TRUE(
            SendMessageTimeoutW(list, LB_FINDSTRINGEXACT, WPARAM(-1), LPARAM(skin.c_str()), SMTO_ABORTIFHUNG,
                                2000, &index) &&
            SendMessageTimeoutW(list, LB_GETITEMRECT, index, LPARAM(&item), SMTO_ABORTIFHUNG, 2000, nullptr));
        PostClick(list, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
        ASSERT_TRUE(WaitUntil([&] { return ListSelection(list) == static_cast<int>(index); }, kAnswerLimit));
        Photograph(ScreenRect(dialog), "skin-dialog-" + name);

        PostMessageW(PushButton(dialog, L"OK"), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitForWindowGone(dialog));
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(options) != FALSE; }, kAnswerLimit));
        EXPECT_NE(ChildByText(options, skin), nullptr) << "the current skin on the options dialog";
        PostMessageW(PushButton(options, L"キャンセル"), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitForWindowGone(options));

        const std::string bmp = SkinBitmap(session.folder, skin);
        EXPECT_TRUE(StripShows(session.main, bmp, false));
        Photograph(ScreenRect(session.main), "skin-" + name + "-collapsed");
        // A right click on a run button opens the strip, the undo label closes it again.
        PostRightClick(session.Control(45, 4, 15, 20), 2, 2);
        ASSERT_TRUE(heightBecomes(128));
        EXPECT_TRUE(StripShows(session.main, bmp, true));
        Photograph(ScreenRect(session.main), "skin-" + name + "-expanded");
        PostClick(session.Control(226, 61, 24, 15), 2, 2);
        ASSERT_TRUE(heightBecomes(28));
    }

    // The last choice was saved and comes back with the next start.
    const std::vector<std::string> lines =
        SplitLines(ReadBytes(session.folder.File(L"Tolv.ini")).value_or(""));
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(FromCp932(lines[3]), skins.back());
    ASSERT_TRUE(CloseProgram(session.program, session.main));
    session.program = StartProgram(session.folder);
    session.main = WaitForMainWindow(session.program);
    ASSERT_NE(session.main, nullptr);
    EXPECT_EQ(MessageBoxDuringQuietPeriod(session.program), nullptr);
    EXPECT_TRUE(StripShows(session.main, SkinBitmap(session.folder, skins.back()), false));
}

}  // namespace
