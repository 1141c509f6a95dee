#include "LauncherFixture.h"
#include "hotkeys/HotkeyHook.h"

namespace {

TEST_F(LauncherTest, EndGivesBackHotkeysAndProcedureAndSavesThePosition) {
    ASSERT_TRUE(start());
    EXPECT_EQ(fake.registeredHotkeys.size(), 5u);
    EXPECT_TRUE(fake.windowProcReplaced());
    mainF().setPixelBounds({1024, 50, 256, 28});
    fake.unregisterCalls.clear();
    fake.writes.clear();

    mainF().End_B.notifyClick();

    EXPECT_EQ(fake.unregisterCalls, (std::vector<int>{4, 3, 2, 1, 0}));
    EXPECT_TRUE(fake.registeredHotkeys.empty());
    EXPECT_FALSE(fake.windowProcReplaced());
    EXPECT_FALSE(mainF().loaded());
    EXPECT_EQ(file("Tolv.ini").substr(0, 13), "15360,750,0\r\n");
    EXPECT_EQ(fake.writes.size(), 3u);
}

TEST_F(LauncherTest, ClosingBySystemRunsTheSameStepsOnce) {
    ASSERT_TRUE(start());
    mainF().setPixelBounds({10, 20, 256, 28});
    fake.writes.clear();
    mainF().notifyCloseRequested();
    mainF().notifyCloseRequested();
    EXPECT_EQ(fake.writes.size(), 3u);
    EXPECT_EQ(file("Tolv.ini").substr(0, 11), "150,300,0\r\n");
    EXPECT_FALSE(fake.windowProcReplaced());
}

TEST_F(LauncherTest, UnsavedEntryFieldsAreDiscardedAtShutdown) {
    ASSERT_TRUE(start());
    const std::string before = file("TRUN.dat");
    mainF().TitleT.setText("typed but not stored");
    launcher->End();
    EXPECT_EQ(file("TRUN.dat"), before);
}

}  // namespace
