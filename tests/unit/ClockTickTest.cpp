#include "LauncherFixture.h"

namespace {

class ClockTickTest : public LauncherTest {
  protected:
    void SetUp() override {
        fake.addFile("C:\\Tools\\a.exe", "MZ");
        writeSettings();
        writeGrid("TURL.dat", {{1, "http://u/", "u", "URL title"}});
        writeGrid("TRUN.dat", {{1, "C:\\Tools\\a.exe", "a", "Run title"}});
        ASSERT_TRUE(start());
    }
    void tick() { mainF().Timer1.notifyTick(); }
    std::string iconPath() const {
        return dynamic_cast<const fake::FakeIcon&>(*launcher->mainForm().drawnIcons().at(0).icon).path;
    }
};

TEST_F(ClockTickTest, ShowsTheClockOutsideAndTheSlotTitleInside) {
    headless::hover(mainF().RUN_B[1]);
    fake.cursor = {300, 10};
    tick();
    EXPECT_EQ(mainF().ViewCaption.caption(), "12/07(Mon) 09:05:03");
    EXPECT_TRUE(s().ClockShown);
    EXPECT_EQ(iconPath(), "C:\\Tolvane\\tolvane.exe");

    // Following ticks only renew the text; the panel is not redrawn.
    const int repaints = backend.surfaceRepaints;
    fake.clock.second = 4;
    tick();
    EXPECT_EQ(mainF().ViewCaption.caption(), "12/07(Mon) 09:05:04");
    EXPECT_EQ(backend.surfaceRepaints, repaints);

    fake.cursor = {10, 10};
    tick();
    EXPECT_EQ(mainF().ViewCaption.caption(), "Run title");
    EXPECT_EQ(iconPath(), "C:\\Tools\\a.exe");
    EXPECT_FALSE(s().ClockShown);
    const int afterReturn = backend.surfaceRepaints;
    tick();
    EXPECT_EQ(backend.surfaceRepaints, afterReturn);
}

TEST_F(ClockTickTest, TheWindowsFirstColumnAndRowCountAsOutside) {
    fake.cursor = {0, 10};
    tick();
    EXPECT_TRUE(s().ClockShown);
    fake.cursor = {1, 1};
    tick();
    EXPECT_FALSE(s().ClockShown);
    fake.cursor = {256, 10};  // one past the right edge
    tick();
    EXPECT_TRUE(s().ClockShown);
    // An open window counts with its full height.
    mainF().ToggleExpanded();
    fake.cursor = {10, 100};
    tick();
    EXPECT_FALSE(s().ClockShown);
}

TEST_F(ClockTickTest, UrlModeLeavesThePanelAloneAndUsesTheLocaleSeparators) {
    mainF().SwitchMode();
    headless::hover(mainF().RUN_B[1]);
    s().ClockFormat = "yyyy/mm/dd hh:mm:ss";
    fake.dateSep = "-";
    fake.timeSep = ".";
    const int repaints = backend.surfaceRepaints;
    fake.cursor = {500, 500};
    tick();
    EXPECT_EQ(mainF().ViewCaption.caption(), "2026-12-07 09.05.03");
    fake.cursor = {20, 20};
    tick();
    EXPECT_EQ(mainF().ViewCaption.caption(), "URL title");
    EXPECT_EQ(backend.surfaceRepaints, repaints);
}

}  // namespace
