// The link page made from tolvane.exe as a person makes it: the options dialog, the item editor of the
// URL grid, its "作成", then the link page dialog. With TOLVANE_SHOTS set to a host folder, the dialog is
// photographed there, and the message of a page that could not be written.
#include "Harness.h"

#include <gtest/gtest.h>

using namespace e2e;

namespace {

constexpr const wchar_t* kOptions = L"Tolvane Option";
constexpr const wchar_t* kEditor = L"Tolvane registered Item option";
constexpr const wchar_t* kLinkPage = L"Tolvane Link HTML File Generator";

void Press(HWND button) {
    ASSERT_NE(button, nullptr);
    PostMessageW(button, BM_CLICK, 0, 0);
}

bool Visible(HWND window) {
    return IsWindow(window) && IsWindowVisible(window);
}

class LinkPage : public ::testing::Test {
  protected:
    // The strip on a URL grid of two addresses, the item editor of that grid open.
    void SetUp() override {
        TOLVANE_REQUIRE_PROGRAM();
        GridFile urls;
        urls.Set(3, 2, L"http://b.jp/?q=1&r=<2>", L"b", L"ビー & \"B\"");
        urls.Set(0, 1, L"http://a.jp/", L"a", L"えー");
        ASSERT_TRUE(session_.Start(SettingsWith({}), urls, GridFile()));
        PostRightClick(session_.Control(7, 6, 16, 16), 2, 2);
        HWND options = WaitForWindow(kFormClass, kOptions, pid());
        ASSERT_NE(options, nullptr);
        Press(ChildByText(options, L"ＵＲＬ編集"));
        editor_ = WaitForWindow(kFormClass, kEditor, pid());
        ASSERT_NE(editor_, nullptr);
    }

    DWORD pid() const { return session_.program.Id(); }

    // The editor's "作成": the link page dialog, with the editor hidden behind it.
    HWND OpenLinkPage() {
        Press(ChildByText(editor_, L"作成"));
        HWND dialog = WaitForWindow(kFormClass, kLinkPage, pid());
        EXPECT_NE(dialog, nullptr);
        EXPECT_TRUE(WaitUntil([&] { return !Visible(editor_); }, kAnswerLimit));
        return dialog;
    }

    // The file name box: the one edit control of the dialog.
    static HWND FileBox(HWND dialog) {
        for (HWND child : Children(dialog)) {
            if (ClassOf(child) == L"Edit")
                return child;
        }
        return nullptr;
    }

    StripSession session_;
    HWND editor_ = nullptr;
};

TEST_F(LinkPage, AllOptionsMakeThePageByteForByteAndTheEditorComesBack) {
    HWND dialog = OpenLinkPage();
    ASSERT_NE(dialog, nullptr);
    const std::wstring page = session_.folder.File(L"tolvurl.html");
    EXPECT_EQ(TextOf(FileBox(dialog)), page);
    Photograph(ScreenRect(dialog), "linkpage");

    for (const wchar_t* option : {L"リンク先のアドレスをつける", L"リンク部分の字下げを行う",
                                  L"コメント行を加える", L"タイトル下とページ末尾にラインを引く"}) {
        HWND check = ChildByText(dialog, option);
        Press(check);
        EXPECT_TRUE(
            WaitUntil([&] { return SendMessageW(check, BM_GETCHECK, 0, 0) == BST_CHECKED; }, kAnswerLimit))
            << Narrow(option);
    }
    Press(ChildByText(dialog, L"Link HTMLの作成"));
    HWND box = WaitForMessageBox(pid(), kAnswerLimit);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"作成しました");
    AnswerMessageBox(box, IDOK);

    EXPECT_TRUE(WaitForWindowGone(dialog));
    EXPECT_TRUE(WaitUntil([&] { return Visible(editor_); }, kAnswerLimit));
    EXPECT_EQ(ReadBytes(page), Lines({L"<html>",
                                      L"",
                                      L"<head>",
                                      L"<title>Tolvane/Bivek Launcher 登録URLリスト</title>",
                                      L"</head>",
                                      L"",
                                      L"<body bgcolor=\"#FFFFFF\" text=\"#000000\">",
                                      L"",
                                      L"<p>Tolvane/Bivek Launcher 登録URLリスト</p>",
                                      L"",
                                      L"<hr>",
                                      L"<blockquote>",
                                      L"<p>えー<br>",
                                      L"<a href=\"http://a.jp/\">http://a.jp/</a></p>",
                                      L"<p>ここにコメントを挿入</p>",
                                      L"</blockquote>",
                                      L"<blockquote>",
                                      L"<p>ビー & \"B\"<br>",
                                      L"<a href=\"http://b.jp/?q=1&r=<2>\">http://b.jp/?q=1&r=<2></a></p>",
                                      L"<p>ここにコメントを挿入</p>",
                                      L"</blockquote>",
                                      L"<hr>",
                                      L"</body>",
                                      L"</html>"}));
}

TEST_F(LinkPage, BrowseCompletesTheNameAFailureKeepsTheDialogAndCancelWritesNothing) {
    HWND dialog = OpenLinkPage();
    ASSERT_NE(dialog, nullptr);
    HWND fileBox = FileBox(dialog);

    // The system's open dialog: the person types a name that does not exist yet.
    Press(ChildByText(dialog, L"参照"));
    HWND chooser = WaitForWindow(L"#32770", L"ファイルを開く", pid(), kAnswerLimit);
    ASSERT_NE(chooser, nullptr);
    const std::wstring chosen = session_.folder.File(L"links.txt");
    SetText(GetDlgItem(chooser, 0x47C), chosen);
    Press(GetDlgItem(chooser, IDOK));
    EXPECT_TRUE(WaitUntil([&] { return TextOf(fileBox) == chosen + L".html"; }, kAnswerLimit))
        << Narrow(TextOf(fileBox));

    // A folder that does not exist: the file and the reason are named, and the dialog stays.
    const std::wstring nowhere = session_.folder.File(L"nowhere\\links.html");
    SetText(fileBox, nowhere);
    Press(ChildByText(dialog, L"Link HTMLの作成"));
    HWND box = WaitForMessageBox(pid(), kAnswerLimit);
    ASSERT_NE(box, nullptr);
    const std::wstring text = MessageBoxText(box);
    EXPECT_EQ(text.rfind(nowhere + L"\r\nを作成できませんでした。\r\n", 0), 0u) << Narrow(text);
    EXPECT_GT(text.size(), nowhere.size() + 18) << "no reason given";
    Photograph(ScreenRect(box), "linkpage-failed");
    AnswerMessageBox(box, IDOK);
    EXPECT_TRUE(WaitForWindowGone(box));
    EXPECT_TRUE(Visible(dialog));
    EXPECT_FALSE(Visible(editor_));

    Press(ChildByText(dialog, L"キャンセル"));
    EXPECT_TRUE(WaitForWindowGone(dialog));
    EXPECT_TRUE(WaitUntil([&] { return Visible(editor_); }, kAnswerLimit));
    EXPECT_FALSE(FileExists(session_.folder.File(L"tolvurl.html")));
    EXPECT_FALSE(FileExists(chosen + L".html"));
    EXPECT_FALSE(HasMessageBox(pid()));
}

}  // namespace
