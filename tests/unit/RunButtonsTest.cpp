#include "LauncherFixture.h"

using fake::ProcessCall;
using fake::ShellOpenCall;
using headless::click;
using headless::hover;
using headless::rightClick;

namespace {

class RunButtonsTest : public LauncherTest {
  protected:
    void startWith(const std::vector<Item>& run, const std::vector<Item>& url = {},
                   const std::string& line2 = "0,0,1") {
        fake.addFile("C:\\TOOLS\\EDIT.EXE", "MZ");
        fake.addFile("C:\\doc\\memo.txt", "memo");
        fake.addFolder("C:\\My Folder");
        fake.addFile("C:\\Program Files\\App\\app.exe", "MZ");
        fake.addFile("C:\\Program.exe", "decoy");
        writeSettings("0,0,0", line2);
        writeGrid("TURL.dat", url);
        writeGrid("TRUN.dat", run);
        ASSERT_TRUE(start());
    }
};

TEST_F(RunButtonsTest, LeftClickStartsEachKindOfLauncherTarget) {
    startWith({{0, "C:\\TOOLS\\EDIT.EXE", "ed", "Edit"},
               {1, "C:\\doc\\memo.txt", "memo", "Memo"},
               {2, "C:\\My Folder", "", "Folder"},
               {3, "C:\\My Folder\\", "", "Folder with separator"},
               {4, "C:\\Program Files\\App\\app.exe", "", "With blanks"},
               {5, "C:\\gone.exe", "", "Gone"},
               {6, "", "", "No path"}});
    auto& f = mainF();
    for (int i = 0; i < 4; ++i)
        click(f.RUN_B[i]);
    headless::mouseDown(f.PageV, forms::kLeftButton);
    for (int i = 0; i < 3; ++i)
        click(f.RUN_B[i]);

    EXPECT_EQ(fake.processes, (std::vector<ProcessCall>{
                                  {"C:\\TOOLS\\EDIT.EXE", "C:\\TOOLS\\EDIT.EXE"},
                                  {"", "explorer C:\\My Folder"},
                                  {"", "explorer C:\\My Folder\\"},
                                  {"C:\\Program Files\\App\\app.exe", "\"C:\\Program Files\\App\\app.exe\""},
                              }));
    EXPECT_EQ(fake.shellOpens, (std::vector<ShellOpenCall>{{"C:\\doc\\memo.txt", "C:\\Tolvane"}}));
}

TEST_F(RunButtonsTest, DoubleClickActsOnceOnRunButtonPageSelectorAndOrderLabel) {
    startWith({{0, "C:\\TOOLS\\EDIT.EXE", "ed", "Edit"}});
    auto& f = mainF();
    const struct {
        forms::Control* control;
        std::function<std::string()> outcome;
        std::string once;
    } cases[] = {
        {&f.RUN_B[0], [&] { return std::to_string(fake.processes.size()) + " started"; }, "1 started"},
        {&f.PageV, [&] { return f.PageV.caption(); }, "1"},
        {&f.zoL, [&] { return f.zoL.caption(); }, "B"}};
    for (const auto& c : cases) {
        headless::doubleClick(*c.control);
        EXPECT_EQ(c.outcome(), c.once) << c.control->name();
    }
}

TEST_F(RunButtonsTest, UrlModeOpensThroughTheBrowserObjectOrTheBrowserPath) {
    startWith({}, {{0, "http://example.com/a b?x=1&y=%20", "ex", "Example"}, {1, "", "", "empty"}}, "0,1,1");
    click(mainF().RUN_B[0]);
    click(mainF().RUN_B[1]);
    EXPECT_EQ(fake.browserAddresses, std::vector<std::string>{"http://example.com/a b?x=1&y=%20"});
    EXPECT_TRUE(fake.processes.empty());

    s().UseInternetExplorer = 0;
    s().BrowserPath = "C:\\Program Files\\App\\app.exe";
    click(mainF().RUN_B[0]);
    ASSERT_EQ(fake.processes.size(), 1u);
    EXPECT_EQ(fake.processes[0].application, "C:\\Program Files\\App\\app.exe");
    EXPECT_EQ(fake.processes[0].commandLine,
              "\"C:\\Program Files\\App\\app.exe\" http://example.com/a b?x=1&y=%20");
}

TEST_F(RunButtonsTest, RightClickOpensTheSlotAndOffersTheClipboardToAnEmptyOne) {
    startWith({{1, "C:\\TOOLS\\EDIT.EXE", "ed", "Edit"}});
    auto& f = mainF();
    fake.clipboard = "notepad.EXE";
    hover(f.RUN_B[0]);
    rightClick(f.RUN_B[0]);
    EXPECT_TRUE(s().Expanded);
    EXPECT_EQ(f.PathT.text(), "");
    EXPECT_EQ(f.TitleT.text(), "");
    EXPECT_TRUE(f.TitleT.hasFocus());

    fake.clipboard = "C:\\x\\setup.exe /q";
    rightClick(f.RUN_B[0]);
    EXPECT_TRUE(s().Expanded);  // a right click never closes the window
    EXPECT_EQ(f.PathT.text(), "C:\\x\\setup.exe /q");

    // An occupied slot keeps its fields and does not read the clipboard.
    headless::click(f.Label2[1]);
    hover(f.RUN_B[1]);
    rightClick(f.RUN_B[1]);
    EXPECT_EQ(f.PathT.text(), "C:\\TOOLS\\EDIT.EXE");
    EXPECT_EQ(f.TitleT.text(), "Edit");
}

TEST_F(RunButtonsTest, UrlModeRightClickTakesOnlyAddresses) {
    startWith({}, {}, "0,1,1");
    fake.clipboard = "see https://example.org";
    rightClick(mainF().RUN_B[2]);
    EXPECT_EQ(mainF().PathT.text(), "see https://example.org");
    mainF().PathT.setText("");
    fake.clipboard = "HTTP://upper.example";
    rightClick(mainF().RUN_B[2]);
    EXPECT_EQ(mainF().PathT.text(), "");
}

TEST_F(RunButtonsTest, ClipboardOffersOnlyItsFirstLineAndThatLineStores) {
    startWith({});
    auto& f = mainF();
    const struct {
        std::string clipboard, path;
    } cases[] = {{"C:\\x\\setup.exe /q\r\n", "C:\\x\\setup.exe /q"},
                 {"C:\\a.exe\nC:\\b.txt", "C:\\a.exe"},
                 {"notes\r\nC:\\b.exe", ""}};  // the first line names no program
    for (const auto& c : cases) {
        SCOPED_TRACE(c.clipboard);
        f.PathT.setText("");
        fake.clipboard = c.clipboard;
        rightClick(f.RUN_B[0]);
        EXPECT_EQ(f.PathT.text(), c.path);
    }
    fake.clipboard = cases[0].clipboard;
    rightClick(f.RUN_B[0]);
    f.TitleT.setText("Setup");
    click(f.Label2[0]);
    EXPECT_EQ(s().RunItems(0, 0).Path, cases[0].path);
    EXPECT_NE(file("TRUN.dat").find("C:\\x\\setup.exe /q\r\n\r\nSetup\r\n"), std::string::npos);
    EXPECT_TRUE(fake.messageBoxes.empty());
}

TEST_F(RunButtonsTest, HoveringShowsSlotsUnlessEditsArePending) {
    fake.addFile("C:\\a.exe", "MZ");
    startWith({{0, "C:\\a.exe", "a", "A"}, {2, "C:\\doc\\memo.txt", "m", "Memo"}});
    auto& f = mainF();
    hover(f.RUN_B[2]);
    EXPECT_EQ(f.ViewCaption.caption(), "Memo");
    EXPECT_EQ(f.PathT.text(), "C:\\doc\\memo.txt");
    EXPECT_EQ(dynamic_cast<const fake::FakeIcon&>(*f.drawnIcons()[0].icon).path, "C:\\doc\\memo.txt");
    hover(f.IconB[1]);  // the icon under a button acts as the button
    EXPECT_EQ(f.ViewCaption.caption(), "@未登録");
    EXPECT_EQ(f.TitleT.text(), "");
    EXPECT_EQ(dynamic_cast<const fake::FakeIcon&>(*f.drawnIcons()[0].icon).path, "C:\\Tolvane\\tolvane.exe");

    // Collapsed, nothing is pending; open with an edit, the slot stays pinned.
    rightClick(f.RUN_B[0]);
    hover(f.RUN_B[0]);
    f.BatchT.setText("changed");
    hover(f.RUN_B[2]);
    EXPECT_EQ(s().CurrentSlot, 0);
    EXPECT_EQ(s().ShownSlot, 0);
    EXPECT_EQ(f.BatchT.text(), "changed");
    headless::click(f.Label2[1]);  // undo closes the window and restores the fields
    hover(f.RUN_B[2]);
    EXPECT_EQ(s().ShownSlot, 2);
}

}  // namespace
