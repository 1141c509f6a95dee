#include <memory>

#include "FakePlatform.h"
#include "LauncherFixture.h"
#include "RecordingHost.h"
#include "dialogs/options/OptF.h"
#include "dialogs/skins/SkinForm.h"

namespace {

using headless::click;
using headless::pickListEntry;

class SkinFormTest : public LauncherTest {
  protected:
    SkinFormTest() {
        // Listed as dark.skn, nopic.skn, red.skn, softblue.skn.
        fake.addFile(std::string(kFolder) + "\\skins\\dark.skn",
                     *platform::toCp932("Meiryo UI\r\n16777215\r\ndark.bmp\r\ndark@2x.bmp\r\n"));
        addSkin("red.skn", "MS UI Gothic", 255, "red.bmp");
        addSkin("nopic.skn", "ＭＳ ゴシック", 32768, "nopic.bmp");
        for (const char* picture : {"dark.bmp", "dark@2x.bmp", "red.bmp"})
            fake.addFile(std::string(kFolder) + "\\skins\\" + picture, "BM");
        writeSettings();
    }

    void open(const std::string& configured = "softblue.skn") {
        dialog.reset();
        ASSERT_TRUE(start());
        s().SkinFile = configured;
        fake.messageBoxes.clear();
        fake.writes.clear();
        host = std::make_unique<fake::RecordingHost>(mainF());
        dialog = std::make_unique<dialogs::SkinForm>(backend, *host, s(), fake);
        dialog->load();
    }

    // The font and colour of every control of the strip, and its picture.
    std::vector<std::pair<forms::Font, forms::Color>> stripLook() {
        std::vector<std::pair<forms::Font, forms::Color>> look;
        for (const forms::Control* c : mainF().controls())
            look.emplace_back(c->font(), c->foreColor());
        return look;
    }
    const fake::FakePicture* preview() const {
        return dynamic_cast<const fake::FakePicture*>(dialog->Picture1.picture().get());
    }
    // The font sample: exactly one text on the preview.
    const forms::DrawnText& sample() const {
        EXPECT_EQ(dialog->Picture1.drawnTexts().size(), 1u);
        return dialog->Picture1.drawnTexts().at(0);
    }

    std::unique_ptr<fake::RecordingHost> host;
    std::unique_ptr<dialogs::SkinForm> dialog;
};

TEST_F(SkinFormTest, OpensWithTheConfiguredSkinOrTheFirstOnePreviewed) {
    const struct {
        const char *configured, *selected, *picture, *doubleSize, *face;
    } cases[] = {
        {"softblue.skn", "softblue.skn", "softblue.bmp", "", "ＭＳ Ｐゴシック"},
        {"red.skn", "red.skn", "red.bmp", "", "MS UI Gothic"},
        {"gone.skn", "dark.skn", "dark.bmp", "C:\\Tolvane\\skins\\dark@2x.bmp", "Meiryo UI"},
        {"SOFTBLUE.skn", "dark.skn", "dark.bmp", "C:\\Tolvane\\skins\\dark@2x.bmp", "Meiryo UI"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.configured);
        open(c.configured);
        EXPECT_EQ(dialog->SF.list(),
                  (std::vector<std::string>{"dark.skn", "nopic.skn", "red.skn", "softblue.skn"}));
        EXPECT_EQ(dialog->SF.fileName(), c.selected);
        ASSERT_NE(preview(), nullptr);
        EXPECT_EQ(preview()->path, std::string("C:\\Tolvane\\skins\\") + c.picture);
        EXPECT_EQ(preview()->doubleSizePath, c.doubleSize);  // as crisp as the strip on a scaled screen
        EXPECT_EQ(sample().text, "フォントサンプル");
        EXPECT_EQ(sample().font.face, c.face);
        EXPECT_EQ(std::make_pair(sample().x, sample().y), std::make_pair(124, 8));
    }
}

TEST_F(SkinFormTest, BrowsingThenClosingWithoutOkChangesNothing) {
    for (const char* way : {"cancel", "close box", "Esc"}) {
        SCOPED_TRACE(way);
        open();
        const auto look = stripLook();
        const forms::PicturePtr picture = mainF().picture();
        const std::string ini = file("Tolv.ini");
        for (int i = 0; i < dialog->SF.listCount(); ++i)
            pickListEntry(dialog->SF, i);
        EXPECT_EQ(sample().color, 6303790u);  // the last entry: softblue
        if (way == std::string("cancel"))
            click(dialog->Command2);
        else if (way == std::string("close box"))
            headless::closeBox(*dialog);
        else
            headless::pressKey(*dialog, forms::kKeyEscape);

        EXPECT_FALSE(dialog->loaded());
        EXPECT_TRUE(stripLook() == look);
        EXPECT_EQ(mainF().picture(), picture);
        EXPECT_EQ(s().SkinFile, "softblue.skn");
        EXPECT_EQ(file("Tolv.ini"), ini);
        EXPECT_TRUE(fake.writes.empty());
        EXPECT_EQ(host->calls, std::vector<std::string>{"ReturnToOptions"});
    }
}

TEST_F(SkinFormTest, OkAppliesTheSkinToExactlyTheFourLabelsAndSavesIt) {
    open();
    const auto before = stripLook();
    pickListEntry(dialog->SF, 2);
    headless::pressKey(*dialog, forms::kKeyReturn);  // OK, from the list that has the focus

    EXPECT_FALSE(dialog->loaded());
    EXPECT_EQ(s().SkinFile, "red.skn");
    EXPECT_NE(file("Tolv.ini").find("IEXPLORE.EXE\r\nred.skn\r\n"), std::string::npos);  // line 4
    const auto after = stripLook();
    for (std::size_t i = 0; i < after.size(); ++i) {
        const forms::Control* c = mainF().controls()[i];
        SCOPED_TRACE(c->name());
        auto expected = before[i];
        if (c == &mainF().PageV || c == &mainF().ViewCaption || c == &mainF().zoL || c == &mainF().Label4)
            expected = {{"MS UI Gothic", before[i].first.points, before[i].first.bold}, 255};  // red
        EXPECT_TRUE(after[i] == expected);
    }
    const auto* picture = dynamic_cast<const fake::FakePicture*>(mainF().picture().get());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->path, "C:\\Tolvane\\skins\\red.bmp");
    EXPECT_EQ(host->calls,
              (std::vector<std::string>{"ApplySkin C:\\Tolvane\\skins\\red.skn", "ShowCurrentSkin red.skn",
                                        "DrawPanelIcons C:\\Tolvane\\tolvane.exe", "ReturnToOptions"}));
}

TEST_F(SkinFormTest, MissingFilesNeverLeaveTheStripUnusable) {
    // A skin file that vanished after the listing: no preview, no message; OK refuses it.
    open();
    fake.removeFile("C:\\Tolvane\\skins\\red.skn");
    pickListEntry(dialog->SF, 2);
    EXPECT_EQ(preview()->path, "C:\\Tolvane\\skins\\softblue.bmp");
    EXPECT_EQ(sample().font.face, "ＭＳ Ｐゴシック");
    EXPECT_TRUE(fake.messageBoxes.empty());
    click(dialog->Command1);
    EXPECT_TRUE(dialog->loaded());
    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.messageBoxes[0].text,
              "C:\\Tolvane\\skins\\red.skn\r\nスキンファイルを読み込めません。\r\nファイルを開けません。");
    EXPECT_EQ(s().SkinFile, "softblue.skn");
    EXPECT_TRUE(fake.writes.empty());

    // A missing picture: the preview keeps the old one but shows the new font; OK applies the skin on a
    // plain background, says so once, and keeps the choice.
    open();
    pickListEntry(dialog->SF, 1);
    EXPECT_EQ(preview()->path, "C:\\Tolvane\\skins\\softblue.bmp");
    EXPECT_EQ(sample().color, 32768u);
    click(dialog->Command1);
    EXPECT_FALSE(dialog->loaded());
    EXPECT_EQ(mainF().picture(), nullptr);
    EXPECT_EQ(mainF().ViewCaption.foreColor(), 32768u);
    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.messageBoxes[0].text, "C:\\Tolvane\\skins\\nopic.bmp\r\nスキンの画像を読み込めません。");
    EXPECT_EQ(s().SkinFile, "nopic.skn");
    EXPECT_EQ(fake.writes.size(), 3u);
}

TEST_F(SkinFormTest, AnEmptySkinsFolderListsNothingAndOkDoesNothing) {
    for (const char* name : {"dark.skn", "red.skn", "nopic.skn", "softblue.skn"})
        fake.removeFile(std::string(kFolder) + "\\skins\\" + name);
    open();
    EXPECT_EQ(dialog->SF.listCount(), 0);
    EXPECT_EQ(dialog->Picture1.picture(), nullptr);
    click(dialog->Command1);
    EXPECT_TRUE(dialog->loaded());
    EXPECT_TRUE(host->calls.empty());
    EXPECT_TRUE(fake.writes.empty());
    EXPECT_TRUE(fake.messageBoxes.empty());
}

// Through the real launcher: in the options dialog's place while it hides, and closed before it.
TEST_F(SkinFormTest, OpensFromTheOptionsInTheirPlaceAndClosesBeforeThem) {
    ASSERT_TRUE(start());
    headless::rightClick(mainF().IconV);
    dialogs::OptF* options = launcher->optionsDialog();
    ASSERT_NE(options, nullptr);
    click(options->Command4);
    dialogs::SkinForm* skins = launcher->skinDialog();
    ASSERT_NE(skins, nullptr);
    EXPECT_FALSE(options->visible());
    EXPECT_TRUE(skins->visible());
    EXPECT_EQ(skins->left(), options->left());
    EXPECT_NEAR(skins->top(), options->top() + (options->height() - skins->height()) / 2, 15);  // to a pixel

    pickListEntry(skins->SF, 2);
    click(skins->Command1);
    EXPECT_EQ(launcher->skinDialog(), nullptr);
    EXPECT_TRUE(options->visible());
    EXPECT_EQ(options->skinC.caption(), "red.skn");
    EXPECT_EQ(mainF().ViewCaption.foreColor(), 255u);

    // An options dialog moved half off the screen opens the skin dialog whole on the strip's monitor.
    options->move(1200 * 15.0, 700 * 15.0);
    click(options->Command4);
    ASSERT_NE(launcher->skinDialog(), nullptr);
    const forms::Rect placed = launcher->skinDialog()->pixelBounds();
    EXPECT_EQ(placed.left + placed.width, 1280);
    EXPECT_EQ(placed.top + placed.height, 800);
    launcher->End();
    EXPECT_EQ(launcher->skinDialog(), nullptr);
    EXPECT_EQ(launcher->optionsDialog(), nullptr);
    EXPECT_NE(file("Tolv.ini").find("IEXPLORE.EXE\r\nred.skn\r\n"), std::string::npos);
}

}  // namespace
