#include "LauncherFixture.h"

namespace {

TEST_F(LauncherTest, EndGivesBackTheHotkeysAndSavesThePosition) {
    ASSERT_TRUE(start());
    EXPECT_EQ(backend.hotkeys[mainF().handle()].size(), 5u);
    mainF().setPixelBounds({1024, 50, 256, 28});
    backend.hotkeyReleases.clear();
    fake.writes.clear();

    mainF().End_B.notifyClick();

    EXPECT_EQ(backend.hotkeyReleases, (std::vector<int>{4, 3, 2, 1, 0}));
    EXPECT_FALSE(mainF().loaded());
    EXPECT_EQ(file("Tolv.ini").substr(0, 13), "15360,750,0\r\n");
    EXPECT_EQ(fake.writes.size(), 3u);
}

TEST_F(LauncherTest, ClosingBySystemRunsTheSameStepsOnce) {
    ASSERT_TRUE(start());
    mainF().setPixelBounds({10, 20, 256, 28});
    fake.writes.clear();
    backend.hotkeyReleases.clear();
    mainF().notifyCloseRequested();
    mainF().notifyCloseRequested();
    EXPECT_EQ(fake.writes.size(), 3u);
    EXPECT_EQ(file("Tolv.ini").substr(0, 11), "150,300,0\r\n");
    EXPECT_EQ(backend.hotkeyReleases, (std::vector<int>{4, 3, 2, 1, 0}));
}

TEST_F(LauncherTest, LauncherThatGoesWithTheStripLoadedClosesItFirst) {
    ASSERT_TRUE(start());
    mainF().setPixelBounds({10, 20, 256, 28});
    fake.writes.clear();
    backend.hotkeyReleases.clear();
    launcher.reset();
    EXPECT_EQ(backend.hotkeyReleases, (std::vector<int>{4, 3, 2, 1, 0}));
    EXPECT_EQ(fake.writes.size(), 3u);
    EXPECT_EQ(file("Tolv.ini").substr(0, 11), "150,300,0\r\n");
}

TEST_F(LauncherTest, UnsavedEntryFieldsAreDiscardedAtShutdown) {
    ASSERT_TRUE(start());
    const std::string before = file("TRUN.dat");
    mainF().TitleT.setText("typed but not stored");
    launcher->End();
    EXPECT_EQ(file("TRUN.dat"), before);
}

// Closing with a dialog open that hid its opener: the opener goes without showing again first.
TEST_F(LauncherTest, ClosingWithDialogsOpenShowsNoOpenerAgain) {
    const struct {
        const char* name;
        std::vector<const char*> buttons;  // clicked in turn, starting in the options dialog
    } cases[] = {{"skin dialog", {"Command4"}},
                 {"item editor", {"Command6"}},
                 {"link page dialog", {"Command5", "Command7"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        launcher.reset();
        ASSERT_TRUE(start());
        headless::rightClick(mainF().IconV);
        forms::Form* form = launcher->optionsDialog();
        for (const char* button : c.buttons) {
            headless::click(*form->findControl(button));
            form = backend.activeForm;
        }
        ASSERT_EQ(backend.liveForms().size(), 2u + c.buttons.size());
        backend.shownForms.clear();
        launcher->End();
        EXPECT_TRUE(backend.liveForms().empty());
        EXPECT_EQ(backend.shownForms, std::vector<std::string>{});
    }
}

}  // namespace
