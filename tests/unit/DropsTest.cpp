#include "LauncherFixture.h"

using headless::dragOver;
using headless::drop;
using headless::dropText;

namespace {

class DropsTest : public LauncherTest {
  protected:
    void startWith(const std::string& line2, const std::vector<Item>& run) {
        fake.addFile("C:\\Tools\\one.exe", "MZ");
        fake.addFile("C:\\Tools\\two.exe", "MZ");
        fake.addFile("C:\\Tools\\App.LNK", "L");
        fake.shortcuts["C:\\Tools\\App.LNK"] = "C:\\Program Files\\App\\app.exe";
        fake.addFile("C:\\Tools\\broken.lnk", "L");
        writeSettings("0,0,0", line2);
        writeGrid("TURL.dat", {{0, "http://a/", "a", "A"}});
        writeGrid("TRUN.dat", run);
        ASSERT_TRUE(start());
    }
};

TEST_F(DropsTest, AFreeRunButtonPreparesTheFirstFileAndAStoreWritesIt) {
    startWith("0,0,1", {{0, "C:\\Tools\\one.exe", "one", "One"}});
    auto& f = mainF();
    drop(f.RUN_B[2], {"C:\\Tools\\two.exe", "C:\\Tools\\one.exe", "C:\\x.txt"});
    EXPECT_EQ(f.PathT.text(), "C:\\Tools\\two.exe");
    EXPECT_EQ(f.TitleT.text(), "");
    EXPECT_EQ(f.ViewCaption.caption(), "");
    EXPECT_TRUE(s().Expanded);
    EXPECT_TRUE(f.TitleT.hasFocus());
    EXPECT_EQ(dynamic_cast<const fake::FakeIcon&>(*f.drawnIcons()[0].icon).path, "C:\\Tools\\two.exe");

    headless::typeText(f.TitleT, "Two\r");
    headless::typeText(f.BatchT, "tw\r");
    EXPECT_EQ(s().RunItems(0, 2), (state::ItemRecord{"C:\\Tools\\two.exe", "tw", "Two"}));
    EXPECT_FALSE(s().Expanded);
    EXPECT_NE(file("TRUN.dat").find("C:\\Tools\\two.exe\r\ntw\r\nTwo\r\n"), std::string::npos);
}

TEST_F(DropsTest, ShortcutsResolveAndUnusableDropsChangeOnlyTheCaption) {
    startWith("0,0,1", {{0, "C:\\Tools\\one.exe", "one", "One"}});
    auto& f = mainF();
    drop(f.IconB[1], {"C:\\Tools\\App.LNK"});
    EXPECT_EQ(f.PathT.text(), "C:\\Program Files\\App\\app.exe");

    headless::click(f.Label2[1]);  // undo and close
    drop(f.RUN_B[0], {"C:\\Tools\\two.exe"});
    EXPECT_EQ(f.ViewCaption.caption(), "ここには登録済みです");
    EXPECT_EQ(f.TitleT.text(), "One");  // the fields keep showing that slot

    drop(f.RUN_B[3], {"C:\\Tools\\broken.lnk"});
    EXPECT_EQ(f.ViewCaption.caption(), "ショートカットを読めません");
    EXPECT_FALSE(s().Expanded);

    drop(f.RUN_B[3], {"C:\\Tools\\𠮷.exe"});
    EXPECT_EQ(f.ViewCaption.caption(), "登録できない文字：𠮷");
    EXPECT_FALSE(s().Expanded);

    f.ViewCaption.setCaption("unchanged");
    dropText(f.RUN_B[3]);
    dropText(f.IconV);
    EXPECT_EQ(f.ViewCaption.caption(), "unchanged");
    EXPECT_FALSE(s().Expanded);
}

TEST_F(DropsTest, UrlModeRefusesButtonsAndPathButTheModeIconSwitches) {
    startWith("0,1,1", {{0, "C:\\Tools\\one.exe", "one", "One"}, {1, "C:\\Tools\\two.exe", "two", "Two"}});
    auto& f = mainF();
    dragOver(f.RUN_B[1], {"C:\\Tools\\two.exe"});
    EXPECT_EQ(f.ViewCaption.caption(), "モードを変更してください");
    EXPECT_EQ(s().CurrentSlot, 0);
    drop(f.PathT, {"C:\\Tools\\two.exe"});
    EXPECT_EQ(f.PathT.text(), "http://a/");

    drop(f.IconV, {"C:\\Tools\\two.exe"});
    EXPECT_EQ(s().Mode, state::GridMode::Launcher);
    EXPECT_EQ(s().RunPage, 0);
    EXPECT_EQ(s().CurrentSlot, 2);
    EXPECT_EQ(f.PageV.caption(), " 0");
    EXPECT_EQ(f.PathT.text(), "C:\\Tools\\two.exe");
    EXPECT_EQ(f.Input_Com.list(), (std::vector<std::string>{"one", "two"}));

    // The prepared fields stay on the found slot while the mouse passes over other buttons.
    headless::hover(f.RUN_B[0]);
    f.TitleT.setText("Dropped");
    headless::click(f.Label2[0]);
    EXPECT_EQ(s().RunItems(0, 2).Title, "Dropped");
    EXPECT_TRUE(s().RunItems(0, 0).Title == "One");
}

TEST_F(DropsTest, TheModeIconFindsTheFirstFreeSlotOrSaysTheGridIsFull) {
    std::vector<Item> full;
    for (int n = 0; n < 64; ++n)
        full.push_back({n, "C:\\Tools\\one.exe", "", "item " + std::to_string(n)});
    full[37].title = "@未登録";
    full[37].path = "";
    startWith("0,0,1", full);
    auto& f = mainF();
    drop(f.IconV, {"C:\\Tools\\two.exe"});
    EXPECT_EQ(s().RunPage, 9);
    EXPECT_EQ(s().CurrentSlot, 1);
    EXPECT_EQ(f.PageV.caption(), " 9");
    headless::typeText(f.TitleT, "Two\r");
    headless::typeText(f.BatchT, "\r");
    f.ViewCaption.setCaption("");
    drop(f.IconV, {"C:\\Tools\\two.exe"});
    EXPECT_EQ(f.ViewCaption.caption(), "登録に空きがありません");
    EXPECT_FALSE(s().Expanded);
}

TEST_F(DropsTest, DraggingFollowsTheSlotWithoutThePendingEditGuard) {
    startWith("0,0,1", {{0, "C:\\Tools\\one.exe", "one", "One"}, {3, "C:\\gone.exe", "g", "Gone"}});
    auto& f = mainF();
    headless::rightClick(f.RUN_B[0]);
    f.TitleT.setText("edited");
    dragOver(f.RUN_B[3], {"C:\\Tools\\two.exe"});
    EXPECT_EQ(s().ShownSlot, 3);
    EXPECT_EQ(f.TitleT.text(), "Gone");
    // A path that is not there shows the program's own icon.
    EXPECT_EQ(dynamic_cast<const fake::FakeIcon&>(*f.drawnIcons()[0].icon).path, "C:\\Tolvane\\tolvane.exe");
}

}  // namespace
