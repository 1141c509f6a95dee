// The options dialog through the real launcher: opened by a right click on the mode icon.
#include "LauncherFixture.h"
#include "LayoutChecks.h"
#include "RecordingHost.h"
#include "dialogs/hotkey/THotKeyOpt.h"
#include "dialogs/itemeditor/ItemOptF.h"
#include "dialogs/linkpage/HTMLGF.h"
#include "dialogs/options/OptF.h"
#include "dialogs/skins/SkinForm.h"

namespace {

class OptionsTest : public LauncherTest {
  protected:
    dialogs::OptF& open() {
        headless::rightClick(mainF().IconV);
        dialogs::OptF* dialog = launcher->optionsDialog();
        if (!dialog)
            throw std::runtime_error("the options dialog did not open");
        return *dialog;
    }
    std::vector<std::string> iniLines() const {
        std::vector<std::string> lines;
        const std::string text = *platform::fromCp932(file("Tolv.ini"));
        for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
            lines.push_back(text.substr(at, end - at));
        return lines;
    }
    std::size_t slotIcons() const {
        std::size_t count = 0;
        for (const forms::DrawnIcon& icon : launcher->mainForm().drawnIcons())
            count += icon.x >= 44 ? 1 : 0;
        return count;
    }
};

TEST_F(OptionsTest, LoadFillsEveryControlFromTheState) {
    fake.addFile("C:\\Tools\\a.exe", "MZ");
    writeSettings("0,0,0", "0,0,1", "softblue.skn", "1");
    writeGrid("TRUN.dat", {{0, "C:\\Tools\\a.exe", "a", "A"},
                           {1, "C:\\Tools\\a.exe", "b", "B"},
                           {9, "C:\\Tools\\a.exe", "c", "C"},
                           {40, "", "", "D"},
                           {63, "", "", "E"}});
    writeGrid("TURL.dat", {});
    ASSERT_TRUE(start());
    s().ClockFormat = "hh:nn 独自";
    mainF().drawIcons({});

    dialogs::OptF& d = open();
    EXPECT_EQ(d.caption(), "Tolvane Option");
    EXPECT_EQ(d.owner(), &mainF());
    EXPECT_EQ(d.clientWidth(), 397);
    EXPECT_EQ(d.clientHeight(), 423);
    EXPECT_TRUE(d.visible());
    EXPECT_EQ(d.IEU.value(), 1);
    EXPECT_EQ(d.IE_PathT.text(), state::kDefaultBrowserPath);
    EXPECT_EQ(d.skinC.caption(), "softblue.skn");
    const char* texts[] = {"Ctrl + Alt + T", "Ctrl + Alt + M", "Ctrl + Alt + C", "Ctrl + Alt + R",
                           "Ctrl + Alt + W"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(d.HotKeyV[i].caption(), texts[i]);
    EXPECT_EQ(d.HTI[3].caption(), "省略起動（ランチャー）：");
    ASSERT_EQ(d.TimeViewCap.list().size(), 9u);
    EXPECT_EQ(d.TimeViewCap.list()[1], "mm/dd(aaa) hh:mm:ss");
    EXPECT_EQ(d.TimeViewCap.list()[8], "yy/mm/dd(aaa) hh:mm");
    EXPECT_EQ(d.TimeViewCap.text(), "hh:nn 独自") << "a pattern outside the nine shows as the text";
    EXPECT_EQ(d.TNV1.caption(), " 5");
    EXPECT_EQ(d.TNV2.caption(), " 0");
    EXPECT_EQ(d.IconFC.value(), 1);
    EXPECT_EQ(slotIcons(), 2u) << "ShowIcon 1 raised IconFC's Click, which redrew the panel";
}

TEST_F(OptionsTest, BrowserFieldsWaitForOkWhichSavesAllThreeFiles) {
    ASSERT_TRUE(start());
    dialogs::OptF& first = open();
    fake.dialogResults = {"C:\\Browsers\\b.exe", ""};
    headless::click(first.Command1);
    ASSERT_EQ(fake.dialogs.size(), 1u);
    EXPECT_EQ(fake.dialogs[0].filters, (std::vector<platform::FilterPair>{{"実行ファイル(*.exe)", "*.exe"}}));
    EXPECT_EQ(first.IE_PathT.text(), "C:\\Browsers\\b.exe");
    headless::click(first.Command1);
    EXPECT_EQ(first.IE_PathT.text(), "C:\\Browsers\\b.exe") << "a cancelled browse keeps the field";
    fake.writes.clear();
    headless::click(first.Command3);
    EXPECT_FALSE(launcher->optionsDialog());
    EXPECT_EQ(s().BrowserPath, state::kDefaultBrowserPath);
    EXPECT_TRUE(fake.writes.empty());

    dialogs::OptF& second = open();
    EXPECT_EQ(second.IE_PathT.text(), state::kDefaultBrowserPath) << "filled afresh";
    second.IE_PathT.setText("C:\\ブラウザ☃.exe");
    headless::click(second.Command2);
    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.messageBoxes[0].text, "保存できない文字：☃");
    EXPECT_TRUE(second.loaded());
    EXPECT_TRUE(fake.writes.empty());

    second.IE_PathT.setText("D:\\ブラウザ\\b.exe");
    headless::click(second.IEU);
    second.IE_PathT.setFocus();
    headless::pressKey(second, forms::kKeyReturn);  // OK
    EXPECT_FALSE(launcher->optionsDialog());
    EXPECT_EQ(s().UseInternetExplorer, 0);
    EXPECT_EQ(fake.writes.size(), 3u);
    EXPECT_EQ(iniLines().at(1), "0,0,0");
    EXPECT_EQ(iniLines().at(2), "D:\\ブラウザ\\b.exe");
}

TEST_F(OptionsTest, ClockPatternActsAtOnceAndSurvivesCancel) {
    ASSERT_TRUE(start());
    dialogs::OptF& d = open();
    // The pointer goes on to the dialog, away from the strip: the caption shows the clock.
    fake.cursor = {600, 600};
    headless::movePointer(mainF(), 600, 600);
    struct Case {
        int pick;  // -1: typed
        std::string typed, caption;
    };
    const Case cases[] = {{6, "", "2026/12/07 09:05:03"}, {-1, "hh時nn分", "09時05分"}, {-1, "", ""}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.caption);
        if (c.pick >= 0)
            headless::pickListEntry(d.TimeViewCap, c.pick);
        else
            d.TimeViewCap.setText(c.typed);
        headless::click(d.Command7);
        mainF().Timer1.notifyTick();
        EXPECT_EQ(mainF().ViewCaption.caption(), c.caption);
    }
    d.TimeViewCap.setText("ss秒");
    headless::click(d.Command7);
    d.TimeViewCap.setText("💥");
    headless::click(d.Command7);
    EXPECT_EQ(fake.messageBoxes.back().text, "保存できない文字：💥");
    EXPECT_EQ(s().ClockFormat, "ss秒");
    d.TimeViewCap.setFocus();
    headless::pressKey(d, forms::kKeyEscape);  // as the close box
    EXPECT_FALSE(launcher->optionsDialog());
    EXPECT_EQ(s().ClockFormat, "ss秒");
    launcher->End();
    EXPECT_EQ(iniLines().at(9), "ss秒");
}

TEST_F(OptionsTest, IconCheckBoxRedrawsOnlyInLauncherMode) {
    fake.addFile("C:\\Tools\\a.exe", "MZ");
    writeSettings();
    writeGrid("TRUN.dat", {{0, "C:\\Tools\\a.exe", "a", "A"}});
    ASSERT_TRUE(start());
    dialogs::OptF& d = open();
    headless::click(d.IconFC);
    EXPECT_EQ(s().ShowIcon, 1);
    EXPECT_EQ(slotIcons(), 1u);
    headless::click(d.IconFC);
    EXPECT_EQ(s().ShowIcon, 0);
    EXPECT_EQ(slotIcons(), 0u);

    headless::doubleClick(mainF().IconV);  // URL mode
    const int repaints = backend.surfaceRepaints;
    headless::click(d.IconFC);
    EXPECT_EQ(s().ShowIcon, 1);
    EXPECT_EQ(backend.surfaceRepaints, repaints);
}

TEST_F(OptionsTest, SkinAndItemEditorButtonsHideTheDialogAndAskTheHost) {
    ASSERT_TRUE(start());
    fake::RecordingHost host(mainF());
    dialogs::OptF d(backend, host, s(), fake);
    d.load();
    d.show();
    struct Case {
        forms::CommandButton& button;
        const char* call;
    };
    const Case cases[] = {
        {d.Command4, "OpenSkinDialog"}, {d.Command5, "OpenItemEditor 1"}, {d.Command6, "OpenItemEditor 0"}};
    for (const Case& c : cases) {
        host.calls.clear();
        d.show();
        headless::click(c.button);
        EXPECT_FALSE(d.visible()) << c.call;
        EXPECT_EQ(host.calls, std::vector<std::string>{c.call});
    }
    // Without the skins folder only the message comes.
    fake.removeFile("C:\\Tolvane\\skins");
    d.show();
    host.calls.clear();
    headless::click(d.Command4);
    EXPECT_TRUE(d.visible());
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(fake.messageBoxes.back().text, "C:\\Tolvane\\skins\r\nフォルダが見つかりません。");
    d.unload();
}

TEST_F(OptionsTest, ReturnAndCurrentSkinReachTheOpenDialog) {
    ASSERT_TRUE(start());
    dialogs::OptF& d = open();
    d.hide();
    headless::rightClick(mainF().IconV);
    EXPECT_FALSE(d.visible()) << "it stays behind the dialog it opened";
    launcher->ShowCurrentSkin("other.skn");
    launcher->ReturnToOptions();
    EXPECT_TRUE(d.visible());
    EXPECT_EQ(d.skinC.caption(), "other.skn");
}

TEST_F(OptionsTest, OpensBesideTheStripInEveryQuarterAndStaysOnItsMonitor) {
    fake.monitorRects = {{0, 0, 1280, 800}, {1280, -100, 1024, 768}};
    ASSERT_TRUE(start());
    struct Case {
        int left, top;          // the strip, pixels
        int wantLeft, wantTop;  // the dialog
    };
    const Case cases[] = {
        {0, 0, 0, 28},           // upper left: below, left edges aligned
        {1000, 10, 859, 38},     // upper right: right edges aligned
        {10, 700, 10, 277},      // lower left: above
        {1024, 772, 883, 349},   // lower right
        {0, 380, 0, 377},        // below would leave the screen: pulled up onto it
        {2000, 560, 1859, 137},  // the second monitor, lower right of it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.left << "," << c.top);
        mainF().move(c.left * 15.0, c.top * 15.0);
        dialogs::OptF& d = open();
        EXPECT_EQ(d.pixelBounds().left, c.wantLeft);
        EXPECT_EQ(d.pixelBounds().top, c.wantTop);
        d.unload();
    }
}

TEST_F(OptionsTest, ClosingTheStripClosesTheDialogsFirstAndSavesOnce) {
    ASSERT_TRUE(start());
    for (bool byEndLabel : {true, false}) {
        SCOPED_TRACE(byEndLabel);
        if (!byEndLabel) {
            ASSERT_TRUE(start());
        }
        dialogs::OptF& d = open();
        headless::click(d.HotKeyV[0]);
        ASSERT_TRUE(launcher->hotkeyDialog());
        fake.writes.clear();
        if (byEndLabel)
            headless::click(mainF().End_B);
        else
            mainF().notifyCloseRequested(forms::UnloadMode::SystemShutdown);
        EXPECT_FALSE(launcher->optionsDialog());
        EXPECT_FALSE(launcher->hotkeyDialog());
        EXPECT_FALSE(mainF().loaded());
        EXPECT_EQ(fake.writes.size(), 3u);
    }
}

// Which window takes the keyboard: each dialog as it opens, and the one that opened it again as it
// closes. Each active one lies out whole: nothing leaves its client area and nothing overlaps.
TEST_F(OptionsTest, EachDialogIsActiveWhenItOpensAndItsOpenerAgainWhenItClosesAndLiesOutWhole) {
    ASSERT_TRUE(start());
    app::Launcher& l = *launcher;
    const auto options = [&]() -> forms::Form* { return l.optionsDialog(); };
    const auto editor = [&]() -> forms::Form* { return l.itemEditor(); };
    const struct {
        const char* step;
        std::function<void()> act;
        std::function<forms::Form*()> active;
    } steps[] = {
        {"options from the strip", [&] { headless::rightClick(mainF().IconV); }, options},
        {"skin dialog", [&] { headless::click(l.optionsDialog()->Command4); },
         [&] { return l.skinDialog(); }},
        {"skin dialog cancelled", [&] { headless::click(l.skinDialog()->Command2); }, options},
        {"item editor", [&] { headless::click(l.optionsDialog()->Command5); }, editor},
        {"link page dialog", [&] { headless::click(l.itemEditor()->Command7); },
         [&] { return l.linkPageDialog(); }},
        {"link page dialog cancelled", [&] { headless::click(l.linkPageDialog()->Command2); }, editor},
        {"item editor closed", [&] { headless::closeBox(*l.itemEditor()); }, options},
        {"hotkey capture", [&] { headless::click(l.optionsDialog()->HotKeyV[0]); },
         [&] { return l.hotkeyDialog(); }},
    };
    for (const auto& step : steps) {
        step.act();
        const forms::Form* expected = step.active();
        ASSERT_NE(expected, nullptr) << step.step;
        EXPECT_EQ(backend.activeForm ? backend.activeForm->name() : "none", expected->name()) << step.step;
        EXPECT_EQ(checks::LayoutProblems(*expected), std::vector<std::string>{}) << step.step;
    }
}

}  // namespace
