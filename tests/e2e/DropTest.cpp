// Registering files by dropping them on the real strip: the drop goes through OLE from this driver, as
// it would from the shell, and the registration is finished by typing, as a person would.
#include "Harness.h"

#include <ole2.h>

#include <gtest/gtest.h>

using namespace e2e;

namespace {

struct ControlRect {
    int left, top, width, height;
};
constexpr ControlRect kTitleT{8, 43, 210, 18};
constexpr ControlRect kBatchT{8, 73, 210, 18};
constexpr ControlRect kPathT{8, 103, 210, 18};
constexpr ControlRect kViewCaption{124, 8, 120, 14};
// Inside RUN_B(1) (63, 4, 15, 20) and above the slot icon under it.
constexpr POINT kRunButton1{70, 5};
constexpr int kCollapsed = 28;
constexpr int kExpanded = 128;

const std::wstring kAlreadyRegistered = L"ここには登録済みです";

HWND Control(HWND main, ControlRect rect) {
    return ChildAt(main, rect.left, rect.top, rect.width, rect.height);
}

POINT OnScreen(HWND main, POINT client) {
    ClientToScreen(main, &client);
    return client;
}

int Height(HWND main) {
    RECT rect = ScreenRect(main);
    return rect.bottom - rect.top;
}

// The window with the keyboard focus in the program's thread.
class Drop : public ::testing::Test {
  protected:
    void SetUp() override {
        TOLVANE_REQUIRE_PROGRAM();
        ASSERT_TRUE(ole.Ok()) << "OleInitialize failed";
    }

    // Starts the program and finds the fields; fails the test if it asks anything at start-up.
    void Start() {
        program = StartProgram(folder);
        main = WaitForMainWindow(program);
        ASSERT_NE(main, nullptr) << "no visible main window";
        ASSERT_EQ(MessageBoxDuringQuietPeriod(program), nullptr);
        titleT = Control(main, kTitleT);
        batchT = Control(main, kBatchT);
        pathT = Control(main, kPathT);
        caption = Control(main, kViewCaption);
        ASSERT_NE(titleT, nullptr) << "no TitleT at 8, 43, 210, 18";
        ASSERT_NE(batchT, nullptr) << "no BatchT at 8, 73, 210, 18";
        ASSERT_NE(pathT, nullptr) << "no PathT at 8, 103, 210, 18";
        ASSERT_NE(caption, nullptr) << "no ViewCaption at 124, 8, 120, 14";
    }

    std::wstring MakeFile(const std::wstring& name) {
        const std::wstring path = folder.File(name);
        WriteBytes(path, "text\r\n");
        return path;
    }

    // Drops on RUN_B(1) and expects the program to take the drop.
    void DropOnRunButton1(const std::vector<std::wstring>& paths) {
        const DropOutcome outcome = DropFiles(OnScreen(main, kRunButton1), paths);
        EXPECT_TRUE(outcome.dropped) << "the drag did not end in a drop";
        EXPECT_EQ(outcome.effect, static_cast<DWORD>(DROPEFFECT_COPY)) << "the run button refused the files";
    }

    // A drop prepares a registration: the strip opens with the path and an empty title.
    void ExpectPrepared(const std::wstring& path) {
        EXPECT_TRUE(WaitUntil([&] { return Height(main) == kExpanded; }, kAnswerLimit))
            << "the strip stayed at " << Height(main) << " pixels";
        EXPECT_TRUE(WaitUntil([&] { return TextOf(pathT) == path; }, kAnswerLimit))
            << "PathT holds " << Narrow(TextOf(pathT)) << ", expected " << Narrow(path);
        EXPECT_EQ(TextOf(titleT), L"");
        EXPECT_EQ(TextOf(batchT), L"");
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(main) == titleT; }, kAnswerLimit))
            << "TitleT has no focus";
    }

    void TearDown() override {
        if (program.Running() && main) {
            EXPECT_TRUE(CloseProgram(program, main));
        }
    }

    OleSession ole;
    ProgramFolder folder;
    Process program;
    HWND main = nullptr;
    HWND titleT = nullptr;
    HWND batchT = nullptr;
    HWND pathT = nullptr;
    HWND caption = nullptr;
};

TEST_F(Drop, FileOnAFreeRunButtonIsRegisteredWithTheTitleTypedAfterIt) {
    Start();
    const std::wstring memo = MakeFile(L"メモ.txt");
    DropOnRunButton1({memo});
    ExpectPrepared(memo);

    ASSERT_TRUE(SetText(titleT, L"予定のメモ"));
    ASSERT_TRUE(SetText(batchT, L"memo"));
    // Enter in the title goes on to the short name; Enter there stores the slot and closes the strip.
    PostMessageW(titleT, WM_CHAR, VK_RETURN, 0);
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(main) == batchT; }, kAnswerLimit)) << "BatchT has no focus";
    PostMessageW(batchT, WM_CHAR, VK_RETURN, 0);
    EXPECT_TRUE(WaitUntil([&] { return Height(main) == kCollapsed; }, kAnswerLimit))
        << "the strip stayed at " << Height(main) << " pixels";

    ASSERT_TRUE(CloseProgram(program, main));
    GridFile expected;
    expected.Set(0, 1, memo, L"memo", L"予定のメモ");
    const std::string stored = ReadBytes(folder.File(L"TRUN.dat")).value_or("<missing>");
    EXPECT_EQ(stored, expected.Bytes());
    const std::vector<std::string> lines = SplitLines(stored);
    ASSERT_GE(lines.size(), 6u);
    EXPECT_EQ(FromCp932(lines[3]), memo);
    EXPECT_EQ(FromCp932(lines[4]), L"memo");
    EXPECT_EQ(FromCp932(lines[5]), L"予定のメモ");
}

TEST_F(Drop, ShortcutBringsItsTargetNotItself) {
    Start();
    const std::wstring documents = folder.File(L"資料 フォルダ");
    ASSERT_TRUE(CreateDirectoryW(documents.c_str(), nullptr));
    const std::wstring target = JoinPath(documents, L"週報 まとめ.txt");
    WriteBytes(target, "report\r\n");
    const std::wstring link = folder.File(L"週報.lnk");
    ASSERT_TRUE(MakeShortcut(link, target));
    ASSERT_TRUE(FileExists(link));

    DropOnRunButton1({link});
    ExpectPrepared(target);
}

TEST_F(Drop, OnlyTheFirstOfSeveralFilesIsPrepared) {
    Start();
    const std::wstring first = MakeFile(L"一番目.txt");
    const std::wstring second = MakeFile(L"二番目.txt");
    const std::wstring third = MakeFile(L"三番目.txt");
    DropOnRunButton1({first, second, third});
    ExpectPrepared(first);
}

TEST_F(Drop, OccupiedSlotIsReportedAndKeptClosed) {
    const std::wstring editor = MakeFile(L"editor.exe");
    GridFile launchers;
    launchers.Set(0, 1, editor, L"ed", L"エディタ");
    WriteBytes(folder.File(L"Tolv.ini"), Lines(DefaultSettingsLines()));
    WriteBytes(folder.File(L"TURL.dat"), GridFile().Bytes());
    WriteBytes(folder.File(L"TRUN.dat"), launchers.Bytes());
    Start();

    const std::wstring memo = MakeFile(L"メモ.txt");
    DropOnRunButton1({memo});
    // The pointer stays on the strip, so the caption is not taken over by the clock.
    EXPECT_TRUE(WaitUntil([&] { return TextOf(caption) == kAlreadyRegistered; }, kAnswerLimit))
        << "the caption shows " << Narrow(TextOf(caption));
    EXPECT_FALSE(WaitUntil([&] { return Height(main) != kCollapsed; }, kQuietPeriod))
        << "the strip opened to " << Height(main) << " pixels";
    // The fields show the slot under the drag, not the dropped file.
    EXPECT_EQ(TextOf(pathT), editor);
    EXPECT_EQ(TextOf(caption), kAlreadyRegistered);

    ASSERT_TRUE(CloseProgram(program, main));
    EXPECT_EQ(ReadBytes(folder.File(L"TRUN.dat")).value_or("<missing>"), launchers.Bytes());
}

TEST_F(Drop, PlacesThatTakeNoDropsRefuseIt) {
    Start();
    const std::wstring memo = MakeFile(L"メモ.txt");
    const DropOutcome outcome = DropFiles(OnScreen(main, {130, 10}), {memo});  // on the caption strip
    EXPECT_EQ(outcome.effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_FALSE(WaitUntil([&] { return Height(main) != kCollapsed; }, kQuietPeriod));
    EXPECT_EQ(TextOf(pathT), L"");
}

}  // namespace
