#include "LauncherFixture.h"

namespace {

std::vector<std::pair<int, std::string>> iconsAt(const mainwindow::MainF& form) {
    std::vector<std::pair<int, std::string>> icons;
    for (const auto& drawn : form.drawnIcons()) {
        EXPECT_EQ(drawn.y, 6);
        icons.emplace_back(drawn.x, dynamic_cast<const fake::FakeIcon&>(*drawn.icon).path);
    }
    return icons;
}

class PanelTest : public LauncherTest {
  protected:
    void startWith(const std::string& showIcon, const std::string& modeLine = "0,0,1") {
        fake.addFile("C:\\Tools\\a.exe", "MZ");
        fake.addFile("C:\\Tools\\c.txt", "text");
        writeSettings("0,0,0", modeLine, "softblue.skn", showIcon);
        writeGrid("TURL.dat", {});
        writeGrid("TRUN.dat", {{0, "C:\\Tools\\a.exe", "a", "A"}, {2, "C:\\Tools\\c.txt", "c", "C"}});
        ASSERT_TRUE(start());
    }
};

TEST_F(PanelTest, SlotIconsAreDrawnOnlyInLauncherModeWithShowIcon) {
    startWith("1");
    EXPECT_EQ(iconsAt(mainF()),
              (std::vector<std::pair<int, std::string>>{
                  {7, "C:\\Tolvane\\tolvane.exe"}, {44, "C:\\Tools\\a.exe"}, {80, "C:\\Tools\\c.txt"}}));

    // URL mode: the mode icon alone, whatever the launcher slots hold.
    s().BrowserPath = "C:\\Tools\\a.exe";
    mainF().SwitchMode();
    EXPECT_EQ(iconsAt(mainF()), (std::vector<std::pair<int, std::string>>{{7, "C:\\Tools\\a.exe"}}));
}

TEST_F(PanelTest, WithoutShowIconOnlyTheModeIconIsDrawnAndRedrawingErasesTheOld) {
    startWith("0");
    EXPECT_EQ(iconsAt(mainF()), (std::vector<std::pair<int, std::string>>{{7, "C:\\Tolvane\\tolvane.exe"}}));
    mainF().DrawPanelIcons("C:\\Tools\\c.txt");
    mainF().DrawPanelIcons("C:\\nothing\\here.exe");  // no icon: nothing drawn, the old one erased
    EXPECT_TRUE(mainF().drawnIcons().empty());
}

TEST_F(PanelTest, ToggleExpandedOpensAndClosesAtTheBottomEdge) {
    startWith("0");
    auto& f = mainF();
    f.ToggleExpanded();
    EXPECT_EQ(f.pixelBounds(), (forms::Rect{0, 0, 256, 128}));
    EXPECT_TRUE(f.TitleT.enabled());
    EXPECT_TRUE(f.BatchT.enabled());
    EXPECT_TRUE(f.PathT.enabled());
    f.ToggleExpanded();
    EXPECT_EQ(f.pixelBounds(), (forms::Rect{0, 0, 256, 28}));
    EXPECT_FALSE(s().Expanded);
    EXPECT_FALSE(f.TitleT.enabled());
}

TEST_F(PanelTest, HideCommandBoxKeepsTextAndList) {
    startWith("0");
    auto& f = mainF();
    f.OpenCommandBox();
    EXPECT_TRUE(f.Input_Com.visible());
    EXPECT_TRUE(f.Input_Com.hasFocus());
    f.Input_Com.setText("a");
    f.HideCommandBox();
    f.HideCommandBox();
    EXPECT_FALSE(f.Input_Com.visible());
    EXPECT_FALSE(f.Input_Com.enabled());
    EXPECT_EQ(f.Input_Com.text(), "a");
    EXPECT_EQ(f.Input_Com.list(), (std::vector<std::string>{"a", "c"}));
}

TEST_F(PanelTest, CommandListFollowsTheModeInPageOrderWithDuplicates) {
    writeSettings();
    writeGrid("TURL.dat",
              {{5, "http://b/", "zeta", "b"}, {1, "http://a/", "alpha", "a"}, {9, "", "", "no short"}});
    writeGrid("TRUN.dat", {{12, "C:\\x", "ed", "x"}, {3, "C:\\y", "ed", "y"}, {7, "C:\\z", "Ed", "z"}});
    fake.answers = {platform::MessageAnswer::No, platform::MessageAnswer::No, platform::MessageAnswer::No};
    ASSERT_TRUE(start());
    EXPECT_EQ(mainF().Input_Com.list(), (std::vector<std::string>{"ed", "Ed", "ed"}));
    mainF().SwitchMode();
    EXPECT_EQ(mainF().Input_Com.list(), (std::vector<std::string>{"alpha", "zeta"}));
}

}  // namespace
