#include "LauncherFixture.h"

using headless::mouseDown;

namespace {

class WindowMovingTest : public LauncherTest {
  protected:
    void SetUp() override { ASSERT_TRUE(start()); }
    // The person drags the strip to a pixel position; the strip is then kept inside its monitor.
    forms::Rect dragTo(int left, int top) {
        fake.dragTo = [this, left, top] { mainF().notifyBoundsChanged({left, top, 256, 28}); };
        mouseDown(mainF().IconV, forms::kLeftButton);
        return mainF().pixelBounds();
    }
};

TEST_F(WindowMovingTest, DroppedAcrossAnEdgeTheStripComesBackInside) {
    EXPECT_EQ(dragTo(100, -12), (forms::Rect{100, 0, 256, 28}));
    EXPECT_EQ(dragTo(-30, 300), (forms::Rect{0, 300, 256, 28}));
    EXPECT_EQ(dragTo(500, 790), (forms::Rect{500, 772, 256, 28}));
    EXPECT_EQ(dragTo(1200, 400), (forms::Rect{1024, 400, 256, 28}));
    EXPECT_EQ(dragTo(2000, 2000), (forms::Rect{1024, 772, 256, 28}));
    EXPECT_EQ(fake.dragCalls.size(), 5u);
}

TEST_F(WindowMovingTest, ARightClickOnTheBackgroundOnlyClosesTheCommandBox) {
    mainF().OpenCommandBox();
    fake.dragTo = [this] { mainF().notifyBoundsChanged({-50, -50, 256, 28}); };
    mainF().notifyMouseDown({forms::kRightButton, 0, 200, 26});
    EXPECT_FALSE(mainF().Input_Com.visible());
    EXPECT_TRUE(fake.dragCalls.empty());
    mainF().notifyMouseMove({0, 0, 10, 10});  // and moving over the background closes it too
    EXPECT_EQ(mainF().pixelBounds().left, 0);
}

TEST_F(WindowMovingTest, TheStripStaysOnTheMonitorItIsOn) {
    // A second monitor to the right of the primary one, and one above it that starts at y = -1024.
    fake.monitorRects = {{0, 0, 1280, 800}, {1280, 0, 1920, 1080}, {0, -1024, 1280, 1024}};
    EXPECT_EQ(dragTo(3100, 500), (forms::Rect{3200 - 256, 500, 256, 28}));
    EXPECT_EQ(dragTo(1500, 1070), (forms::Rect{1500, 1080 - 28, 256, 28}));
    EXPECT_EQ(dragTo(200, -1030), (forms::Rect{200, -1024, 256, 28}));
    EXPECT_EQ(dragTo(300, -500), (forms::Rect{300, -500, 256, 28}));
}

class StartPositionTest : public LauncherTest {
  protected:
    forms::Rect startAt(const std::string& line1) {
        launcher.reset();  // the previous run saves as it closes
        writeSettings(line1);
        writeGrid("TURL.dat", {});
        writeGrid("TRUN.dat", {});
        EXPECT_TRUE(start());
        return mainF().pixelBounds();
    }
};

TEST_F(StartPositionTest, ASecondMonitorKeepsItsStripAndAGoneMonitorGivesWayToTheNearest) {
    fake.monitorRects = {{0, 0, 1280, 800}, {-1920, 0, 1920, 1080}};
    // On the left monitor: not pulled onto the primary screen.
    EXPECT_EQ(startAt("-15000,9000,0").left, -1000);
    EXPECT_EQ(startAt("-15000,9000,0").top, 600);
    // Below the left monitor's bottom: its own bottom edge counts, not the primary screen's.
    EXPECT_EQ(startAt("-15000,20000,0").top, 1080 - 128);
    // The left monitor is gone: the strip comes back to the nearest one, the primary screen.
    fake.monitorRects = {{0, 0, 1280, 800}};
    EXPECT_EQ(startAt("-15000,9000,0").left, 0);
}

TEST_F(LauncherTest, WindowOrderLabelTogglesAndItsLockHoldsIt) {
    ASSERT_TRUE(start());
    auto& f = mainF();
    mouseDown(f.zoL, forms::kLeftButton);
    EXPECT_EQ(f.zoL.caption(), "B");
    mouseDown(f.zoL, forms::kRightButton);
    EXPECT_EQ(f.Label4.caption(), "H");
    EXPECT_EQ(s().ZOrderLock, 1);
    mouseDown(f.zoL, forms::kLeftButton);
    EXPECT_EQ(f.zoL.caption(), "B");
    EXPECT_EQ(s().ZOrderBottom, 1);
    mouseDown(f.zoL, forms::kRightButton);
    EXPECT_EQ(f.Label4.caption(), "");
    mouseDown(f.zoL, forms::kLeftButton);
    EXPECT_EQ(f.zoL.caption(), "T");
    launcher->End();
    EXPECT_EQ(file("Tolv.ini").substr(0, 14), "0,0,0\r\n0,0,1\r\n");
}

TEST_F(LauncherTest, EnterAndEscInTheEntryFields) {
    ASSERT_TRUE(start());
    auto& f = mainF();
    headless::rightClick(f.RUN_B[3]);
    headless::typeText(f.TitleT, "Title");
    headless::typeChar(f.TitleT, 13);
    EXPECT_TRUE(f.BatchT.hasFocus());
    EXPECT_EQ(f.TitleT.text(), "Title");  // Enter does not reach the field
    headless::typeChar(f.BatchT, 27);
    EXPECT_FALSE(s().Expanded);
    EXPECT_EQ(f.TitleT.text(), "");
    EXPECT_TRUE(s().RunItems(0, 3).isEmpty());

    headless::rightClick(f.RUN_B[3]);
    headless::typeText(f.TitleT, "T\r");
    headless::typeText(f.BatchT, "b\r");
    EXPECT_EQ(s().RunItems(0, 3), (state::ItemRecord{"", "b", "T"}));
    headless::rightClick(f.RUN_B[3]);
    headless::typeText(f.TitleT, "x");
    headless::typeChar(f.TitleT, 27);
    EXPECT_EQ(f.TitleT.text(), "T");
}

TEST_F(LauncherTest, PathDoubleClickChoosesAFileInLauncherModeOnly) {
    ASSERT_TRUE(start());
    auto& f = mainF();
    f.PathT.setText("C:\\kept.txt");
    fake.dialogResults = {"", "C:\\Users\\me\\選んだ.exe"};
    headless::doubleClick(f.PathT);
    EXPECT_EQ(f.PathT.text(), "C:\\kept.txt");
    headless::doubleClick(f.PathT);
    EXPECT_EQ(f.PathT.text(), "C:\\Users\\me\\選んだ.exe");
    ASSERT_EQ(fake.dialogs.size(), 2u);
    const auto& request = fake.dialogs[0];
    EXPECT_EQ(request.owner, f.handle());
    EXPECT_EQ(request.filters, (std::vector<platform::FilterPair>{{"全てのファイル(*.*)", "*.*"}}));
    EXPECT_EQ(request.filterIndex, 2);
    EXPECT_EQ(request.initialFolder, "C:\\");
    EXPECT_EQ(request.title, "ファイルを開く");

    f.SwitchMode();
    headless::doubleClick(f.PathT);
    EXPECT_EQ(fake.dialogs.size(), 2u);
}

}  // namespace
