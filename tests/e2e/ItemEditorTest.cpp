// The item editor of the real program, opened from the options dialog as a person opens it: a new
// registration moved across a page and kept by OK, the link check on a file deleted meanwhile, the
// editor of the URL grid, and a move in the editor followed by a store on the strip, by real input.
// Controls are found by caption and kind, so the scenarios run at any screen scale; with TOLVANE_SHOTS
// set to a host folder the editor is photographed there.
#include "Harness.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace e2e;

namespace {

const wchar_t kEditorCaption[] = L"Tolvane registered Item option";

void Click(HWND button) {
    ASSERT_NE(button, nullptr);
    PostMessageW(button, BM_CLICK, 0, 0);
}

// The child windows of a class, top to bottom.
std::vector<HWND> ChildrenOfClass(HWND parent, const std::wstring& className) {
    std::vector<HWND> found;
    for (HWND child : Children(parent))
        if (ClassOf(child) == className)
            found.push_back(child);
    std::sort(found.begin(), found.end(),
              [](HWND a, HWND b) { return ScreenRect(a).top < ScreenRect(b).top; });
    return found;
}

// A real click of the pointer at the middle of a window: "1" the left button, "3" the right. The pause
// lets the move arrive before the press, as a person's hand does.
::testing::AssertionResult RealClick(HWND window, const char* button = "1") {
    if (!window)
        return ::testing::AssertionFailure() << "no window to click";
    const RECT r = ScreenRect(window);
    if (!Xdotool("mousemove " + std::to_string((r.left + r.right) / 2) + " " +
                 std::to_string((r.top + r.bottom) / 2) + " sleep 0.2 click " + button))
        return ::testing::AssertionFailure() << "xdotool failed";
    return ::testing::AssertionSuccess();
}

class ItemEditor : public ::testing::Test {
  protected:
    void SetUp() override { TOLVANE_REQUIRE_PROGRAM(); }

    // The options dialog by a right click on the mode icon, then its "ランチャー編集" or "ＵＲＬ編集".
    void OpenEditor(const wchar_t* button = L"ランチャー編集") {
        HWND icon = session.Control(7, 6, 16, 16);
        ASSERT_NE(icon, nullptr);
        PostRightClick(icon, 2, 2);
        options = WaitForWindow(kFormClass, L"Tolvane Option", session.program.Id());
        ASSERT_NE(options, nullptr) << "no options dialog";
        EXPECT_TRUE(BecomesForeground(options)) << "the options dialog takes the keyboard";
        Click(ChildByText(options, button));
        editor = WaitForWindow(kFormClass, kEditorCaption, session.program.Id());
        ASSERT_NE(editor, nullptr) << "no item editor";
        EXPECT_TRUE(BecomesForeground(editor)) << "the item editor takes the keyboard";
        EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(options); }, kAnswerLimit))
            << "options stay shown";
        const auto lists = ChildrenOfClass(editor, L"ListBox");
        ASSERT_EQ(lists.size(), 1u);
        list = lists[0];
        fields = ChildrenOfClass(ChildByText(editor, L"登録項目"), L"Edit");
        ASSERT_EQ(fields.size(), 3u) << "TitleT, BatchT, PathT";
        ASSERT_TRUE(WaitUntil([&] { return ListSelection(list) == 0; }, kAnswerLimit));
    }

    static bool BecomesForeground(HWND window) {
        return WaitUntil([&] { return GetForegroundWindow() == window; }, kAnswerLimit);
    }

    bool SelectionBecomes(int position) {
        return WaitUntil([&] { return ListSelection(list) == position; }, kAnswerLimit);
    }

    StripSession session;
    HWND options = nullptr;
    HWND editor = nullptr;
    HWND list = nullptr;
    std::vector<HWND> fields;
};

TEST_F(ItemEditor, NewItemMovedDownAcrossAPageIsSavedThereByOk) {
    const std::wstring exe = session.folder.Exe();
    GridFile launchers;
    launchers.Set(0, 0, exe, L"tv", L"自分");
    launchers.Set(0, 1, exe, L"t2", L"二つ目");
    ASSERT_TRUE(session.Start(SettingsWith({}), GridFile(), launchers));
    OpenEditor();
    ASSERT_FALSE(HasFatalFailure());

    // Every control where the table puts it, on the screen's scale.
    RECT client{};
    GetClientRect(editor, &client);
    EXPECT_EQ(client.right, ScaledRect(0, 0, 408, 358).right);
    EXPECT_EQ(client.bottom, ScaledRect(0, 0, 408, 358).bottom);
    const struct {
        const wchar_t* caption;
        int left, top, width, height;  // in the window, or in the frame that holds it
    } placed[] = {{L"ランチャー", 8, 8, 81, 17},      {L"↑", 168, 90, 25, 25},
                  {L"↓", 168, 122, 25, 25},           {L"登録場所：", 200, 90, 57, 17},
                  {L" 1", 257, 90, 25, 17},           {L"上書き登録", 328, 74, 73, 25},
                  {L"新規登録", 328, 106, 73, 25},    {L"削除", 328, 146, 73, 25},
                  {L"チェックする", 64, 16, 116, 26}, {L"登録ファイルの移動、削除チェック", 167, 5, 241, 49},
                  {L"登録項目", 168, 170, 233, 153},  {L"登録名", 8, 24, 49, 17},
                  {L"省略名", 8, 64, 41, 17},         {L"パス、URL", 8, 104, 65, 17},
                  {L"OK", 320, 329, 81, 25}};
    for (const auto& p : placed) {
        HWND control = ChildByText(editor, p.caption);
        ASSERT_NE(control, nullptr) << Narrow(p.caption);
        const RECT expected = ScaledRect(p.left, p.top, p.width, p.height);
        const RECT actual = RectInParent(control);
        EXPECT_TRUE(EqualRect(&expected, &actual)) << Narrow(p.caption);
    }
    const RECT listRect = RectInParent(list);
    const RECT listExpected = ScaledRect(8, 32, 153, 316);
    EXPECT_TRUE(EqualRect(&listExpected, &listRect));
    EXPECT_EQ(TextOf(fields[0]), L"自分");
    Photograph(ScreenRect(editor), "item-editor");

    ASSERT_TRUE(SetText(fields[0], L"メモ帳"));
    ASSERT_TRUE(SetText(fields[1], L"mm"));
    ASSERT_TRUE(SetText(fields[2], exe));
    Click(ChildByText(editor, L"新規登録"));
    ASSERT_TRUE(SelectionBecomes(2)) << "the new item takes the first free slot";
    EXPECT_EQ(ListEntries(list).at(2), L"メモ帳");
    Click(ChildByText(editor, L"↓"));
    ASSERT_TRUE(SelectionBecomes(3));
    Click(ChildByText(editor, L"↓"));
    ASSERT_TRUE(SelectionBecomes(4)) << "page 1, slot 0";
    const auto entries = ListEntries(list);
    ASSERT_EQ(entries.size(), 64u);
    EXPECT_EQ(entries[2], kEmptyMarker);
    EXPECT_EQ(entries[4], L"メモ帳");

    Click(ChildByText(editor, L"OK"));
    EXPECT_TRUE(WaitForWindowGone(editor));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(options) != FALSE; }, kAnswerLimit))
        << "the options dialog shows again";
    EXPECT_TRUE(BecomesForeground(options)) << "and takes the keyboard again";
    GridFile expected = launchers;
    expected.Set(1, 0, exe, L"mm", L"メモ帳");
    EXPECT_TRUE(WaitUntil([&] { return ReadBytes(session.folder.File(L"TRUN.dat")) == expected.Bytes(); },
                          kAnswerLimit))
        << "TRUN.dat holds the item at page 1, slot 0";
}

TEST_F(ItemEditor, LinkCheckAsksOnceAboutADeletedFileAndYesRemovesIt) {
    const std::wstring doomed = session.folder.File(L"消える.txt");
    WriteBytes(doomed, "x");
    GridFile launchers;
    launchers.Set(0, 0, session.folder.Exe(), L"tv", L"自分");
    launchers.Set(0, 3, doomed, L"k", L"消える");
    ASSERT_TRUE(session.Start(SettingsWith({}), GridFile(), launchers));
    ASSERT_TRUE(DeleteFileW(doomed.c_str()));
    OpenEditor();
    ASSERT_FALSE(HasFatalFailure());

    Click(ChildByText(editor, L"チェックする"));
    HWND box = WaitForMessageBox(session.program.Id());
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box),
              doomed + L"\r\nは移動、または削除されています。\r\n登録から削除しますか？");
    ASSERT_TRUE(AnswerMessageBox(box, IDYES));
    ASSERT_TRUE(WaitForWindowGone(box));
    EXPECT_EQ(MessageBoxDuringQuietPeriod(session.program), nullptr) << "one question, and no note";

    GridFile expected = launchers;
    expected.Clear(0, 3);
    EXPECT_EQ(ReadBytes(session.folder.File(L"TRUN.dat")), expected.Bytes()) << "saved at once";
    EXPECT_EQ(ListEntries(list).at(3), kEmptyMarker) << "the list shows the removal";
}

TEST_F(ItemEditor, UrlGridOpensWithItsOwnCaptions) {
    GridFile urls;
    urls.Set(0, 0, L"http://example.com/", L"ex", L"例");
    ASSERT_TRUE(session.Start(SettingsWith({}), urls, GridFile()));
    OpenEditor(L"ＵＲＬ編集");
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_EQ(TextOf(fields[2]), L"http://example.com/");
    for (const wchar_t* caption : {L"ＵＲＬ", L"登録URLのリストを作成", L"作成"})
        EXPECT_NE(ChildByText(editor, caption), nullptr) << Narrow(caption);
    Photograph(ScreenRect(editor), "item-editor-url");
}

// A registration moved in the editor while the strip is open on its slot: the strip shows the slot as
// it now stands, so that Enter, Enter stores what it shows and no item is lost.
TEST_F(ItemEditor, MoveInTheEditorThenAStoreOnTheStripKeepsBothItems) {
    const std::wstring exe = session.folder.Exe();
    GridFile launchers;
    launchers.Set(0, 0, exe, L"a", L"AAA");
    launchers.Set(0, 1, exe, L"b", L"BBB");
    ASSERT_TRUE(session.Start(SettingsWith({}), GridFile(), launchers));
    HWND titleT = session.Control(8, 43, 210, 18);
    ASSERT_NE(titleT, nullptr);
    ASSERT_TRUE(RealClick(session.Control(45, 4, 15, 20), "3"));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(titleT) && TextOf(titleT) == L"AAA"; }, kAnswerLimit))
        << "the strip opens on AAA";

    ASSERT_TRUE(RealClick(session.Control(7, 6, 16, 16), "3"));
    options = WaitForWindow(kFormClass, L"Tolvane Option", session.program.Id());
    ASSERT_TRUE(RealClick(ChildByText(options, L"ランチャー編集")));
    editor = WaitForWindow(kFormClass, kEditorCaption, session.program.Id());
    ASSERT_NE(editor, nullptr);
    list = ChildrenOfClass(editor, L"ListBox").at(0);
    ASSERT_TRUE(SelectionBecomes(0));
    ASSERT_TRUE(RealClick(ChildByText(editor, L"↓")));
    ASSERT_TRUE(SelectionBecomes(1));
    EXPECT_TRUE(WaitUntil([&] { return TextOf(titleT) == L"BBB"; }, kAnswerLimit))
        << "the strip still shows " << Narrow(TextOf(titleT));
    ASSERT_TRUE(RealClick(ChildByText(editor, L"OK")));
    ASSERT_TRUE(WaitForWindowGone(editor));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(options) != FALSE; }, kAnswerLimit));
    ASSERT_TRUE(RealClick(ChildByText(options, L"キャンセル")));
    ASSERT_TRUE(WaitForWindowGone(options));

    ASSERT_TRUE(RealClick(titleT));
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(titleT) == titleT; }, kAnswerLimit));
    ASSERT_TRUE(Xdotool("key Return"));
    HWND batchT = session.Control(8, 73, 210, 18);
    ASSERT_TRUE(WaitUntil([&] { return FocusOf(titleT) == batchT; }, kAnswerLimit))
        << "Enter goes on to the batch field";
    ASSERT_TRUE(Xdotool("key Return"));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowEnabled(titleT); }, kAnswerLimit)) << "the store closes the strip";
    GridFile expected;
    expected.Set(0, 0, exe, L"b", L"BBB");
    expected.Set(0, 1, exe, L"a", L"AAA");
    EXPECT_TRUE(WaitUntil([&] { return ReadBytes(session.folder.File(L"TRUN.dat")) == expected.Bytes(); },
                          kAnswerLimit))
        << "TRUN.dat holds BBB, then AAA";
}

}  // namespace
