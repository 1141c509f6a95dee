#include "LauncherFixture.h"

namespace {

// The strip lies at 0, 0 (the settings' position): 256 x 28 pixels, 128 open.
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
    void pointerTo(int x, int y) {
        fake.cursor = {x, y};
        headless::movePointer(mainF(), x, y);
    }
    // The timer's next tick in milliseconds; 0 while it is stopped.
    int nextTick() { return mainF().Timer1.enabled() ? mainF().Timer1.interval() : 0; }
    std::string iconPath() const {
        return dynamic_cast<const fake::FakeIcon&>(*launcher->mainForm().drawnIcons().at(0).icon).path;
    }
};

TEST_F(ClockTickTest, TheClockShowsOnLeavingAndTicksOnTheSecondOnlyWhileItShows) {
    headless::hover(mainF().RUN_B[1]);
    EXPECT_EQ(nextTick(), 0);  // nothing to wait for while the pointer is on the strip

    fake.clock.millisecond = 400;
    pointerTo(300, 10);
    EXPECT_EQ(mainF().ViewCaption.caption(), "12/07(Mon) 09:05:03");
    EXPECT_TRUE(s().ClockShown);
    EXPECT_EQ(iconPath(), "C:\\Tolvane\\tolvane.exe");
    EXPECT_EQ(nextTick(), 620);  // just after the second turns

    // Following ticks only renew the text; the panel is not redrawn.
    const int repaints = backend.surfaceRepaints;
    fake.clock = {2026, 12, 7, 9, 5, 4, 1, 20};
    tick();
    EXPECT_EQ(mainF().ViewCaption.caption(), "12/07(Mon) 09:05:04");
    EXPECT_EQ(backend.surfaceRepaints, repaints);
    EXPECT_EQ(nextTick(), 1000);

    pointerTo(10, 10);
    EXPECT_EQ(mainF().ViewCaption.caption(), "Run title");
    EXPECT_EQ(iconPath(), "C:\\Tools\\a.exe");
    EXPECT_FALSE(s().ClockShown);
    EXPECT_EQ(nextTick(), 0);
    const int afterReturn = backend.surfaceRepaints;
    pointerTo(20, 12);
    EXPECT_EQ(backend.surfaceRepaints, afterReturn);
}

TEST_F(ClockTickTest, TheWindowsFirstColumnAndRowCountAsOutside) {
    pointerTo(0, 10);  // on the window, but outside by the strict test
    EXPECT_TRUE(s().ClockShown);
    pointerTo(1, 1);
    EXPECT_FALSE(s().ClockShown);
    pointerTo(256, 10);  // one past the right edge
    EXPECT_TRUE(s().ClockShown);
    // An open window counts with its full height.
    mainF().ToggleExpanded();
    pointerTo(10, 100);
    EXPECT_FALSE(s().ClockShown);
}

TEST_F(ClockTickTest, WhereNoEventWillComeTheTimerLooksAgain) {
    // The first look, 200 ms after the start, for a pointer that never comes near the strip.
    EXPECT_EQ(nextTick(), 200);
    fake.cursor = {10, 10};
    tick();
    EXPECT_FALSE(s().ClockShown);
    EXPECT_EQ(nextTick(), 200);  // inside, but no window of the strip has reported it yet
    fake.cursor = {900, 700};
    tick();
    EXPECT_TRUE(s().ClockShown);

    // Another window covers the strip: the pointer left the strip's windows but not its rectangle.
    headless::hover(mainF().RUN_B[0]);
    fake.cursor = {100, 10};
    mainF().notifyPointer({100, 10, false});
    EXPECT_FALSE(s().ClockShown);
    EXPECT_EQ(nextTick(), 200);
    fake.cursor = {100, 40};
    tick();
    EXPECT_TRUE(s().ClockShown);
    EXPECT_EQ(nextTick(), 1000 - fake.clock.millisecond + 20);
}

TEST_F(ClockTickTest, UrlModeLeavesThePanelAloneAndUsesTheLocaleSeparators) {
    mainF().SwitchMode();
    headless::hover(mainF().RUN_B[1]);
    s().ClockFormat = "yyyy/mm/dd hh:mm:ss";
    fake.dateSep = "-";
    fake.timeSep = ".";
    const int repaints = backend.surfaceRepaints;
    pointerTo(500, 500);
    EXPECT_EQ(mainF().ViewCaption.caption(), "2026-12-07 09.05.03");
    pointerTo(20, 20);
    EXPECT_EQ(mainF().ViewCaption.caption(), "URL title");
    EXPECT_EQ(backend.surfaceRepaints, repaints);
}

}  // namespace
