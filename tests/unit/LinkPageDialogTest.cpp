// The link page dialog in the running launcher, opened as a person opens it: the options dialog, the
// item editor of the URL grid, its "作成". Its opening, the browse with the name completion, making
// the page (and failing to), cancel and the close box, each giving the editor back.
#include "LauncherFixture.h"
#include "dialogs/linkpage/HTMLGF.h"
#include "dialogs/linkpage/LinkPage.h"

namespace {

using dialogs::HTMLGF;

class LinkPageDialogTest : public LauncherTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(start());
        headless::rightClick(mainF().IconV);
        ASSERT_NE(launcher->optionsDialog(), nullptr);
        headless::click(launcher->optionsDialog()->Command5);
        ASSERT_NE(editor(), nullptr);
        fake.messageBoxes.clear();
    }

    dialogs::ItemOptF* editor() const { return launcher->itemEditor(); }
    HTMLGF* dialog() const { return launcher->linkPageDialog(); }

    HTMLGF& open() {
        headless::click(editor()->Command7);
        EXPECT_NE(dialog(), nullptr);
        return *dialog();
    }

    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& box : fake.messageBoxes)
            texts.push_back(box.text);
        return texts;
    }
};

TEST_F(LinkPageDialogTest, OpensOverTheHiddenEditorWithTheDefaultNameAndNoOption) {
    HTMLGF& dialog = open();
    EXPECT_FALSE(editor()->visible());
    EXPECT_TRUE(dialog.visible());
    EXPECT_EQ(dialog.caption(), "Tolvane Link HTML File Generator");
    EXPECT_EQ(dialog.owner(), &mainF());
    EXPECT_EQ(dialog.clientWidth(), 287);
    EXPECT_EQ(dialog.clientHeight(), 251);
    // At the editor's left edge, centred on it from top to bottom.
    EXPECT_EQ(dialog.left(), editor()->left());
    EXPECT_NEAR(dialog.top(), editor()->top() + (editor()->height() - dialog.height()) / 2,
                dialog.twipsPerPixelY());  // whole pixels

    EXPECT_EQ(dialog.FileNB.text(), "C:\\Tolvane\\tolvurl.html");
    for (forms::CheckBox* check : {&dialog.Check1, &dialog.Check2, &dialog.Check3, &dialog.Check4})
        EXPECT_EQ(check->value(), 0) << check->name();
}

TEST_F(LinkPageDialogTest, BrowseCompletesTheExtensionAndACancelRestoresTheNameAsEdited) {
    HTMLGF& dialog = open();
    struct Case {
        const char* chosen;
        const char* becomes;
    };
    const Case cases[] = {
        {"C:\\Web\\links.html", "C:\\Web\\links.html"},
        {"C:\\Web\\links.htm", "C:\\Web\\links.htm"},
        {"C:\\Web\\LINKS.HTML", "C:\\Web\\LINKS.HTML.html"},
        {"C:\\Web\\x.txt", "C:\\Web\\x.txt.html"},
        {"C:\\Web\\name", "C:\\Web\\name.html"},
    };
    for (const Case& c : cases) {
        fake.dialogResults.push_back(c.chosen);
        headless::click(dialog.Command3);
        EXPECT_EQ(dialog.FileNB.text(), c.becomes) << c.chosen;
    }
    ASSERT_EQ(fake.dialogs.size(), 5u);
    const platform::OpenDialogRequest& request = fake.dialogs[0];
    EXPECT_EQ(request.owner, dialog.handle());
    EXPECT_EQ(request.filters, (std::vector<platform::FilterPair>{{"ハイパーテキスト(*.html)", "*.html"},
                                                                  {"ハイパーテキスト(*.htm)", "*.htm"},
                                                                  {"全てのファイル(*.*)", "*.*"}}));
    EXPECT_EQ(request.filterIndex, 2);

    dialog.FileNB.notifyEdited("D:\\by hand.txt", {14, 0});
    headless::click(dialog.Command3);  // the person cancels: the fake answers ""
    EXPECT_EQ(dialog.FileNB.text(), "D:\\by hand.txt");
}

TEST_F(LinkPageDialogTest, MakeWritesThePageOfTheGridInMemorySaysSoAndGivesTheEditorBack) {
    s().UrlItems(0, 1) = {"http://a.jp/", "a", "えー"};  // not saved yet: the page shows it all the same
    HTMLGF& dialog = open();
    headless::click(dialog.Check1);
    headless::click(dialog.Check4);
    headless::pressKey(dialog, forms::kKeyReturn);  // makes the page, from the check box

    std::string text;
    for (const std::string& line : dialogs::LinkPageLines(s().UrlItems, {1, 0, 0, 1}))
        text += line + "\r\n";
    const std::string page = file("tolvurl.html");
    EXPECT_EQ(page, *platform::toCp932(text));
    EXPECT_NE(page.find("http://a.jp/"), std::string::npos);
    EXPECT_EQ(messages(), std::vector<std::string>{"作成しました"});
    EXPECT_EQ(launcher->linkPageDialog(), nullptr);
    EXPECT_TRUE(editor()->visible());

    // A new opening starts again from the default name with every option cleared.
    HTMLGF& again = open();
    EXPECT_EQ(again.FileNB.text(), "C:\\Tolvane\\tolvurl.html");
    EXPECT_EQ(again.Check1.value() + again.Check4.value(), 0);
}

TEST_F(LinkPageDialogTest, AFailedMakeNamesTheFileAndWhyAndTheDialogStaysForAnotherName) {
    HTMLGF& dialog = open();
    dialog.FileNB.setText("C:\\Missing\\links.html");
    headless::click(dialog.Command1);
    EXPECT_EQ(messages(),
              std::vector<std::string>{
                  "C:\\Missing\\links.html\r\nを作成できませんでした。\r\n指定されたパスが見つかりません。"});
    EXPECT_EQ(launcher->linkPageDialog(), &dialog);
    EXPECT_FALSE(editor()->visible());

    dialog.FileNB.setText("C:\\Tolvane\\links.html");
    headless::click(dialog.Command1);
    EXPECT_TRUE(fake.exists("C:\\Tolvane\\links.html"));
    EXPECT_EQ(messages().back(), "作成しました");
    EXPECT_EQ(launcher->linkPageDialog(), nullptr);
}

TEST_F(LinkPageDialogTest, CancelTheCloseBoxAndTheEndWriteNothingAndGiveTheEditorBack) {
    fake.writes.clear();
    headless::click(open().Command2);
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_TRUE(editor()->visible());
    headless::closeBox(open());
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_TRUE(editor()->visible());
    headless::pressKey(open(), forms::kKeyEscape);
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_TRUE(editor()->visible());
    EXPECT_TRUE(fake.writes.empty());
    EXPECT_TRUE(fake.messageBoxes.empty());

    // The close label with the dialog open: it goes with the rest, and only the stored files are saved.
    open();
    launcher->End();
    EXPECT_EQ(dialog(), nullptr);
    EXPECT_EQ(editor(), nullptr);
    EXPECT_FALSE(fake.exists("C:\\Tolvane\\tolvurl.html"));
}

}  // namespace
