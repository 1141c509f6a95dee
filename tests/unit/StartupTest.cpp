#include "LauncherFixture.h"
#include "LayoutChecks.h"

using platform::MessageAnswer;
using platform::WindowOrder;

namespace {

std::size_t lineCount(const std::string& bytes) {
    std::size_t count = 0;
    for (std::size_t pos = 0; (pos = bytes.find("\r\n", pos)) != std::string::npos; pos += 2)
        ++count;
    return count;
}

TEST_F(LauncherTest, FirstStartWritesTheDefaultsAndShowsPageZeroOnTop) {
    ASSERT_TRUE(start());

    EXPECT_EQ(file("Tolv.ini"),
              "0,0,0\r\n0,0,1\r\nC:\\Program Files\\Internet Explorer\\IEXPLORE.EXE\r\nsoftblue.skn\r\n"
              "1,1,0,\"T\"\r\n1,1,0,\"M\"\r\n1,1,0,\"C\"\r\n1,1,0,\"R\"\r\n1,1,0,\"W\"\r\n"
              "mm/dd(ddd) hh:mm:ss\r\n0\r\n");
    EXPECT_EQ(lineCount(file("TURL.dat")), 192u);
    EXPECT_EQ(file("TRUN.dat"), file("TURL.dat"));
    EXPECT_TRUE(fake.messageBoxes.empty());

    auto& f = mainF();
    EXPECT_EQ(f.pixelBounds(), (forms::Rect{0, 0, 256, 28}));
    EXPECT_FLOAT_EQ(s().TwipsPerPixel, 15.0f);
    ASSERT_FALSE(fake.orderCalls.empty());
    EXPECT_EQ(fake.orderCalls.back().second, WindowOrder::Topmost);
    EXPECT_EQ(f.zoL.caption(), "T");
    EXPECT_EQ(f.Label4.caption(), "");
    EXPECT_EQ(f.PageV.caption(), " 0");
    EXPECT_EQ(f.ViewCaption.caption(), "@未登録");
    EXPECT_EQ(f.TitleT.text(), "@未登録");
    EXPECT_FALSE(f.TitleT.enabled());
    EXPECT_FALSE(f.PathT.enabled());
    EXPECT_FALSE(f.Input_Com.visible());
    EXPECT_TRUE(f.visible());
    EXPECT_FALSE(s().Expanded);
    EXPECT_FALSE(s().ClockShown);
    EXPECT_FALSE(s().CommandBoxFresh);
}

TEST_F(LauncherTest, FirstStartKeepsTheItemFilesItFindsAndCreatesOnlyTheMissingOnes) {
    writeGrid("empty.dat", {});
    const std::string emptyGrid = file("empty.dat");
    // Item files copied into a new folder, or settings deleted to reset them; hidden, system and
    // read-only ones too.
    const struct {
        bool url, run;
        bool hidden = false, system = false, readOnly = false;
    } cases[] = {{false, true},
                 {true, false},
                 {true, true},
                 {true, false, true},
                 {false, true, false, true},
                 {true, true, true, true},
                 {false, true, false, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "TURL.dat " << c.url << ", TRUN.dat " << c.run << ", hidden " << c.hidden
                     << ", system " << c.system << ", read-only " << c.readOnly);
        launcher.reset();
        for (const char* name : {"Tolv.ini", "TURL.dat", "TRUN.dat"})
            fake.removeFile(std::string(kFolder) + "\\" + name);
        fake.writes.clear();
        fake.messageBoxes.clear();
        if (c.url)
            writeGrid("TURL.dat", {{5, "http://example.com/", "ex", "例"}});
        if (c.run)
            writeGrid("TRUN.dat", {{9, "C:\\Tolvane\\tolvane.exe", "tv", "自分"}});
        const std::string url = c.url ? file("TURL.dat") : emptyGrid;
        const std::string run = c.run ? file("TRUN.dat") : emptyGrid;
        for (const char* name : {"TURL.dat", "TRUN.dat"}) {
            if (fake.exists(std::string(kFolder) + "\\" + name))
                fake.addFile(std::string(kFolder) + "\\" + name, file(name), c.hidden, c.system, c.readOnly);
        }
        ASSERT_TRUE(start());

        EXPECT_TRUE(fake.messageBoxes.empty());
        EXPECT_EQ(file("Tolv.ini").substr(0, 14), "0,0,0\r\n0,0,1\r\n");
        EXPECT_EQ(file("TURL.dat"), url);
        EXPECT_EQ(file("TRUN.dat"), run);
        EXPECT_EQ(fake.writes.size(), 3u - c.url - c.run);
        EXPECT_EQ(s().UrlItems(1, 1).Title, c.url ? "例" : "@未登録");
        EXPECT_EQ(s().RunItems(2, 1).Batch, c.run ? "tv" : "");

        // A later save cannot replace a read-only file: it says so by name and leaves the file as it is.
        launcher->End();
        EXPECT_EQ(fake.messageBoxes.size(), c.readOnly ? 1u : 0u);
        if (c.readOnly) {
            EXPECT_NE(fake.messageBoxes[0].text.find("\n・C:\\Tolvane\\TRUN.dat"), std::string::npos);
            EXPECT_EQ(file("TRUN.dat"), run);
        }
    }
}

TEST_F(LauncherTest, StartAppliesTheSkinAndPlacesEveryControl) {
    ASSERT_TRUE(start());
    auto& f = mainF();
    auto* picture = dynamic_cast<const fake::FakePicture*>(f.picture().get());
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->path, "C:\\Tolvane\\skins\\softblue.bmp");
    for (forms::Label* label : {&f.PageV, &f.ViewCaption, &f.zoL, &f.Label4}) {
        EXPECT_EQ(label->font().face, "ＭＳ Ｐゴシック") << label->name();
        EXPECT_EQ(label->foreColor(), 6303790u) << label->name();
    }
    EXPECT_TRUE(f.PageV.font().bold);
    EXPECT_DOUBLE_EQ(f.zoL.font().points, 8.25);

    EXPECT_EQ(f.IconV.rect(), (forms::Rect{7, 6, 16, 16}));
    EXPECT_EQ(f.PageV.rect(), (forms::Rect{25, 9, 14, 14}));
    EXPECT_EQ(f.IconB[3].rect(), (forms::Rect{98, 6, 16, 16}));
    EXPECT_EQ(f.RUN_B[2].rect(), (forms::Rect{81, 4, 15, 20}));
    EXPECT_EQ(f.ViewCaption.rect(), (forms::Rect{124, 8, 120, 14}));
    EXPECT_EQ(f.Input_Com.rect().left, 121);
    EXPECT_EQ(f.Input_Com.rect().width, 121);
    EXPECT_EQ(f.End_B.rect(), (forms::Rect{242, 4, 9, 9}));
    EXPECT_EQ(f.zoL.rect(), (forms::Rect{244, 14, 8, 8}));
    EXPECT_EQ(f.Label4.rect(), (forms::Rect{236, 14, 8, 8}));
    EXPECT_EQ(f.PathT.rect(), (forms::Rect{8, 103, 210, 18}));
    EXPECT_EQ(f.Label2[1].rect(), (forms::Rect{226, 61, 24, 15}));
    EXPECT_EQ(f.Label2[2].rect(), (forms::Rect{226, 97, 24, 15}));
    // Opened for editing, the strip shows every control within it; a run button lies over its slot's
    // icon, and the caption runs under the lock mark.
    headless::rightClick(f.RUN_B[0]);
    ASSERT_EQ(f.pixelBounds().height, 128);
    std::set<std::pair<std::string, std::string>> meant = {{"ViewCaption", "Label4"}};
    for (int i = 0; i < 4; ++i)
        meant.insert({"IconB(" + std::to_string(i) + ")", "RUN_B(" + std::to_string(i) + ")"});
    EXPECT_EQ(checks::LayoutProblems(f, meant), std::vector<std::string>{});
}

TEST_F(LauncherTest, SecondInstanceEndsBeforeTouchingAnything) {
    fake.otherInstance = true;
    EXPECT_FALSE(start());
    EXPECT_FALSE(fake.exists("C:\\Tolvane\\Tolv.ini"));
    EXPECT_TRUE(backend.createdForms.empty());
    EXPECT_TRUE(fake.messageBoxes.empty());
    EXPECT_TRUE(backend.hotkeys.empty());
}

TEST_F(LauncherTest, SavedPositionIsKeptOnTheScreen) {
    // 1280 x 800 pixels is 19200 x 12000 twips; the design size is 256 x 128 pixels.
    writeSettings("30000,20000,0");
    writeGrid("TURL.dat", {});
    writeGrid("TRUN.dat", {});
    ASSERT_TRUE(start());
    EXPECT_EQ(mainF().pixelBounds().left, 1280 - 256);
    EXPECT_EQ(mainF().pixelBounds().top, 800 - 128);
}

TEST_F(LauncherTest, NegativePositionsBecomeZeroAndAnOverhangingWindowStays) {
    writeSettings("-450,-30,0");
    writeGrid("TURL.dat", {});
    writeGrid("TRUN.dat", {});
    ASSERT_TRUE(start());
    EXPECT_EQ(mainF().pixelBounds().left, 0);
    EXPECT_EQ(mainF().pixelBounds().top, 0);

    launcher.reset();
    writeSettings("18000,150,0");  // left edge on the screen, right part past it
    ASSERT_TRUE(start());
    EXPECT_EQ(mainF().pixelBounds().left, 1200);
    EXPECT_EQ(mainF().pixelBounds().top, 10);
}

TEST_F(LauncherTest, MissingConfiguredSkinFallsBackToTheDefaultForThisRunOnly) {
    writeSettings("0,0,0", "0,0,1", "gone.skn");
    writeGrid("TURL.dat", {});
    writeGrid("TRUN.dat", {});
    ASSERT_TRUE(start());
    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.messageBoxes[0].text,
              "C:\\Tolvane\\skins\\gone.skn\r\n設定されているスキンが存在しません。");
    EXPECT_NE(mainF().picture(), nullptr);
    EXPECT_EQ(s().SkinFile, "gone.skn");
    launcher->End();
    EXPECT_NE(file("Tolv.ini").find("\r\ngone.skn\r\n"), std::string::npos);
}

TEST_F(LauncherTest, WithoutSkinsTheStripStartsPlainAfterOneMessage) {
    fake.removeFile("C:\\Tolvane\\skins\\softblue.skn");
    fake.removeFile("C:\\Tolvane\\skins\\softblue.bmp");
    fake.removeFile("C:\\Tolvane\\skins");
    ASSERT_TRUE(start());
    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.messageBoxes[0].text,
              "C:\\Tolvane\\skins　フォルダが無いか、\r\nディフォルトのスキンが存在しません。\r\n"
              "スキンを入れなおしてください。");
    EXPECT_EQ(mainF().picture(), nullptr);
    EXPECT_TRUE(mainF().visible());
}

TEST_F(LauncherTest, BrokenSkinPictureIsReportedAndTheStripStaysUsable) {
    fake.picturesThatFail.insert("C:\\Tolvane\\skins\\softblue.bmp");
    ASSERT_TRUE(start());
    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    EXPECT_NE(fake.messageBoxes[0].text.find("C:\\Tolvane\\skins\\softblue.bmp"), std::string::npos);
    EXPECT_EQ(mainF().picture(), nullptr);
    EXPECT_EQ(mainF().PageV.foreColor(), 6303790u);
}

TEST_F(LauncherTest, VanishedLauncherItemsAreOfferedForRemovalOneByOne) {
    fake.addFolder("C:\\Data");
    fake.addFile("C:\\Tools\\hidden.exe", "", /*hidden=*/true);
    writeSettings();
    writeGrid("TURL.dat", {{0, "C:\\gone\\page.html", "pg", "URL item"}});
    writeGrid("TRUN.dat", {{1, "C:\\no\\such\\file.exe", "ed", "消えた"},
                           {2, "C:\\Data", "", "folder"},
                           {6, "C:\\Tools\\hidden.exe", "h", "hidden"}});
    fake.answers = {MessageAnswer::Yes, MessageAnswer::No};
    const std::string before = file("TRUN.dat");
    ASSERT_TRUE(start());

    ASSERT_EQ(fake.messageBoxes.size(), 2u);
    EXPECT_EQ(fake.messageBoxes[0].text,
              "C:\\no\\such\\file.exe\r\nは移動、または削除されています。\r\n登録から削除しますか？");
    EXPECT_EQ(fake.messageBoxes[0].buttons, platform::MessageButtons::YesNo);
    EXPECT_EQ(fake.messageBoxes[1].text.substr(0, 21), "C:\\Tools\\hidden.exe\r\n");

    EXPECT_TRUE(s().RunItems(0, 1).isEmpty());
    EXPECT_EQ(s().RunItems(0, 1).Path, "");
    EXPECT_EQ(s().RunItems(1, 2).Title, "hidden");
    EXPECT_EQ(s().RunItems(0, 2).Title, "folder");
    EXPECT_NE(file("TRUN.dat"), before);
    EXPECT_EQ(fake.writes.size(), 3u);  // one save, all three files
    // The removed short name is gone from the command list, the kept one stays.
    EXPECT_EQ(mainF().Input_Com.list(), std::vector<std::string>{"h"});

    // No keeps the item: the next start asks again.
    launcher->End();
    launcher.reset();
    fake.messageBoxes.clear();
    ASSERT_TRUE(start());
    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.messageBoxes[0].text.substr(0, 21), "C:\\Tools\\hidden.exe\r\n");
}

TEST_F(LauncherTest, StoredWindowOrderLockAndModeAreShown) {
    writeSettings("0,0,1", "1,1,1");
    writeGrid("TURL.dat", {{0, "http://example.com/", "ex", "例"}});
    writeGrid("TRUN.dat", {{0, "C:\\Tolvane\\tolvane.exe", "tv", "launcher"}});
    ASSERT_TRUE(start());
    auto& f = mainF();
    EXPECT_EQ(f.zoL.caption(), "B");
    EXPECT_EQ(fake.orderCalls.back().second, WindowOrder::Bottom);
    EXPECT_EQ(f.Label4.caption(), "H");
    EXPECT_EQ(f.ViewCaption.caption(), "例");
    EXPECT_EQ(f.PathT.text(), "http://example.com/");
    EXPECT_EQ(f.Input_Com.list(), std::vector<std::string>{"ex"});
    // URL mode shows the browser's icon, which this machine does not have.
    EXPECT_TRUE(f.drawnIcons().empty());
}

}  // namespace
