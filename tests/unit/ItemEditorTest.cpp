#include <functional>

#include "LauncherFixture.h"
#include "RecordingHost.h"
#include "dialogs/itemeditor/ItemOptF.h"
#include "dialogs/itemeditor/LinkCheck.h"
#include "dialogs/options/OptF.h"
#include "state/StoredFiles.h"

using headless::click;
using platform::MessageAnswer;

namespace {

const std::vector<std::string> kSavedAndRedrawn = {"ItemsChanged"};

class ItemEditorTest : public LauncherTest {
  protected:
    ItemEditorTest() {
        fake.addFile("C:\\Tools\\ed.exe", "MZ");
        fake.addFile("C:\\Tools\\ed.lnk", "L");
        fake.shortcuts["C:\\Tools\\ed.lnk"] = "C:\\Tools\\ed.exe";
        fake.addFolder("C:\\Data");
        fake.addFile("C:\\Data\\memo.txt", "m");
        fake.addFile("C:\\Data\\secret.txt", "s", /*hidden=*/true);
    }

    // Starts on these grids (start-up's questions about vanished items answered No) and opens the editor.
    dialogs::ItemOptF& open(int rorEp, const std::vector<Item>& run, const std::vector<Item>& urls = {}) {
        editor.reset();
        launcher.reset();
        writeSettings();
        writeGrid("TRUN.dat", run);
        writeGrid("TURL.dat", urls);
        EXPECT_TRUE(start());
        startupMessages = messages();
        host = std::make_unique<fake::RecordingHost>(mainF());
        editor = forms::makeOwnedForm<dialogs::ItemOptF>(backend, *host, s(), fake);
        editor->load();
        editor->EditGrid(rorEp);
        editor->show();
        fake.writes.clear();
        fake.messageBoxes.clear();
        host->calls.clear();
        return *editor;
    }

    static std::vector<Item> filled(int count) {
        std::vector<Item> items;
        for (int n = 0; n < count; ++n)
            items.push_back({n, "", "b" + std::to_string(n), "t" + std::to_string(n)});
        return items;
    }

    std::vector<std::string> startupMessages;  // what the start before open() asked

    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const auto& box : fake.messageBoxes)
            texts.push_back(box.text);
        return texts;
    }

    // Both grids were saved as they stand in memory.
    void expectSaved() {
        state::LauncherState stored;
        state::SetPaths(stored, kFolder, "tolvane");
        state::LoadAll(stored, fake);
        EXPECT_EQ(stored.RunItems, s().RunItems);
        EXPECT_EQ(stored.UrlItems, s().UrlItems);
    }

    std::unique_ptr<fake::RecordingHost> host;
    forms::OwnedForm<dialogs::ItemOptF> editor;
};

TEST_F(ItemEditorTest, OpensOnEitherGridWithTheFirstSlotSelectedEscRestoresIt) {
    const struct {
        int rorEp;
        const char *label, *frame, *command, *title;
    } cases[] = {
        {0, "ランチャー", "登録ファイルの移動、削除チェック", "チェックする", "エディタ"},
        {1, "ＵＲＬ", "登録URLのリストを作成", "作成", "@未登録"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rorEp);
        auto& e =
            open(c.rorEp, {{0, "C:\\Tools\\ed.exe", "ed", "エディタ"}}, {{5, "http://a/", "a", "ページ"}});
        EXPECT_EQ(e.Label4.caption(), c.label);
        EXPECT_EQ(e.Frame5.caption(), c.frame);
        EXPECT_EQ(e.Command7.caption(), c.command);
        ASSERT_EQ(e.List1.listCount(), 64);
        EXPECT_EQ(e.List1.list()[5], c.rorEp ? "ページ" : "@未登録");
        EXPECT_EQ(e.List1.listIndex(), 0);
        EXPECT_EQ(e.IndexV.caption(), " 1");
        EXPECT_EQ(e.PathT.text(), c.rorEp ? "" : "C:\\Tools\\ed.exe");
        for (forms::TextBox* box : {&e.TitleT, &e.BatchT}) {
            box->setText("typed");
            box->setFocus();
            headless::pressKey(e, forms::kKeyEscape);
            EXPECT_EQ(e.TitleT.text(), c.title);
            EXPECT_EQ(e.BatchT.text(), c.rorEp ? "" : "ed");
        }
    }
    // The URL grid's command hides the editor for the link page dialog, which shows it again.
    click(editor->Command7);
    EXPECT_FALSE(editor->visible());
    EXPECT_EQ(host->calls, std::vector<std::string>{"OpenLinkPageDialog"});
}

TEST_F(ItemEditorTest, MovesCrossPagesTheSelectionFollowsAndNothingIsSaved) {
    const struct {
        int rorEp, from;
        bool down;
        int selected;
    } cases[] = {{0, 0, false, 0}, {0, 63, true, 63}, {0, 3, true, 4}, {1, 4, false, 3}};
    const std::vector<Item> items = {
        {0, "C:\\a", "a", "A"}, {3, "C:\\d", "d", "D"}, {4, "C:\\e", "e", "E"}, {63, "C:\\z", "z", "Z"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from);
        auto& e = open(c.rorEp, items, items);
        const state::Grid& grid = c.rorEp ? s().UrlItems : s().RunItems;
        const state::Grid& other = c.rorEp ? s().RunItems : s().UrlItems;
        const state::Grid before = grid;
        headless::pickListEntry(e.List1, c.from);
        click(c.down ? e.Command3 : e.Command1);
        EXPECT_EQ(grid.at(c.selected), before.at(c.from));
        EXPECT_EQ(grid.at(c.from), before.at(c.selected));
        EXPECT_EQ(other, before);
        EXPECT_EQ(e.List1.listIndex(), c.selected);
        EXPECT_EQ(e.IndexV.caption(), " " + std::to_string(c.selected + 1));
        EXPECT_EQ(e.PathT.text(), before.at(c.from).Path);
        EXPECT_EQ(e.List1.list()[static_cast<std::size_t>(c.from)], grid.at(c.from).Title);
        EXPECT_TRUE(fake.writes.empty());
        EXPECT_EQ(host->calls.size(), c.selected == c.from ? 0u : 1u);
    }
}

TEST_F(ItemEditorTest, ListCommandsStoreRegisterAndDeleteAndSaveAtOnce) {
    const state::ItemRecord typed{"C:\\Tools\\ed.exe", "ed", "エディタ"};
    const std::vector<Item> some = {{3, "C:\\old.exe", "o", "Old"}, {5, "", "f", "F"}, {6, "", "g", "G"}};
    constexpr int kEnterInBatchT = 3;
    const struct {
        const char* name;
        std::vector<Item> grid;
        int selected, command;  // TBCom(command), or Enter in BatchT
        state::ItemRecord text;
        int changed;  // the position that takes the result, -1 for none
        state::ItemRecord result;
        const char* message;
        int rorEp = 0;
    } cases[] = {
        {"overwrite", some, 3, 0, typed, 3, typed, nullptr},
        {"Enter in BatchT", some, 3, kEnterInBatchT, typed, 3, typed, nullptr},
        {"overwrite, empty title", some, 3, 0, {"x", "y", ""}, -1, {}, nullptr},
        {"overwrite with the marker", some, 7, 0, {"p", "b", "@未登録"}, 7, {"p", "b", "@未登録"}, nullptr},
        {"new, full grid", filled(64), 3, 1, typed, -1, {}, "登録に空きがありません"},
        {"new into page 2 slot 1", filled(9), 0, 1, typed, 9, typed, nullptr},
        {"new in the URL grid", filled(9), 0, 1, typed, 9, typed, nullptr, 1},
        {"new, empty title", some, 0, 1, {"p", "", ""}, 0, {"p", "", ""}, nullptr},
        {"delete", some, 5, 2, typed, 5, state::ItemRecord::empty(), nullptr},
        {"overwrite, line break", some, 3, 0, {"p", "b", "a\r\nb"}, -1, {}, "保存できない文字：改行"},
        {"new, no code page 932 form", some, 3, 1, {"C:\\𠮷.exe", "b", "t"}, -1, {}, "保存できない文字：𠮷"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto& e = open(c.rorEp, c.grid, c.grid);
        const state::Grid& grid = c.rorEp ? s().UrlItems : s().RunItems;
        const state::Grid before = grid;
        headless::pickListEntry(e.List1, c.selected);
        e.TitleT.setText(c.text.Title);
        e.BatchT.setText(c.text.Batch);
        e.PathT.setText(c.text.Path);
        if (c.command == kEnterInBatchT) {
            e.BatchT.setFocus();
            headless::pressKey(e, forms::kKeyReturn);
        } else {
            click(e.TBCom[c.command]);
        }
        state::Grid expected = before;
        if (c.changed >= 0)
            expected.at(c.changed) = c.result;
        EXPECT_EQ(grid, expected);
        EXPECT_EQ(c.rorEp ? s().RunItems : s().UrlItems, before);
        EXPECT_EQ(messages(), c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
        if (c.changed < 0) {
            EXPECT_TRUE(fake.writes.empty());
            EXPECT_TRUE(host->calls.empty());
            continue;
        }
        expectSaved();
        EXPECT_EQ(host->calls, kSavedAndRedrawn);
        EXPECT_EQ(e.List1.listIndex(), c.changed);
        EXPECT_EQ(e.List1.list()[static_cast<std::size_t>(c.changed)], c.result.Title);
    }
}

TEST_F(ItemEditorTest, DropsAndTheFileChooserPrepareALauncherItemOnly) {
    const struct {
        int rorEp;
        std::vector<Item> run;
        bool onFrame;
        const char* message;  // nullptr: the first free slot is prepared
    } cases[] = {
        {0, filled(2), false, nullptr},
        {0, filled(2), true, nullptr},
        {0, filled(64), false, "登録に空きがありません"},
        {1, filled(2), false, "ランチャー編集に変更してください"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rorEp << c.onFrame << c.run.size());
        auto& e = open(c.rorEp, c.run);
        const state::Grid before = s().RunItems;
        if (c.rorEp == 0)
            headless::dropText(e.PathT);  // no file list: nothing at all
        headless::drop(c.onFrame ? static_cast<forms::Control&>(e.Frame1) : e.PathT, {"C:\\Tools\\ed.lnk"});
        EXPECT_EQ(s().RunItems, before);
        EXPECT_TRUE(fake.writes.empty());
        EXPECT_EQ(messages(), c.message ? std::vector<std::string>{c.message} : std::vector<std::string>{});
        if (!c.message) {
            EXPECT_EQ(e.List1.listIndex(), 2);
            EXPECT_EQ(e.TitleT.text() + e.BatchT.text(), "");
            EXPECT_EQ(e.PathT.text(), "C:\\Tools\\ed.exe");
            EXPECT_TRUE(e.TitleT.hasFocus());
        }
        fake.dialogResults = {"C:\\Data\\memo.txt"};
        headless::doubleClick(e.PathT);
        EXPECT_EQ(fake.dialogs.size(), c.rorEp == 0 ? 1u : 0u);
        EXPECT_EQ(e.PathT.text() == "C:\\Data\\memo.txt", c.rorEp == 0);
        fake.dialogs.clear();
    }
}

TEST_F(ItemEditorTest, LinkCheckAsksAboutEachMissingPathInListOrder) {
    const std::string note = "リンクに異常は見つかりませんでした。";
    const auto question = [](const std::string& path) {
        return path + "\r\nは移動、または削除されています。\r\n登録から削除しますか？";
    };
    const std::vector<Item> present = {{0, "C:\\Tools\\ed.exe", "", "file"},
                                       {1, "C:\\Data", "", "folder"},
                                       {3, "C:\\Data\\", "", "folder\\"},
                                       {4, "C:\\Data\\*.txt", "", "*"},
                                       {5, "", "", "no path"}};
    std::vector<Item> missing = present;
    missing.push_back({2, "C:\\gone.exe", "g", "gone"});
    missing.push_back({40, "C:\\Data\\secret.txt", "s", "hidden"});
    const std::vector<std::string> twoQuestions = {question("C:\\gone.exe"),
                                                   question("C:\\Data\\secret.txt")};
    const struct {
        const char* name;
        std::vector<Item> grid;
        std::deque<MessageAnswer> answers;
        std::vector<std::string> asked;
        int removed;  // position, or -1
    } cases[] = {
        {"all present", present, {}, {note}, -1},
        {"empty grid", {}, {}, {note}, -1},
        {"no, no", missing, {MessageAnswer::No, MessageAnswer::No}, twoQuestions, -1},
        {"no, yes", missing, {MessageAnswer::No, MessageAnswer::Yes}, twoQuestions, 40},
        {"unmatched pattern", {{9, "C:\\Data\\*.doc", "", "none"}}, {}, {question("C:\\Data\\*.doc")}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto& e = open(0, c.grid);
        headless::pickListEntry(e.List1, 7);
        state::Grid expected = s().RunItems;
        if (c.removed >= 0)
            expected.at(c.removed) = state::ItemRecord::empty();
        fake.answers = c.answers;
        click(e.Command7);
        EXPECT_EQ(messages(), c.asked);
        EXPECT_EQ(s().RunItems, expected);
        EXPECT_EQ(fake.writes.size(), c.removed >= 0 ? 3u : 0u);
        // After a removal the list shows it, and the selection stays where it was.
        EXPECT_EQ(e.List1.list()[40], expected.at(40).Title);
        EXPECT_EQ(e.List1.listIndex(), 7);
    }
}

// A drive or share that is not there now: its registrations are kept and not asked about, at start-up
// and in the link check, and each volume is asked about once per check.
TEST_F(ItemEditorTest, RegistrationsOnVolumesThatDoNotAnswerAreSkippedAndNamed) {
    const auto question = [](const std::string& path) {
        return path + "\r\nは移動、または削除されています。\r\n登録から削除しますか？";
    };
    fake.addFolder("D:\\");
    fake.addFolder("\\\\srv\\share");
    fake.silentVolumes = {"\\\\srv\\share\\"};
    const std::vector<Item> mixed = {{0, "C:\\Tools\\ed.exe", "", "present"},
                                     {1, "q:\\bin\\a.exe", "", "absent drive"},
                                     {2, "Q:\\b.exe", "", "same drive"},
                                     {3, "\\\\SRV\\Share\\x.exe", "", "silent share"},
                                     {4, "//srv/share/y/z.exe", "", "same share"},
                                     {5, "D:\\gone.exe", "", "present drive, missing file"},
                                     {6, "gone.exe", "", "no volume"}};
    const struct {
        const char* name;
        std::vector<Item> grid;
        std::vector<std::string> asked;  // at start-up, and then in the link check before its note
        std::string note;
        std::vector<std::string> probed;  // in each of the two checks
    } cases[] = {
        {"mixed",
         mixed,
         {question("D:\\gone.exe"), question("gone.exe")},
         "接続されていないドライブ・共有にある登録 4 件は確認しませんでした（Q:\\、\\\\SRV\\Share\\）。",
         {"C:\\", "Q:\\", "\\\\SRV\\Share\\", "D:\\"}},
        {"only skipped",
         {{9, "Q:\\a.exe", "", "a"}},
         {},
         "接続されていないドライブ・共有にある登録 1 件は確認しませんでした（Q:\\）。",
         {"Q:\\"}},
        {"all found",
         {{0, "C:\\Tools\\ed.exe", "", "f"}, {1, "D:\\", "", "d"}},
         {},
         "リンクに異常は見つかりませんでした。",
         {"C:\\", "D:\\"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fake.volumeProbes.clear();
        fake.messageBoxes.clear();
        auto& e = open(0, c.grid);
        const state::Grid before = s().RunItems;
        EXPECT_EQ(startupMessages, c.asked);
        EXPECT_EQ(fake.volumeProbes, c.probed);
        fake.volumeProbes.clear();

        click(e.Command7);
        std::vector<std::string> expected = c.asked;
        expected.push_back(c.note);
        EXPECT_EQ(messages(), expected);
        EXPECT_EQ(fake.volumeProbes, c.probed);
        EXPECT_EQ(s().RunItems, before);
    }
    EXPECT_GT(fake.longestProbeLimit.count(), 0);
    EXPECT_LE(fake.longestProbeLimit.count(), 1500);
}

TEST(VolumeOfTest, DriveRootOrShareOrNothing) {
    const struct {
        const char* path;
        const char* volume;
    } cases[] = {
        {"c:\\Tools\\ed.exe", "C:\\"},
        {"Q:", "Q:\\"},
        {"D:relative.txt", "D:\\"},
        {"\\\\srv\\share", "\\\\srv\\share\\"},
        {"\\\\srv\\share\\a\\b", "\\\\srv\\share\\"},
        {"//srv/share/a", "\\\\srv\\share\\"},
        {"\\\\?\\C:\\long\\path", "C:\\"},
        {"\\\\?\\UNC\\srv\\share\\x", "\\\\srv\\share\\"},
        {"\\\\?\\UNC", ""},
        {"\\\\srv", ""},
        {"\\\\srv\\", ""},
        {"tools\\ed.exe", ""},
        {"http://example.com/", ""},
        {"", ""},
        {"1:\\x", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(dialogs::VolumeOf(c.path), c.volume) << c.path;
}

// Through the real launcher: the options dialog opens the editor over itself and shows again after it.
TEST_F(LauncherTest, OptionsOpenTheEditorOverThemselvesAndReturnAfterIt) {
    ASSERT_TRUE(start());
    enum class Way { OkButton, CloseBox, EnterInPath, Esc };
    const struct {
        const char* button;
        int rorEp;
        Way way;
        bool ok;
    } cases[] = {{"Command6", 0, Way::OkButton, true},
                 {"Command5", 1, Way::CloseBox, false},
                 {"Command6", 0, Way::EnterInPath, true},
                 {"Command5", 1, Way::Esc, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.way));
        headless::rightClick(mainF().IconV);
        dialogs::OptF* options = launcher->optionsDialog();
        ASSERT_NE(options, nullptr);
        click(*options->findControl(c.button));
        dialogs::ItemOptF* editor = launcher->itemEditor();
        ASSERT_NE(editor, nullptr);
        EXPECT_FALSE(options->visible());
        EXPECT_TRUE(editor->visible());
        EXPECT_EQ(editor->owner(), &mainF());
        EXPECT_EQ(editor->RorEp, c.rorEp);
        EXPECT_EQ(editor->left(), options->left());
        EXPECT_NEAR(editor->top(), options->top() + (options->height() - editor->height()) / 2,
                    15);  // a pixel
        fake.writes.clear();
        switch (c.way) {
            case Way::OkButton:
                click(editor->OKButton);
                break;
            case Way::CloseBox:
                headless::closeBox(*editor);
                break;
            case Way::EnterInPath:
                editor->PathT.setFocus();
                headless::pressKey(*editor, forms::kKeyReturn);
                break;
            case Way::Esc:
                editor->List1.setFocus();
                headless::pressKey(*editor, forms::kKeyEscape);
                break;
        }
        EXPECT_EQ(launcher->itemEditor(), nullptr);
        EXPECT_TRUE(options->visible());
        EXPECT_EQ(fake.writes.size(), c.ok ? 3u : 0u);
    }
    // The end closes the editor before the dialog it returns to.
    click(launcher->optionsDialog()->Command6);
    launcher->End();
    EXPECT_FALSE(mainF().loaded());
}

// Whatever changes a grid, the strip shows its shown slot as it now stands, so that a store on the
// strip writes what the person sees and never an old copy of the slot over a moved item.
TEST_F(LauncherTest, EveryChangeOfAGridShowsOnTheStripAndAStoreKeepsEveryItem) {
    fake.addFile("C:\\A\\a.exe", "MZ");
    fake.addFile("C:\\B\\b.exe", "MZ");
    const std::vector<Item> grid = {{0, "C:\\A\\a.exe", "a", "AAA"}, {1, "C:\\B\\b.exe", "b", "BBB"}};
    const state::ItemRecord aaa{"C:\\A\\a.exe", "a", "AAA"}, bbb{"C:\\B\\b.exe", "b", "BBB"};
    const state::ItemRecord typed{"C:\\B\\b.exe", "c", "CCC"};
    const struct {
        const char* name;
        int shownSlot;
        bool clock;  // the pointer away: the clock holds the caption
        std::function<void(dialogs::ItemOptF&)> change;
        state::ItemRecord shown;  // what the strip's slot holds afterwards
    } cases[] = {
        {"down", 0, false, [](dialogs::ItemOptF& e) { click(e.Command3); }, bbb},
        {"down with the clock shown", 0, true, [](dialogs::ItemOptF& e) { click(e.Command3); }, bbb},
        {"down, then OK", 0, false,
         [](dialogs::ItemOptF& e) {
             click(e.Command3);
             click(e.OKButton);
         },
         bbb},
        {"overwrite", 0, false,
         [&](dialogs::ItemOptF& e) {
             e.TitleT.setText(typed.Title);
             e.BatchT.setText(typed.Batch);
             e.PathT.setText(typed.Path);
             click(e.TBCom[0]);
         },
         typed},
        {"new into the shown slot", 2, false,
         [&](dialogs::ItemOptF& e) {
             e.TitleT.setText(typed.Title);
             e.BatchT.setText(typed.Batch);
             e.PathT.setText(typed.Path);
             click(e.TBCom[1]);
         },
         typed},
        {"delete", 0, false, [](dialogs::ItemOptF& e) { click(e.TBCom[2]); }, state::ItemRecord::empty()},
        {"link check", 0, true,
         [&](dialogs::ItemOptF& e) {
             fake.removeFile("C:\\A\\a.exe");
             fake.answers = {MessageAnswer::Yes};
             click(e.Command7);
         },
         state::ItemRecord::empty()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        launcher.reset();
        fake.addFile("C:\\A\\a.exe", "MZ");
        writeSettings();
        writeGrid("TRUN.dat", grid);
        writeGrid("TURL.dat", {});
        ASSERT_TRUE(start());
        headless::hover(mainF().RUN_B[c.shownSlot]);
        headless::rightClick(mainF().RUN_B[c.shownSlot]);  // opens the strip on the slot
        headless::rightClick(mainF().IconV);
        click(launcher->optionsDialog()->Command6);
        dialogs::ItemOptF& editor = *launcher->itemEditor();
        // The pointer goes on to the editor, away from the strip (the clock), or stays on the strip.
        if (c.clock)
            headless::movePointer(mainF(), 2000, 2000);
        const std::string caption = mainF().ViewCaption.caption();
        headless::pickListEntry(editor.List1, c.shownSlot);
        c.change(editor);

        EXPECT_EQ(s().RunItems(0, c.shownSlot), c.shown);
        EXPECT_EQ(mainF().TitleT.text(), c.shown.isEmpty() ? "" : c.shown.Title);
        EXPECT_EQ(mainF().BatchT.text(), c.shown.Batch);
        EXPECT_EQ(mainF().PathT.text(), c.shown.Path);
        EXPECT_EQ(mainF().ViewCaption.caption(), c.clock ? caption : c.shown.Title);
        // The options dialog counts what is registered now.
        const int registered = (s().RunItems(0, 0).isEmpty() ? 0 : 1) +
                               (s().RunItems(0, 1).isEmpty() ? 0 : 1) +
                               (s().RunItems(0, 2).isEmpty() ? 0 : 1);
        EXPECT_EQ(launcher->optionsDialog()->TNV1.caption(), " " + std::to_string(registered));

        // Enter, Enter on the strip stores what it shows: nothing registered is lost.
        const state::Grid before = s().RunItems;
        mainF().TitleT.setFocus();
        headless::pressKey(mainF(), forms::kKeyReturn);
        headless::pressKey(mainF(), forms::kKeyReturn);
        EXPECT_EQ(s().RunItems, before);
    }
}

// The removals at start-up reach the strip before it shows; a store or delete on the strip reaches the
// open editor, whose selection stays on its slot.
TEST_F(LauncherTest, RemovalsAtStartAndChangesOnTheStripShowEverywhere) {
    writeSettings();
    writeGrid("TRUN.dat", {{0, "C:\\gone.exe", "g", "GONE"}, {1, "C:\\Tolvane\\tolvane.exe", "t", "TOL"}});
    writeGrid("TURL.dat", {});
    fake.answers = {MessageAnswer::Yes};
    ASSERT_TRUE(start());
    EXPECT_EQ(mainF().ViewCaption.caption(), state::EmptyMarker);
    EXPECT_EQ(mainF().TitleT.text() + mainF().PathT.text(), "");

    headless::rightClick(mainF().IconV);
    click(launcher->optionsDialog()->Command6);
    dialogs::ItemOptF& editor = *launcher->itemEditor();
    headless::pickListEntry(editor.List1, 1);
    const struct {
        int label;
        const char* title;  // in the editor's list line and fields
    } steps[] = {{0, "NEW"}, {2, "@未登録"}};
    for (const auto& step : steps) {
        SCOPED_TRACE(step.label);
        headless::hover(mainF().RUN_B[1]);
        headless::rightClick(mainF().RUN_B[1]);
        mainF().TitleT.setText("NEW");
        click(mainF().Label2[step.label]);
        EXPECT_EQ(editor.List1.list()[1], step.title);
        EXPECT_EQ(editor.List1.listIndex(), 1);
        EXPECT_EQ(editor.TitleT.text(), step.title);
    }
    headless::closeBox(editor);
    EXPECT_EQ(launcher->optionsDialog()->TNV1.caption(), " 0");
}

}  // namespace
