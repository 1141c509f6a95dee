// The skin dialog on the real program: opened from the options dialog, each shipped skin picked and
// confirmed, the strip repainted with its picture, the choice kept over a restart. With TOLVANE_SHOTS
// set to a host folder, the dialog with its preview and the strip in every skin, collapsed and expanded,
// are photographed there.
#include "Harness.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace e2e;

namespace {

// The device pixel at the middle of design pixel (x, y).
POINT DevicePixel(int x, int y, int dpi) {
    return {MulDiv(2 * x + 1, dpi, 192), MulDiv(2 * y + 1, dpi, 192)};
}

// The skin files of the program folder, by name.
std::vector<std::wstring> ShippedSkins(const ProgramFolder& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE find = FindFirstFileW(folder.File(L"skins\\*.skn").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do
        names.push_back(found.cFileName);
    while (FindNextFileW(find, &found));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

// A skin's picture as its bitmap file (named on line 3 of the skin file) holds it: a 24-bit bitmap,
// rows bottom-up, as tools/draw-skin writes it.
class SkinPicture {
  public:
    SkinPicture(const ProgramFolder& folder, const std::wstring& skin) {
        const std::vector<std::string> lines =
            SplitLines(ReadBytes(folder.File(L"skins\\" + skin)).value_or(""));
        EXPECT_GE(lines.size(), 3u) << Narrow(skin);
        if (lines.size() >= 3)
            bytes_ = ReadBytes(folder.File(L"skins\\" + FromCp932(lines[2]))).value_or("");
        EXPECT_EQ(bytes_.size(), 54u + 256 * 128 * 3) << Narrow(skin);
    }
    // 0x00RRGGBB, as a capture gives it.
    std::uint32_t At(int x, int y) const {
        const std::size_t at = 54 + (static_cast<std::size_t>(127 - y) * 256 + x) * 3;
        if (at + 3 > bytes_.size())
            return 0;
        const auto byte = [&](std::size_t i) {
            return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes_[i]));
        };
        return byte(at + 2) << 16 | byte(at + 1) << 8 | byte(at);
    }

  private:
    std::string bytes_;
};

bool Near(std::uint32_t a, std::uint32_t b) {
    for (int shift : {0, 8, 16})
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 10)
            return false;
    return true;
}

// Places of plain colour in every skin, away from texts and icons: the bar right of the caption, the
// first run button, the caption strip left of its text; below the bar, the entry-field area.
struct Spot {
    int x, y;
};
constexpr Spot kBarSpots[] = {{235, 8}, {52, 14}, {122, 14}};
constexpr Spot kOpenSpots[] = {{100, 36}, {240, 85}};

::testing::AssertionResult StripShows(HWND strip, const SkinPicture& picture, bool expanded) {
    const int dpi = ScreenDpi();
    const RECT rect = ScreenRect(strip);
    std::vector<Spot> spots(std::begin(kBarSpots), std::end(kBarSpots));
    if (expanded)
        spots.insert(spots.end(), std::begin(kOpenSpots), std::end(kOpenSpots));
    // The repaint follows the change within a moment.
    std::string mismatch;
    const bool shown = WaitUntil(
        [&] {
            const Capture capture = CaptureScreen(rect);
            for (const Spot& spot : spots) {
                const POINT at = DevicePixel(spot.x, spot.y, dpi);
                if (at.x >= capture.width || at.y >= capture.height ||
                    !Near(capture.At(at.x, at.y), picture.At(spot.x, spot.y))) {
                    char text[96];
                    snprintf(text, sizeof text, "at %d, %d: screen %06x, picture %06x", spot.x, spot.y,
                             at.x < capture.width && at.y < capture.height ? capture.At(at.x, at.y) : 0u,
                             picture.At(spot.x, spot.y));
                    mismatch = text;
                    return false;
                }
            }
            return true;
        },
        3s);
    if (shown)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << mismatch;
}

// A push button of the window with this caption (a frame may carry the same caption).
HWND PushButton(HWND window, const std::wstring& caption) {
    for (HWND child : Children(window)) {
        const LONG type = GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
        if (ClassOf(child) == L"Button" && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) &&
            TextOf(child) == caption)
            return child;
    }
    ADD_FAILURE() << "no button " << Narrow(caption);
    return nullptr;
}

void PostButtonClick(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

// Clicks entry `index` of a list box as the mouse does.
void ClickListEntry(HWND list, int index) {
    RECT item{};
    ASSERT_TRUE(SendMessageTimeoutW(list, LB_GETITEMRECT, static_cast<WPARAM>(index),
                                    reinterpret_cast<LPARAM>(&item), SMTO_ABORTIFHUNG, 2000, nullptr));
    PostClick(list, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
}

int ListIndexOf(HWND list, const std::wstring& text) {
    DWORD_PTR index = static_cast<DWORD_PTR>(-1);
    SendMessageTimeoutW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 2000, &index);
    return static_cast<int>(index);
}

constexpr const wchar_t* kOptionsCaption = L"Tolvane Option";
constexpr const wchar_t* kSkinCaption = L"Tolvane Skin option";

TEST(SkinDialog, EachShippedSkinAppliedFromTheDialogAndKeptOverARestart) {
    TOLVANE_REQUIRE_PROGRAM();
    const int dpi = ScreenDpi();
    StripSession session;
    ASSERT_TRUE(session.Start(SettingsWith({}), GridFile(), GridFile()));
    const std::vector<std::wstring> skins = ShippedSkins(session.folder);
    ASSERT_GE(skins.size(), 4u);
    const auto control = [&](int left, int top, int width, int height) {
        const int l = MulDiv(left, dpi, 96);
        const int t = MulDiv(top, dpi, 96);
        return session.Control(l, t, MulDiv(left + width, dpi, 96) - l, MulDiv(top + height, dpi, 96) - t);
    };
    HWND iconV = control(7, 6, 16, 16);
    HWND run0 = control(45, 4, 15, 20);
    HWND undo = control(226, 61, 24, 15);
    const DWORD pid = session.program.Id();
    const auto heightBecomes = [&](int pixels) {
        return WaitUntil(
            [&] {
                const RECT r = ScreenRect(session.main);
                return r.bottom - r.top == MulDiv(pixels, dpi, 96);
            },
            kAnswerLimit);
    };

    for (const std::wstring& skin : skins) {
        SCOPED_TRACE(Narrow(skin));
        PostRightClick(iconV, 4, 4);
        HWND options = WaitForWindow(nullptr, kOptionsCaption, pid);
        ASSERT_NE(options, nullptr);
        PostButtonClick(PushButton(options, L"スキンの変更"));
        HWND dialog = WaitForWindow(nullptr, kSkinCaption, pid);
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(IsWindowVisible(options)) << "the options dialog hides while the skin dialog is open";
        HWND list = nullptr;
        for (HWND child : Children(dialog))
            if (ClassOf(child) == L"ListBox")
                list = child;
        ASSERT_NE(list, nullptr);

        const int index = ListIndexOf(list, skin);
        ASSERT_GE(index, 0);
        ClickListEntry(list, index);
        Sleep(300);  // the preview's paint
        const std::string name = Narrow(skin.substr(0, skin.size() - 4)) + "-" + std::to_string(dpi);
        Photograph(ScreenRect(dialog), "skin-dialog-" + name);

        PostButtonClick(PushButton(dialog, L"OK"));
        ASSERT_TRUE(WaitForWindowGone(dialog));
        ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(options) != FALSE; }, kAnswerLimit))
            << "the options dialog shows again";
        EXPECT_NE(ChildByText(options, skin), nullptr) << "the current skin on the options dialog";
        PostButtonClick(PushButton(options, L"キャンセル"));
        ASSERT_TRUE(WaitForWindowGone(options));

        const SkinPicture picture(session.folder, skin);
        EXPECT_TRUE(StripShows(session.main, picture, false));
        Photograph(ScreenRect(session.main), "skin-" + name + "-collapsed");
        // A right click on a run button opens the strip, the undo label closes it again.
        PostRightClick(run0, 2, 2);
        ASSERT_TRUE(heightBecomes(128));
        EXPECT_TRUE(StripShows(session.main, picture, true));
        Photograph(ScreenRect(session.main), "skin-" + name + "-expanded");
        PostClick(undo, 2, 2);
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
    const SkinPicture last(session.folder, skins.back());
    EXPECT_TRUE(StripShows(session.main, last, false));
}

}  // namespace
