#include <memory>

#include "FakePlatform.h"
#include "LauncherFixture.h"
#include "RecordingHost.h"
#include "dialogs/skins/SkinForm.h"

namespace {

using headless::click;
using headless::pickListEntry;

// The strip's look as the four skinned labels and every other control show it.
struct Look {
    std::vector<std::pair<forms::Font, forms::Color>> controls;
    forms::PicturePtr picture;
    bool operator==(const Look&) const = default;
};

class SkinFormTest : public LauncherTest {
  protected:
    SkinFormTest() {
        // Listed as dark.skn, nopic.skn, red.skn, softblue.skn.
        fake.addFile(std::string(kFolder) + "\\skins\\dark.skn",
                     platform::toCp932("Meiryo UI\r\n16777215\r\ndark.bmp\r\ndark@2x.bmp\r\n").text);
        fake.addFile(std::string(kFolder) + "\\skins\\dark.bmp", "BM");
        fake.addFile(std::string(kFolder) + "\\skins\\dark@2x.bmp", "BM");
        addSkin("red.skn", "MS UI Gothic", 255, "red.bmp");
        fake.addFile(std::string(kFolder) + "\\skins\\red.bmp", "BM");
        addSkin("nopic.skn", "ＭＳ ゴシック", 32768, "nopic.bmp");
        writeSettings();
    }

    void open(const std::string& configured = "softblue.skn") {
        ASSERT_TRUE(start());
        s().SkinFile = configured;
        fake.messageBoxes.clear();
        fake.writes.clear();
        host = std::make_unique<fake::RecordingHost>(mainF());
        dialog = std::make_unique<dialogs::SkinForm>(backend, s(), fake, *host);
        dialog->load();
    }

    Look look() {
        Look l{{}, mainF().picture()};
        for (const forms::Control* c : mainF().controls())
            l.controls.emplace_back(c->font(), c->foreColor());
        return l;
    }

    // Line n (from 1) of the stored settings.
    std::string iniLine(std::size_t n) const {
        const std::string text = platform::fromCp932(file("Tolv.ini")).text;
        std::size_t start = 0;
        for (std::size_t i = 1; i < n && start != std::string::npos; ++i)
            start = text.find("\r\n", start) + 2;
        return text.substr(start, text.find("\r\n", start) - start);
    }

    std::string previewPicture() const {
        const auto* picture = dynamic_cast<const fake::FakePicture*>(dialog->Picture1.picture().get());
        return picture ? picture->path : "";
    }
    const forms::DrawnText& sample() const {
        EXPECT_EQ(dialog->Picture1.drawnTexts().size(), 1u);
        return dialog->Picture1.drawnTexts().at(0);
    }

    std::unique_ptr<fake::RecordingHost> host;
    std::unique_ptr<dialogs::SkinForm> dialog;
};

TEST_F(SkinFormTest, OpensWithTheConfiguredSkinOrTheFirstOnePreviewed) {
    const struct {
        const char* configured;
        const char* selected;
        const char* picture;
        const char* face;
    } cases[] = {
        {"softblue.skn", "softblue.skn", "C:\\Tolvane\\skins\\softblue.bmp", "ＭＳ Ｐゴシック"},
        {"red.skn", "red.skn", "C:\\Tolvane\\skins\\red.bmp", "MS UI Gothic"},
        {"gone.skn", "dark.skn", "C:\\Tolvane\\skins\\dark.bmp", "Meiryo UI"},
        {"SOFTBLUE.skn", "dark.skn", "C:\\Tolvane\\skins\\dark.bmp", "Meiryo UI"},  // exact comparison
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.configured);
        open(c.configured);
        EXPECT_EQ(dialog->caption(), "Tolvane Skin option");
        EXPECT_EQ(dialog->SF.path(), "C:\\Tolvane\\skins");
        EXPECT_EQ(dialog->SF.list(),
                  (std::vector<std::string>{"dark.skn", "nopic.skn", "red.skn", "softblue.skn"}));
        EXPECT_EQ(dialog->SF.fileName(), c.selected);
        EXPECT_EQ(previewPicture(), c.picture);
        EXPECT_EQ(sample().text, "フォントサンプル");
        EXPECT_EQ(sample().font.face, c.face);
        EXPECT_EQ(std::make_pair(sample().x, sample().y), std::make_pair(124, 8));
        dialog.reset();
    }
    // The preview is as crisp as the strip on a scaled screen: the double-size drawing comes along.
    open("dark.skn");
    const auto* picture = dynamic_cast<const fake::FakePicture*>(dialog->Picture1.picture().get());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->doubleSizePath, "C:\\Tolvane\\skins\\dark@2x.bmp");
}

TEST_F(SkinFormTest, BrowsingThenClosingWithoutOkChangesNothing) {
    for (const bool byCloseBox : {false, true}) {
        SCOPED_TRACE(byCloseBox ? "close box" : "cancel");
        open();
        const Look before = look();
        const std::string ini = file("Tolv.ini");
        for (int i = 0; i < dialog->SF.listCount(); ++i)
            pickListEntry(dialog->SF, i);
        EXPECT_EQ(sample().color, 6303790u);  // the last entry: softblue
        byCloseBox ? headless::closeBox(*dialog) : click(dialog->Command2);

        EXPECT_FALSE(dialog->loaded());
        EXPECT_TRUE(look() == before);
        EXPECT_EQ(s().SkinFile, "softblue.skn");
        EXPECT_EQ(file("Tolv.ini"), ini);
        EXPECT_TRUE(fake.writes.empty());
        EXPECT_EQ(host->calls, std::vector<std::string>{"ReturnToOptions"});
        dialog.reset();
    }
}

TEST_F(SkinFormTest, OkAppliesTheSkinToExactlyTheFourLabelsAndSavesIt) {
    open();
    const Look before = look();
    pickListEntry(dialog->SF, 2);
    click(dialog->Command1);

    EXPECT_FALSE(dialog->loaded());
    EXPECT_EQ(s().SkinFile, "red.skn");
    EXPECT_EQ(iniLine(4), "red.skn");
    const Look after = look();
    const auto& controls = mainF().controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        SCOPED_TRACE(controls[i]->name());
        const forms::Control* c = controls[i];
        if (c == &mainF().PageV || c == &mainF().ViewCaption || c == &mainF().zoL || c == &mainF().Label4) {
            EXPECT_EQ(c->font().face, "MS UI Gothic");
            EXPECT_EQ(c->foreColor(), 255u);  // 0x0000FF: red
            EXPECT_EQ(c->font().points, before.controls[i].first.points);
            EXPECT_EQ(c->font().bold, before.controls[i].first.bold);
        } else {
            EXPECT_TRUE(after.controls[i] == before.controls[i]);
        }
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
    EXPECT_EQ(previewPicture(), "C:\\Tolvane\\skins\\softblue.bmp");
    EXPECT_EQ(sample().font.face, "ＭＳ Ｐゴシック");
    EXPECT_TRUE(fake.messageBoxes.empty());
    click(dialog->Command1);
    EXPECT_TRUE(dialog->loaded());
    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.messageBoxes[0].text,
              "C:\\Tolvane\\skins\\red.skn\r\nスキンファイルを読み込めません。\r\nファイルを開けません。");
    EXPECT_EQ(s().SkinFile, "softblue.skn");
    EXPECT_TRUE(fake.writes.empty());
    dialog.reset();

    // A missing picture: the preview keeps the old one but shows the new font; OK applies the skin on a
    // plain background, says so once, and keeps the choice.
    open();
    pickListEntry(dialog->SF, 1);
    EXPECT_EQ(previewPicture(), "C:\\Tolvane\\skins\\softblue.bmp");
    EXPECT_EQ(sample().color, 32768u);
    click(dialog->Command1);
    EXPECT_FALSE(dialog->loaded());
    EXPECT_EQ(mainF().picture(), nullptr);
    EXPECT_EQ(mainF().ViewCaption.foreColor(), 32768u);
    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    EXPECT_NE(fake.messageBoxes[0].text.find("nopic.bmp"), std::string::npos);
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

}  // namespace
