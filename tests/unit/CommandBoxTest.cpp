#include "LauncherFixture.h"

using headless::click;
using headless::pickListEntry;
using headless::typeChar;
using headless::typeText;

namespace {

class CommandBoxTest : public LauncherTest {
  protected:
    void startWith(const std::vector<Item>& run, const std::vector<Item>& url = {}) {
        writeSettings();
        writeGrid("TURL.dat", url);
        writeGrid("TRUN.dat", run);
        ASSERT_TRUE(start());
        fake.processes.clear();
        fake.shellOpens.clear();
    }
    forms::ComboBox& box() { return mainF().Input_Com; }
    void open() { click(mainF().ViewCaption); }
};

TEST_F(CommandBoxTest, OpeningShowsAnEmptyFocusedBoxWithTheListDropped) {
    startWith({{0, "C:\\a.exe", "notepad", "n"},
               {1, "C:\\b.exe", "", "no short name"},
               {2, "C:\\c.exe", "Notes", "N"}});
    box().setText("left over");
    open();
    EXPECT_TRUE(box().visible());
    EXPECT_TRUE(box().enabled());
    EXPECT_TRUE(box().hasFocus());
    EXPECT_TRUE(box().droppedDown());
    EXPECT_EQ(box().text(), "");
    EXPECT_EQ(box().list(), (std::vector<std::string>{"notepad", "Notes"}));
    EXPECT_TRUE(s().CommandBoxFresh);
}

TEST_F(CommandBoxTest, TypingCompletesFromTheFirstEntryAndSelectsTheTail) {
    fake.addFile("C:\\a.exe", "MZ");
    startWith({{0, "C:\\a.exe", "notepad", "n"}, {2, "C:\\c.exe", "Notes", "N"}});
    open();
    typeChar(box(), 'N');
    EXPECT_EQ(box().text(), "notepad");
    EXPECT_EQ(box().selection(), (forms::Selection{1, 6}));
    EXPECT_EQ(box().listIndex(), 0);
    // The matched item's icon, since its file exists.
    EXPECT_EQ(dynamic_cast<const fake::FakeIcon&>(*mainF().drawnIcons()[0].icon).path, "C:\\a.exe");

    typeChar(box(), 'x');  // replaces the selected tail; nothing continues "nx"
    EXPECT_EQ(box().text(), "nx");
    EXPECT_EQ(box().selection(), (forms::Selection{2, 0}));

    typeChar(box(), 8);
    typeChar(box(), 8);
    typeText(box(), "Note");
    EXPECT_EQ(box().text(), "notepad");
    EXPECT_EQ(box().selection(), (forms::Selection{4, 3}));
    typeChar(box(), 's');
    EXPECT_EQ(box().text(), "Notes");
    EXPECT_EQ(box().selection(), (forms::Selection{5, 0}));
    typeChar(box(), 8);  // Backspace does not complete again
    EXPECT_EQ(box().text(), "Note");
    // A missing file draws the program's own icon instead.
    EXPECT_EQ(dynamic_cast<const fake::FakeIcon&>(*mainF().drawnIcons()[0].icon).path,
              "C:\\Tolvane\\tolvane.exe");
}

// A keystroke sets the text at most once; the dropped list is moved only for a new match. A character
// that the completed text shows next, in its case, only moves the selection on.
TEST_F(CommandBoxTest, AKeystrokeMovesTheListOnlyForANewMatch) {
    startWith({{0, "C:\\a.exe", "notepad", "n"}, {2, "C:\\c.exe", "Notes", "N"}});
    open();
    typeChar(box(), 'n');
    EXPECT_GT(backend.comboListMoves, 0);
    const int moves = backend.comboListMoves;
    struct Step {
        int key;
        int textSets;  // what was typed, as the edit holds it, then the completed text; or none
        bool listMoves;
        forms::Selection after;
    };
    for (const Step step : {Step{'o', 0, false, {2, 5}}, Step{'T', 2, false, {3, 4}},
                            Step{'e', 0, false, {4, 3}}, Step{'s', 2, true, {5, 0}}}) {
        SCOPED_TRACE(static_cast<char>(step.key));
        const int texts = backend.comboTextSets;
        const int before = backend.comboListMoves;
        typeChar(box(), step.key);
        EXPECT_EQ(backend.comboTextSets - texts, step.textSets);
        EXPECT_EQ(backend.comboListMoves != before, step.listMoves);
        EXPECT_EQ(box().selection(), step.after);
        EXPECT_EQ(box().text(), step.key == 's' ? "Notes" : "notepad");
    }
    EXPECT_EQ(box().text(), "Notes");
    EXPECT_EQ(box().listIndex(), 1);
    EXPECT_GT(backend.comboListMoves, moves);
}

TEST_F(CommandBoxTest, PunctuationAfterACompletionIsLeftAsTyped) {
    startWith({{0, "C:\\a.exe", "apple", "a"}, {1, "C:\\b.exe", "a.b", "ab"}});
    open();
    typeText(box(), "a");
    EXPECT_EQ(box().text(), "apple");
    typeChar(box(), '.');
    EXPECT_EQ(box().text(), "a.");
    typeChar(box(), 'b');
    EXPECT_EQ(box().text(), "a.b");
}

TEST_F(CommandBoxTest, EnterStartsOnlyAnExactShortNameTheFirstInPageOrder) {
    fake.addFile("C:\\first.exe", "MZ");
    fake.addFile("C:\\second.exe", "MZ");
    fake.addFile("C:\\x.exe", "MZ");
    startWith({{13, "C:\\second.exe", "ed", "page 3 slot 1"},
               {2, "C:\\first.exe", "ed", "page 0 slot 2"},
               {5, "C:\\x.exe", "NOTEPAD-X", "x"},
               {6, "", "empty", "no path"}});
    open();
    typeText(box(), "NOTEPAD-");  // completion stops after "-"
    typeChar(box(), 13);
    EXPECT_FALSE(box().visible());
    EXPECT_TRUE(fake.processes.empty());

    open();
    typeText(box(), "ed\r");
    EXPECT_EQ(fake.processes, (std::vector<fake::ProcessCall>{{"C:\\first.exe", "C:\\first.exe"}}));

    open();
    typeText(box(), "empty\r");
    open();
    typeChar(box(), 13);
    EXPECT_EQ(fake.processes.size(), 1u);

    open();
    typeChar(box(), 27);
    EXPECT_FALSE(box().visible());
}

TEST_F(CommandBoxTest, CompletionTakesTheListsSpellingBeforeEnter) {
    fake.addFile("C:\\np.exe", "MZ");
    startWith({{0, "C:\\np.exe", "Notepad", "n"}});
    open();
    typeText(box(), "notepad\r");
    EXPECT_EQ(fake.processes, (std::vector<fake::ProcessCall>{{"C:\\np.exe", "C:\\np.exe"}}));
}

TEST_F(CommandBoxTest, APickStartsWhileFreshAndOnlyFillsTheTextAfterTyping) {
    fake.addFile("C:\\a.exe", "MZ");
    fake.addFile("C:\\b.exe", "MZ");
    fake.addFile("C:\\c.exe", "MZ");
    startWith({{0, "C:\\a.exe", "aa", "a"}, {1, "C:\\b.exe", "bb", "b"}, {2, "C:\\c.exe", "cc", "c"}});
    open();
    pickListEntry(box(), 2);
    EXPECT_FALSE(box().visible());
    EXPECT_EQ(fake.processes, (std::vector<fake::ProcessCall>{{"C:\\c.exe", "C:\\c.exe"}}));

    open();
    typeChar(box(), 'z');
    pickListEntry(box(), 1);
    EXPECT_TRUE(box().visible());
    EXPECT_EQ(box().text(), "bb");
    EXPECT_EQ(fake.processes.size(), 1u);
}

TEST_F(CommandBoxTest, UrlModeOpensTheAddressAndLosingFocusCloses) {
    startWith({{0, "C:\\a.exe", "aa", "a"}},
              {{3, "http://example.com/", "ex", "Example"}, {4, "", "nothing", "n"}});
    mainF().SwitchMode();
    open();
    EXPECT_EQ(box().list(), (std::vector<std::string>{"ex", "nothing"}));
    typeText(box(), "ex\r");
    open();
    typeText(box(), "nothing\r");
    EXPECT_EQ(fake.browserAddresses, std::vector<std::string>{"http://example.com/"});
    EXPECT_TRUE(mainF().drawnIcons().empty());

    open();
    mainF().TitleT.setFocus();
    EXPECT_FALSE(box().visible());
}

TEST(FindListEntry, IgnoresCaseAndFindsNothingForEmptyTextOrOtherControls) {
    headless::HeadlessBackend backend;
    fake::FakePlatform platform;
    state::LauncherState s;
    mainwindow::MainF form(backend, s, platform);
    form.Input_Com.addItem("Alpha");
    form.Input_Com.addItem("alphabet");
    form.Input_Com.addItem("ＡＢＣ");
    EXPECT_EQ(mainwindow::FindListEntry(form.Input_Com, "ALPHAB"), 1);
    EXPECT_EQ(mainwindow::FindListEntry(form.Input_Com, "alpha", true), 0);
    EXPECT_EQ(mainwindow::FindListEntry(form.Input_Com, "ａｂ"), 2);
    EXPECT_EQ(mainwindow::FindListEntry(form.Input_Com, ""), -1);
    EXPECT_EQ(mainwindow::FindListEntry(form.Input_Com, "alp", true), -1);
    EXPECT_EQ(mainwindow::FindListEntry(form.PageV, "Alpha"), -1);
}

}  // namespace
