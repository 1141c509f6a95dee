// A long run of a person's random actions on the strip and every dialog that is open, with a fixed
// seed: after every action the state must still be one the stored files can hold, and whenever the
// program ends, and at the end, the files must load back as the state that was saved.
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>

#include "LauncherFixture.h"
#include "StateChecks.h"
#include "state/StoredFiles.h"

namespace {

// 5,000 actions with the other tests; TOLVANE_SOAK_EVENTS overrides the number (tools/bench runs
// 100,000).
int eventCount() {
    const char* value = std::getenv("TOLVANE_SOAK_EVENTS");
    return value ? std::atoi(value) : 5000;
}

// Texts a person may type, paste or drop: Japanese, blanks, what code page 932 cannot hold, line
// breaks, quotes and commas that the stored files treat specially.
const std::vector<std::string> kTexts = {"",
                                         "a",
                                         "メモ帳",
                                         "C:\\Apps\\tool.exe",
                                         "C:\\Docs\\メモ.txt",
                                         "C:\\Folder\\",
                                         "x,y",
                                         "\"quoted\"",
                                         "line\r\nbreak",
                                         "emoji 😀",
                                         "ß ü ñ",
                                         "http://example.com/a b",
                                         "@未登録",
                                         "   ",
                                         "C:\\link.lnk",
                                         "アプリ",
                                         "tab\there"};

const std::vector<std::string> kFiles = {"C:\\Apps\\tool.exe", "C:\\Docs\\メモ.txt", "C:\\Folder",
                                         "C:\\link.lnk",       "C:\\missing.exe",    "C:\\Docs"};

const std::vector<int> kKeys = {'A', 'T', 'M', 'Z', '0', '7', 8,  9,  13,  27,  32,  33, 34,
                                35,  36,  37,  38,  39,  40,  45, 46, 112, 113, 115, 116};

class SoakTest : public LauncherTest {
  protected:
    SoakTest() {
        fake.addFolder("C:\\Apps");
        fake.addFile("C:\\Apps\\tool.exe", "MZ");
        fake.addFolder("C:\\Docs");
        fake.addFile("C:\\Docs\\メモ.txt", "memo");
        fake.addFolder("C:\\Folder");
        fake.addFile("C:\\link.lnk", "L");
        fake.shortcuts["C:\\link.lnk"] = "C:\\Apps\\tool.exe";
        addSkin("second.skn", "MS UI Gothic", 255, "softblue.bmp");
    }

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    template <class T>
    const T& any(const std::vector<T>& from) {
        return from[static_cast<std::size_t>(below(static_cast<int>(from.size())))];
    }

    forms::Form& anyForm() { return *any(backend.liveForms()); }
    forms::Control* anyControl() {
        const auto& controls = anyForm().controls();
        return controls.empty() ? nullptr : any(controls);
    }

    // One action of a person, or of the system on the person's behalf.
    void act() {
        // The answers to whatever the action asks: a message box, a file to open.
        fake.answers = {below(2) ? platform::MessageAnswer::Yes : platform::MessageAnswer::No};
        fake.dialogResults = {below(3) ? "" : any(kFiles)};
        fake.clipboard = any(kTexts);
        forms::Control* control = anyControl();
        switch (below(12)) {
            case 0:
                if (control)
                    headless::click(*control);
                break;
            case 1:
                if (control)
                    headless::doubleClick(*control);
                break;
            case 2:
                if (control)
                    headless::rightClick(*control);
                break;
            case 3:
                if (control)
                    headless::hover(*control, below(20), below(20));
                break;
            case 4:
                headless::pressKey(anyForm(), any(kKeys), below(8));
                break;
            case 5:
                if (control && (control->kind() == forms::Control::Kind::TextBox ||
                                control->kind() == forms::Control::Kind::ComboBox)) {
                    auto& box = static_cast<forms::TextBox&>(*control);
                    if (below(2))
                        headless::typeChar(box, 32 + below(95));
                    else
                        headless::paste(box, any(kTexts));
                }
                break;
            case 6:
                if (control) {
                    std::vector<std::string> files;
                    for (int n = below(3); n >= 0; --n)
                        files.push_back(any(kFiles));
                    below(4) ? headless::drop(*control, files) : headless::dropText(*control);
                }
                break;
            case 7:
                headless::deliverHotkey(mainF(), 1 + below(6));
                break;
            case 8:  // the pointer goes somewhere (often away from the strip), and the clock ticks
                fake.cursor = {below(700) - 100, below(300) - 100};
                headless::movePointer(mainF(), fake.cursor.x, fake.cursor.y);
                fake.clock.second = (fake.clock.second + 1) % 60;
                mainF().Timer1.notifyTick();
                break;
            case 9:  // the options dialog, from which the others open
                headless::rightClick(mainF().IconV);
                break;
            case 10: {
                forms::Form& form = anyForm();
                if (&form != &mainF())
                    headless::closeBox(form);
                break;
            }
            default:
                if (control && control->kind() == forms::Control::Kind::ComboBox) {
                    auto& box = static_cast<forms::ComboBox&>(*control);
                    if (!box.list().empty())
                        headless::pickListEntry(box, below(static_cast<int>(box.list().size())));
                } else if (control && (control->kind() == forms::Control::Kind::ListBox ||
                                       control->kind() == forms::Control::Kind::FileListBox)) {
                    auto& box = static_cast<forms::ListBox&>(*control);
                    if (!box.list().empty())
                        headless::pickListEntry(box, below(static_cast<int>(box.list().size())));
                }
                break;
        }
        fake.processes.clear();
        fake.shellOpens.clear();
        fake.browserAddresses.clear();
        fake.messageBoxes.clear();
        fake.dialogs.clear();
        fake.orderCalls.clear();
    }

    // The three files as they are now, loaded into a fresh state: without a word, and the same as `s`.
    void expectFilesHold(const state::LauncherState& saved, int event) {
        state::LauncherState loaded;
        state::SetPaths(loaded, kFolder, "tolvane");
        fake.messageBoxes.clear();
        state::LoadAll(loaded, fake);
        for (const auto& box : fake.messageBoxes)
            ADD_FAILURE() << "after action " << event << " loading said: " << box.text;
        for (const auto& difference : checks::StoredDifferences(saved, loaded))
            ADD_FAILURE() << "after action " << event << " the files hold another " << difference;
    }

    std::mt19937 rng{20261208};
};

TEST_F(SoakTest, RandomActionsKeepTheStateValidAndTheFilesLoadBackAsSaved) {
    writeSettings();
    writeGrid("TRUN.dat",
              {{0, "C:\\Apps\\tool.exe", "tool", "Tool"}, {5, "C:\\Docs\\メモ.txt", "memo", "メモ"}});
    writeGrid("TURL.dat", {{0, "http://example.com/", "ex", "Example"}});
    ASSERT_TRUE(start());
    const int events = eventCount();
    int restarts = 0;
    int withDialog = 0;  // actions after which a dialog was open
    state::LauncherState valid = s();
    ASSERT_TRUE(checks::StateProblems(valid).empty());
    for (int event = 0; event < events; ++event) {
        act();
        for (const auto& problem : checks::StateProblems(s(), &valid))
            FAIL() << "after action " << event << ": " << problem;
        valid = s();
        withDialog += backend.liveForms().size() > 1 ? 1 : 0;
        if (!mainF().loaded()) {  // the person closed the program: it saved on the way out
            expectFilesHold(s(), event);
            launcher.reset();
            ASSERT_TRUE(start());
            ++restarts;
            valid = s();
            ASSERT_TRUE(checks::StateProblems(valid).empty());
        }
        if (HasFailure())
            return;
    }
    launcher->End();
    expectFilesHold(s(), events);
    RecordProperty("restarts", restarts);
    RecordProperty("actionsWithADialogOpen", withDialog);
    std::set<std::string> forms(backend.createdForms.begin(), backend.createdForms.end());
    std::string names;
    for (const std::string& name : forms)
        names += " " + name;
    std::printf("%d actions, %d restarts, %d with a dialog open; forms opened:%s\n", events, restarts,
                withDialog, names.c_str());
}

}  // namespace
