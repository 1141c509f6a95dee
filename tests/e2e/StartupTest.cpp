// Start-up of the real program: first run, a second instance, keeping the window on the screen,
// missing skins and launcher registrations whose files have vanished (or whose drive is not there).
#include "Harness.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

const std::wstring kSkinMissingText = L"設定されているスキンが存在しません。";

// The settings of a first run with some lines replaced (index 0 is line 1).
std::string Settings(std::initializer_list<std::pair<int, std::wstring>> changes) {
    auto lines = DefaultSettingsLines();
    for (const auto& [index, text] : changes)
        lines.at(static_cast<size_t>(index)) = text;
    return Lines(lines);
}

void WriteStoredFiles(const ProgramFolder& folder, const std::string& settings, const GridFile& urls,
                      const GridFile& launchers) {
    WriteBytes(folder.File(L"Tolv.ini"), settings);
    WriteBytes(folder.File(L"TURL.dat"), urls.Bytes());
    WriteBytes(folder.File(L"TRUN.dat"), launchers.Bytes());
}

std::string Bytes(const std::wstring& path) {
    return ReadBytes(path).value_or("<missing>");
}

// Rectangles of the collapsed window's controls, from the control table.
struct ControlRect {
    int left, top, width, height;
};
constexpr ControlRect kPageV{25, 9, 14, 14};
constexpr ControlRect kViewCaption{124, 8, 120, 14};

HWND Control(HWND main, ControlRect rect) {
    return ChildAt(main, rect.left, rect.top, rect.width, rect.height);
}

// Whether the window's surface away from every control (and the icon drawn at 7, 6) is one flat colour,
// as it is without a background picture.
bool SurfaceIsFlat(HWND main) {
    RECT screen = ScreenRect(main);
    Capture capture = CaptureScreen(screen);
    if (capture.width == 0)
        return false;
    const RECT covered[] = {{7, 6, 23, 22},    {25, 9, 39, 23},   {44, 4, 120, 24},
                            {121, 4, 244, 24}, {242, 4, 251, 13}, {236, 14, 252, 22}};
    std::optional<std::uint32_t> colour;
    for (int y = 0; y < capture.height; ++y) {
        for (int x = 0; x < capture.width; ++x) {
            bool underControl = false;
            for (const RECT& r : covered)
                underControl |= x >= r.left && x < r.right && y >= r.top && y < r.bottom;
            if (underControl)
                continue;
            if (!colour)
                colour = capture.At(x, y);
            else if (*colour != capture.At(x, y))
                return false;
        }
    }
    return true;
}

// The root of a drive letter that is mapped to nothing, as a USB stick left at home.
std::wstring UnmappedDrive() {
    const DWORD mapped = ::GetLogicalDrives();
    for (wchar_t letter = L'Z'; letter >= L'D'; --letter) {
        if (!(mapped & (1u << (letter - L'A'))))
            return std::wstring(1, letter) + L":\\";
    }
    return {};
}

// The caption shows a slot's title while the pointer rests on the strip, the clock otherwise. Under
// Wine a SetCursorPos after earlier real pointer moves may not take, so the real pointer is put there.
::testing::AssertionResult ShowsOnStrip(HWND main, HWND caption, const std::wstring& text) {
    const RECT strip = ScreenRect(main);
    if (!Xdotool("mousemove " + std::to_string(strip.left + 180) + " " + std::to_string(strip.top + 14)))
        return ::testing::AssertionFailure() << "xdotool failed";
    if (WaitUntil([&] { return TextOf(caption) == text; }, kAnswerLimit))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the caption shows " << Narrow(TextOf(caption));
}

}  // namespace

TEST(FirstStart, CreatesTheDefaultFilesAndShowsPageZeroAtTheTopLeft) {
    TOLVANE_REQUIRE_PROGRAM();
    ProgramFolder folder;
    Process program = StartProgram(folder);
    HWND main = WaitForMainWindow(program);
    ASSERT_NE(main, nullptr) << "no visible main window";

    EXPECT_EQ(MessageBoxDuringQuietPeriod(program), nullptr) << "a first run asks nothing";

    RECT rect = ScreenRect(main);
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
    EXPECT_EQ(rect.right - rect.left, 256);
    EXPECT_EQ(rect.bottom - rect.top, 28);
    EXPECT_TRUE(IsTopmost(main));

    HWND page = Control(main, kPageV);
    ASSERT_NE(page, nullptr) << "no PageV control at 25, 9, 14, 14";
    EXPECT_EQ(TextOf(page), L" 0");
    HWND caption = Control(main, kViewCaption);
    ASSERT_NE(caption, nullptr) << "no ViewCaption control at 124, 8, 120, 14";
    EXPECT_TRUE(ShowsOnStrip(main, caption, kEmptyMarker));

    // Created before the window is shown, byte for byte.
    EXPECT_EQ(Bytes(folder.File(L"Tolv.ini")), Lines(DefaultSettingsLines()));
    EXPECT_EQ(Bytes(folder.File(L"TURL.dat")), GridFile().Bytes());
    EXPECT_EQ(Bytes(folder.File(L"TRUN.dat")), GridFile().Bytes());
    EXPECT_EQ(Bytes(folder.File(L"Tolv.ini")).substr(0, 7), "0,0,0\r\n");

    EXPECT_TRUE(CloseProgram(program, main));
}

TEST(SecondInstance, EndsAtOnceAndLeavesTheFirstUntouched) {
    TOLVANE_REQUIRE_PROGRAM();
    ProgramFolder folder;
    Process first = StartProgram(folder);
    HWND main = WaitForMainWindow(first);
    ASSERT_NE(main, nullptr);
    ASSERT_EQ(MessageBoxDuringQuietPeriod(first), nullptr);
    RECT before = ScreenRect(main);
    const std::wstring files[] = {L"Tolv.ini", L"TURL.dat", L"TRUN.dat"};
    for (const auto& name : files)
        SetLastWriteTime(folder.File(name), TimeLongAgo());
    std::string settings = Bytes(folder.File(L"Tolv.ini"));

    Process second = StartProgram(folder);
    bool secondShowedWindow = false;
    bool ended = WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows(nullptr, nullptr, second.Id()))
                secondShowedWindow |= IsWindowVisible(window) != FALSE;
            return !second.Running();
        },
        kExitLimit);
    ASSERT_TRUE(ended) << "the second instance is still running";
    EXPECT_FALSE(secondShowedWindow);

    ASSERT_TRUE(first.Running());
    EXPECT_TRUE(IsWindow(main) && IsWindowVisible(main));
    EXPECT_EQ(TopLevelWindows(kFormClass, kTitle).size(), 1u);
    RECT after = ScreenRect(main);
    EXPECT_TRUE(EqualRect(&before, &after));
    EXPECT_FALSE(HasMessageBox(first.Id()));
    for (const auto& name : files)
        EXPECT_TRUE(SameTime(LastWriteTime(folder.File(name)), TimeLongAgo()))
            << Narrow(name) << " was touched";
    EXPECT_EQ(Bytes(folder.File(L"Tolv.ini")), settings);

    EXPECT_TRUE(CloseProgram(first, main));
}

class WindowPosition : public ::testing::Test {
  protected:
    // Starts the program with the saved position (twips) and returns where the window appears.
    RECT StartAt(const std::wstring& leftAndTop) {
        WriteStoredFiles(folder_, Settings({{0, leftAndTop + L",0"}}), GridFile(), GridFile());
        program_ = StartProgram(folder_);
        main_ = WaitForMainWindow(program_);
        EXPECT_NE(main_, nullptr);
        EXPECT_EQ(MessageBoxDuringQuietPeriod(program_), nullptr);
        return main_ ? ScreenRect(main_) : RECT{};
    }
    void TearDown() override {
        if (main_) {
            EXPECT_TRUE(CloseProgram(program_, main_));
        }
    }

    ProgramFolder folder_;
    Process program_;
    HWND main_ = nullptr;
};

TEST_F(WindowPosition, LeftEdgeBeyondTheScreenIsPulledBackToTheRightEdge) {
    TOLVANE_REQUIRE_PROGRAM();
    SIZE screen = ScreenSize();
    ASSERT_LT(screen.cx * 15, 30000) << "the test needs a screen narrower than 2000 pixels";
    RECT rect = StartAt(L"30000,45");
    EXPECT_EQ(rect.right, screen.cx);
    EXPECT_EQ(rect.left, screen.cx - 256);
    EXPECT_EQ(rect.top, 3);
    EXPECT_EQ(rect.right - rect.left, 256);
    EXPECT_EQ(rect.bottom - rect.top, 28);
}

TEST_F(WindowPosition, NegativePositionsBecomeZero) {
    TOLVANE_REQUIRE_PROGRAM();
    RECT rect = StartAt(L"-3000,-150");
    EXPECT_EQ(rect.left, 0);
    EXPECT_EQ(rect.top, 0);
}

TEST_F(WindowPosition, WindowPartlyPastTheRightEdgeStaysWhereItWas) {
    TOLVANE_REQUIRE_PROGRAM();
    SIZE screen = ScreenSize();
    int left = screen.cx - 100;  // left edge on the screen, right part beyond it
    RECT rect = StartAt(std::to_wstring(left * 15) + L",300");
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, 20);
}

TEST(MissingSkin, ConfiguredSkinMissingIsReportedAndTheDefaultSkinUsed) {
    TOLVANE_REQUIRE_PROGRAM();
    // How the default skin looks, from a start that has it configured.
    Capture skinned;
    {
        ProgramFolder reference;
        Process program = StartProgram(reference);
        HWND main = WaitForMainWindow(program);
        ASSERT_NE(main, nullptr);
        ASSERT_EQ(MessageBoxDuringQuietPeriod(program), nullptr);
        skinned = CaptureScreen(ScreenRect(main));
        EXPECT_FALSE(SurfaceIsFlat(main)) << "the default skin should draw a picture";
        ASSERT_TRUE(CloseProgram(program, main));
    }

    ProgramFolder folder;
    WriteStoredFiles(folder, Settings({{3, L"missing.skn"}}), GridFile(), GridFile());
    Process program = StartProgram(folder);
    HWND box = WaitForMessageBox(program.Id());
    ASSERT_NE(box, nullptr) << "no message box about the missing skin";
    EXPECT_EQ(MessageBoxText(box), folder.File(L"skins\\missing.skn") + L"\r\n" + kSkinMissingText);
    ASSERT_TRUE(AnswerMessageBox(box, IDOK));
    ASSERT_TRUE(WaitForWindowGone(box));

    HWND main = WaitForMainWindow(program);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(MessageBoxDuringQuietPeriod(program), nullptr) << "only one message";
    Capture fallback = CaptureScreen(ScreenRect(main));
    EXPECT_EQ(fallback.pixels, skinned.pixels) << "the window should look as with softblue.skn";

    ASSERT_TRUE(CloseProgram(program, main));
    auto lines = SplitLines(Bytes(folder.File(L"Tolv.ini")));
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines[3], "missing.skn") << "the fallback is for this run only";
}

TEST(MissingSkin, NoSkinsFolderIsReportedOnceAndTheWindowShownWithoutPicture) {
    TOLVANE_REQUIRE_PROGRAM();
    ProgramFolder folder(ProgramFolder::Skins::Leave);
    ASSERT_FALSE(FolderExists(folder.File(L"skins")));
    Process program = StartProgram(folder);
    HWND box = WaitForMessageBox(program.Id());
    ASSERT_NE(box, nullptr) << "no message box about the skins folder";
    EXPECT_EQ(MessageBoxText(box), folder.Path() +
                                       L"\\skins　フォルダが無いか、\r\n"
                                       L"ディフォルトのスキンが存在しません。\r\n"
                                       L"スキンを入れなおしてください。");
    ASSERT_TRUE(AnswerMessageBox(box, IDOK));
    ASSERT_TRUE(WaitForWindowGone(box));

    HWND main = WaitForMainWindow(program);
    ASSERT_NE(main, nullptr) << "start-up goes on without a skin";
    EXPECT_EQ(MessageBoxDuringQuietPeriod(program), nullptr) << "only one message";
    EXPECT_TRUE(SurfaceIsFlat(main)) << "no background picture";
    RECT rect = ScreenRect(main);
    EXPECT_EQ(rect.right - rect.left, 256);
    EXPECT_EQ(rect.bottom - rect.top, 28);
    EXPECT_TRUE(CloseProgram(program, main));
}

class VanishedItems : public ::testing::Test {
  protected:
    static inline const std::wstring kGone = L"C:\\no\\such\\file.exe";
    static inline const std::wstring kAlsoGone = L"C:\\no\\such\\other tool.exe";

    void SetUp() override {
        launchers_.Set(0, 1, kGone, L"kie", L"消えた");
        launchers_.Set(0, 2, L"C:\\windows", L"win", L"フォルダ");
        launchers_.Set(3, 2, kAlsoGone, L"", L"これも");
        // Kept, and never asked about: its drive is not there now.
        ASSERT_FALSE(UnmappedDrive().empty());
        launchers_.Set(1, 0, UnmappedDrive() + L"USB\\tool.exe", L"usb", L"USBの道具");
        urls_.Set(0, 0, L"C:\\no\\such\\page.html", L"pg", L"URLの項目");
        WriteStoredFiles(folder_, Lines(DefaultSettingsLines()), urls_, launchers_);
        for (const auto& name : kFiles)
            SetLastWriteTime(folder_.File(name), TimeLongAgo());
    }

    static std::wstring Question(const std::wstring& path) {
        return path + L"\r\nは移動、または削除されています。\r\n登録から削除しますか？";
    }

    // Waits for the next question and returns its text (empty when none came).
    std::wstring NextQuestion(HWND& box) {
        box = WaitForMessageBox(program_.Id());
        return box ? MessageBoxText(box) : std::wstring();
    }

    bool Untouched(const std::wstring& name) {
        return SameTime(LastWriteTime(folder_.File(name)), TimeLongAgo());
    }

    static inline const std::wstring kFiles[] = {L"Tolv.ini", L"TURL.dat", L"TRUN.dat"};
    ProgramFolder folder_;
    GridFile urls_;
    GridFile launchers_;
    Process program_;
};

TEST_F(VanishedItems, YesEmptiesTheSlotAndRewritesTheFiles) {
    TOLVANE_REQUIRE_PROGRAM();
    program_ = StartProgram(folder_);
    HWND box = nullptr;
    ASSERT_EQ(NextQuestion(box), Question(kGone));
    EXPECT_FALSE(AnswerMessageBox(box, IDOK)) << "a Yes/No question";
    ASSERT_TRUE(AnswerMessageBox(box, IDYES));
    ASSERT_TRUE(WaitForWindowGone(box));

    // The removal is saved at once, before the next question.
    ASSERT_EQ(NextQuestion(box), Question(kAlsoGone));
    GridFile expected = launchers_;
    expected.Clear(0, 1);
    EXPECT_EQ(Bytes(folder_.File(L"TRUN.dat")), expected.Bytes());
    EXPECT_EQ(Bytes(folder_.File(L"TURL.dat")), urls_.Bytes());
    EXPECT_EQ(Bytes(folder_.File(L"Tolv.ini")), Lines(DefaultSettingsLines()));
    for (const auto& name : kFiles)
        EXPECT_FALSE(Untouched(name)) << Narrow(name) << " was not rewritten";

    ASSERT_TRUE(AnswerMessageBox(box, IDYES));
    ASSERT_TRUE(WaitForWindowGone(box));
    HWND main = WaitForMainWindow(program_);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(MessageBoxDuringQuietPeriod(program_), nullptr)
        << "the folder, the empty slots and the URL grid pass";
    expected.Clear(3, 2);
    EXPECT_EQ(Bytes(folder_.File(L"TRUN.dat")), expected.Bytes());
    EXPECT_TRUE(CloseProgram(program_, main));
}

TEST_F(VanishedItems, NoKeepsTheRegistrationAndTheNextStartAsksAgain) {
    TOLVANE_REQUIRE_PROGRAM();
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE("start " + std::to_string(run + 1));
        program_ = StartProgram(folder_);
        HWND box = nullptr;
        ASSERT_EQ(NextQuestion(box), Question(kGone));
        ASSERT_TRUE(AnswerMessageBox(box, IDNO));
        ASSERT_TRUE(WaitForWindowGone(box));
        ASSERT_EQ(NextQuestion(box), Question(kAlsoGone));
        ASSERT_TRUE(AnswerMessageBox(box, IDNO));
        ASSERT_TRUE(WaitForWindowGone(box));

        HWND main = WaitForMainWindow(program_);
        ASSERT_NE(main, nullptr);
        EXPECT_EQ(MessageBoxDuringQuietPeriod(program_), nullptr);
        if (run == 0) {
            for (const auto& name : kFiles)
                EXPECT_TRUE(Untouched(name)) << Narrow(name) << " was rewritten although nothing changed";
        }
        HWND caption = Control(main, kViewCaption);
        ASSERT_NE(caption, nullptr);
        EXPECT_TRUE(ShowsOnStrip(main, caption, kEmptyMarker)) << "page 0, slot 0 is shown";
        ASSERT_TRUE(CloseProgram(program_, main));
        EXPECT_EQ(Bytes(folder_.File(L"TRUN.dat")), launchers_.Bytes());
        EXPECT_EQ(Bytes(folder_.File(L"TURL.dat")), urls_.Bytes());
    }
}
