#include "RuntimeCases.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

#include "forms/ControlArray.h"

namespace runtime_cases {
namespace {

using Log = std::vector<std::string>;

const char* modeName(forms::UnloadMode mode) {
    switch (mode) {
        case forms::UnloadMode::CloseBox:
            return "closebox";
        case forms::UnloadMode::Code:
            return "code";
        case forms::UnloadMode::SystemShutdown:
            return "shutdown";
    }
    return "?";
}

// A strip-like owner.
class StripForm : public forms::Form {
  public:
    explicit StripForm(forms::Backend& backend) : Form(backend, "StripF") {
        setCaption("runtime case strip");
        setPixelBounds({40, 40, 256, 28});
    }
};

// A dialog with a control of each kind that takes the focus, some of them out of the tab order
// (disabled, invisible, without a tab stop, inside a disabled frame), that logs its events.
class CaseDialog : public forms::Form {
  public:
    CaseDialog(forms::Backend& backend, forms::Form& owner)
        : Form(backend, "CaseF", forms::FormStyle::Dialog) {
        setOwner(&owner);
        setCaption("runtime case dialog");
        setPixelBounds({120, 120, 0, 0});
        setClientSize(320, 250);
        nameT.move(8, 8, 150, 20);
        kindCom.move(8, 36, 150, 0);
        for (const char* item : {"alpha", "beta", "gamma"})
            kindCom.addItem(item);
        optionsF.move(170, 4, 142, 196);
        optionsF.setCaption("オプション");
        useC.setContainer(optionsF);
        useC.move(8, 20, 120, 18);
        useC.setCaption("使う");
        itemsL.setContainer(optionsF);
        itemsL.move(8, 44, 126, 110);
        for (const char* item : {"a", "b", "c", "d", "e"})
            itemsL.addItem(item);
        pathT.setContainer(optionsF);
        pathT.move(8, 164, 126, 20);
        pathT.setAcceptsDrops(true);
        offF.move(8, 64, 150, 44);
        offF.setEnabled(false);
        offC.setContainer(offF);
        offC.move(8, 18, 120, 18);
        hiddenB.move(8, 112, 70, 24);
        hiddenB.setVisible(false);
        disabledB.move(84, 112, 70, 24);
        disabledB.setEnabled(false);
        noStopC.move(8, 140, 150, 18);
        noStopC.setTabStop(false);
        command[0].move(150, 214, 76, 26);
        command[0].setCaption("OK");
        command[1].move(236, 214, 76, 26);
        command[1].setCaption("キャンセル");
        setDefaultButton(command[0]);

        nameT.onChange = [this] { log.push_back("NameT change " + nameT.text()); };
        nameT.onKeyDown = [this](int& key, int) { log.push_back("NameT down " + std::to_string(key)); };
        kindCom.onChange = [this] { log.push_back("KindCom change " + kindCom.text()); };
        kindCom.onClick = [this] { log.push_back("KindCom click " + kindCom.text()); };
        useC.onClick = [this] { log.push_back("UseC click " + std::to_string(useC.value())); };
        itemsL.onClick = [this] { log.push_back("ItemsL click " + std::to_string(itemsL.listIndex())); };
        pathT.onDragDrop = [this](const forms::DropData& data, const forms::MouseArgs&) {
            log.push_back("PathT drop " + std::to_string(data.files.size()) + " " + data.files.at(0));
        };
        useC.onDragDrop = [this](const forms::DropData&, const forms::MouseArgs&) {
            log.push_back("UseC drop");
        };
        command.onClick([this](int index) { log.push_back("Command click " + std::to_string(index)); });
        command.on(&forms::Control::onMouseDown, [this](int index, const forms::MouseArgs& args) {
            log.push_back("Command down " + std::to_string(index) + " " + std::to_string(args.button));
        });
        command.on(&forms::Control::onMouseUp, [this](int index, const forms::MouseArgs& args) {
            log.push_back("Command up " + std::to_string(index) + " " + std::to_string(args.button));
        });
        onUnloaded = [this] { log.push_back("unloaded"); };
    }

    forms::TextBox nameT{*this, "NameT"};
    forms::ComboBox kindCom{*this, "KindCom"};
    forms::Frame optionsF{*this, "OptionsF"};
    forms::CheckBox useC{*this, "UseC"};
    forms::ListBox itemsL{*this, "ItemsL"};
    forms::TextBox pathT{*this, "PathT"};
    forms::Frame offF{*this, "OffF"};
    forms::CheckBox offC{*this, "OffC"};
    forms::CommandButton hiddenB{*this, "HiddenB"};
    forms::CommandButton disabledB{*this, "DisabledB"};
    forms::CheckBox noStopC{*this, "NoStopC"};
    forms::ControlArray<forms::CommandButton> command{*this, "Command", 2};

    Log log;
    bool cancelUnload = false;

    std::string focusName() const {
        const forms::Control* c = focusedControl();
        if (!c)
            return "-";
        return c->index() < 0 ? c->name() : c->name() + "(" + std::to_string(c->index()) + ")";
    }
    // The log since the last call.
    Log take() { return std::exchange(log, {}); }

  protected:
    void Form_QueryUnload(bool& cancel, forms::UnloadMode mode) override {
        log.push_back(std::string("query ") + modeName(mode));
        cancel = cancelUnload;
    }
    void Form_Unload() override { log.push_back("unload"); }
};

// The strip and its dialog, shown; whatever is still loaded at the end unloads.
struct Scene {
    Scene(forms::Backend& backend, Person& person) : strip(backend), dialog(backend, strip) {
        strip.load();
        strip.show();
        dialog.load();
        person.show(dialog);
    }
    ~Scene() {
        dialog.cancelUnload = false;
        dialog.unload();
        strip.unload();
    }
    StripForm strip;
    CaseDialog dialog;
};

void tabOrder(forms::Backend& backend, Person& person) {
    Scene scene(backend, person);
    CaseDialog& d = scene.dialog;
    EXPECT_EQ(d.focusName(), "NameT") << "the first tab stop has the focus when the dialog opens";
    Log order;
    for (int i = 0; i < 7; ++i) {
        person.pressKey(d, forms::kKeyTab);
        order.push_back(d.focusName());
    }
    EXPECT_EQ(order, (Log{"KindCom", "UseC", "ItemsL", "PathT", "Command(0)", "Command(1)", "NameT"}));
    person.pressKey(d, forms::kKeyTab, forms::kShiftMask);
    EXPECT_EQ(d.focusName(), "Command(1)");
    EXPECT_EQ(d.nameT.text(), "") << "Tab types nothing";
    // A control that became disabled or invisible, or whose frame did, drops out of the order.
    d.kindCom.setEnabled(false);
    d.optionsF.setVisible(false);
    d.nameT.setFocus();
    person.pressKey(d, forms::kKeyTab);
    EXPECT_EQ(d.focusName(), "Command(0)");
    person.pressKey(d, forms::kKeyTab, forms::kShiftMask);
    EXPECT_EQ(d.focusName(), "NameT");
    // The text box's KeyDown sees the Tab that leaves it, and nothing else happens.
    EXPECT_EQ(d.log, Log(3, "NameT down 9"));
}

void textBoxChange(forms::Backend& backend, Person& person) {
    Scene scene(backend, person);
    CaseDialog& d = scene.dialog;
    person.typeText(d.nameT, "ab");
    d.nameT.setText("xy");
    d.nameT.setText("xy");
    EXPECT_EQ(d.take(), (Log{"NameT change a", "NameT change ab", "NameT change xy"}));
    EXPECT_EQ(d.nameT.text(), "xy");
    // The same character typed over itself is no change, but the caret moves past it.
    d.nameT.setSelection({1, 1});
    person.typeText(d.nameT, "y");
    EXPECT_EQ(d.take(), Log{});
    EXPECT_EQ(d.nameT.selection().start, 2);
    EXPECT_EQ(d.nameT.selection().length, 0);
}

void lockedTextBox(forms::Backend& backend, Person& person) {
    Scene scene(backend, person);
    CaseDialog& d = scene.dialog;
    d.nameT.setText("K");
    d.nameT.setLocked(true);
    d.onKeyPress = [&d](int& key) { d.log.push_back("press " + std::to_string(key)); };
    d.setKeyPreview(true);
    d.take();
    person.typeText(d.nameT, "a");
    person.pressKey(d, 8);
    person.pressKey(d, 46);
    person.paste(d.nameT, "zz");
    EXPECT_EQ(d.nameT.text(), "K");
    EXPECT_EQ(d.take(), (Log{"press 97", "NameT down 8", "press 8", "NameT down 46"}))
        << "the keys still reach the handlers";
    d.nameT.setText("Q");
    EXPECT_EQ(d.take(), (Log{"NameT change Q"})) << "program code still sets the text";
    // Unlocked, the same Delete and paste edit it.
    d.nameT.setLocked(false);
    d.nameT.setSelection({0, 0});
    person.pressKey(d, 46);
    person.paste(d.nameT, "zz");
    EXPECT_EQ(d.nameT.text(), "zz");
}

void checkBoxClick(forms::Backend& backend, Person& person) {
    Scene scene(backend, person);
    CaseDialog& d = scene.dialog;
    d.useC.setValue(1);
    d.useC.setValue(1);
    person.click(d.useC);
    EXPECT_EQ(d.focusName(), "UseC");
    person.pressKey(d, forms::kKeySpace);
    EXPECT_EQ(d.take(), (Log{"UseC click 1", "UseC click 0", "UseC click 1"}));
    EXPECT_EQ(d.useC.value(), 1);
    // A check box in a disabled frame takes no click.
    person.click(d.offC);
    EXPECT_EQ(d.offC.value(), 0);
}

void listBoxClick(forms::Backend& backend, Person& person) {
    Scene scene(backend, person);
    CaseDialog& d = scene.dialog;
    d.itemsL.setListIndex(2);
    d.itemsL.setListIndex(2);
    person.pickListEntry(d.itemsL, 4);
    EXPECT_EQ(d.take(), (Log{"ItemsL click 2", "ItemsL click 4"}));
    EXPECT_EQ(d.itemsL.listIndex(), 4);
    EXPECT_EQ(d.focusName(), "ItemsL");
    EXPECT_EQ(d.itemsL.findPrefix("D"), 3);
}

void comboBoxClick(forms::Backend& backend, Person& person) {
    Scene scene(backend, person);
    CaseDialog& d = scene.dialog;
    d.kindCom.setListIndex(1);
    person.pickListEntry(d.kindCom, 2);
    EXPECT_EQ(d.take(), (Log{"KindCom click beta", "KindCom click gamma"}));
    EXPECT_EQ(d.kindCom.text(), "gamma");
    EXPECT_EQ(d.kindCom.listIndex(), 2);
}

void keyPreview(forms::Backend& backend, Person& person) {
    Scene scene(backend, person);
    CaseDialog& d = scene.dialog;
    d.setKeyPreview(true);
    d.onKeyDown = [&d](int& key, int shift) {
        d.log.push_back("form down " + std::to_string(key) + " " + std::to_string(shift));
        if (key == forms::kKeyEscape)
            key = 0;
    };
    d.onKeyPress = [&d](int& key) {
        if (key == 'q')
            key = 0;
    };
    person.pressKey(d, 'A');
    person.pressKey(d, forms::kKeyEscape);
    person.pressKey(d, 'Q');
    person.pressKey(d, 'B', forms::kShiftMask);
    EXPECT_EQ(d.take(),
              (Log{"form down 65 0", "NameT down 65", "NameT change a", "form down 27 0", "form down 81 0",
                   "NameT down 81", "form down 66 1", "NameT down 66", "NameT change aB"}));
}

void buttons(forms::Backend& backend, Person& person) {
    Scene scene(backend, person);
    CaseDialog& d = scene.dialog;
    person.click(d.command[0]);
    EXPECT_EQ(d.focusName(), "Command(0)");
    EXPECT_EQ(d.take(), (Log{"Command down 0 1", "Command up 0 1", "Command click 0"}));
    d.command[1].setFocus();
    person.pressKey(d, forms::kKeyReturn);
    person.pressKey(d, forms::kKeySpace);
    EXPECT_EQ(d.take(), (Log{"Command click 1", "Command click 1"}));
}

// Labels, images and picture boxes: the runtime makes MouseDown, MouseUp, Click and DblClick of the
// presses and releases the backend reports.
void pointerPresses(forms::Backend& backend, Person& person) {
    StripForm strip(backend);
    forms::Label label(strip, "Lab");
    forms::Image image(strip, "Img");
    forms::PictureBox picture(strip, "Pic");
    label.move(10, 4, 40, 20);
    image.move(60, 4, 20, 20);
    picture.move(90, 4, 40, 20);
    Log log;
    for (forms::Control* c : std::initializer_list<forms::Control*>{&label, &image, &picture}) {
        c->onMouseDown = [&log](const forms::MouseArgs& a) { log.push_back("down " + std::to_string(a.button)); };
        c->onMouseUp = [&log](const forms::MouseArgs& a) { log.push_back("up " + std::to_string(a.button)); };
        c->onClick = [&log] { log.push_back("click"); };
        c->onDblClick = [&log] { log.push_back("dblclick"); };
    }
    strip.load();
    person.show(strip);
    const struct {
        const char* what;
        Log events;
    } cases[] = {
        {"L", {"down 1", "up 1", "click"}},
        // The second press of a double click is DblClick alone, so that a run button acts once.
        {"LL", {"down 1", "up 1", "click", "dblclick", "up 1"}},
        {"R", {"down 2", "up 2"}},
        {"RR", {"down 2", "up 2", "down 2", "up 2"}},
        {"L-", {"down 1", "up 1"}},
    };
    for (forms::Control* c : std::initializer_list<forms::Control*>{&label, &image, &picture}) {
        for (const auto& pressed : cases) {
            SCOPED_TRACE(c->name() + " " + pressed.what);
            person.presses(*c, pressed.what);
            EXPECT_EQ(std::exchange(log, {}), pressed.events);
        }
    }
    strip.unload();
}

void enterAndEsc(forms::Backend& backend, Person& person) {
    Scene scene(backend, person);
    CaseDialog& d = scene.dialog;
    d.pathT.onKeyPress = [](int& key) {
        if (key == forms::kKeyReturn)
            key = 0;
    };
    // Enter presses the default button, unless the focused control takes Enter: a button presses
    // itself, a KeyPress handler may swallow it.
    const struct {
        forms::Control* focus;
        Log expected;
    } enters[] = {
        {&d.nameT, {"NameT down 13", "Command click 0"}},
        {&d.useC, {"Command click 0"}},
        {&d.itemsL, {"Command click 0"}},
        {&d.command[1], {"Command click 1"}},
        {&d.pathT, {}},
    };
    for (const auto& enter : enters) {
        enter.focus->setFocus();
        person.pressKey(d, forms::kKeyReturn);
        EXPECT_EQ(d.take(), enter.expected) << "Enter in " << enter.focus->name();
    }
    EXPECT_EQ(d.nameT.text(), "") << "Enter types nothing";
    d.command[0].setEnabled(false);
    d.nameT.setFocus();
    person.pressKey(d, forms::kKeyReturn);
    EXPECT_EQ(d.take(), (Log{"NameT down 13"})) << "a disabled default button takes no Enter";

    // Esc in an open drop-down list only closes the list.
    d.kindCom.setFocus();
    d.kindCom.showDropDown();
    person.pressKey(d, forms::kKeyEscape);
    EXPECT_TRUE(d.loaded());
    EXPECT_FALSE(d.kindCom.droppedDown());
    // Elsewhere Esc goes the close box's way, QueryUnload included.
    d.cancelUnload = true;
    person.pressKey(d, forms::kKeyEscape);
    EXPECT_TRUE(d.loaded());
    d.cancelUnload = false;
    person.pressKey(d, forms::kKeyEscape);
    EXPECT_FALSE(d.loaded());
    EXPECT_EQ(d.take(), (Log{"query closebox", "query closebox", "unload", "unloaded"}));
    EXPECT_TRUE(scene.strip.loaded());
}

void closeAndQueryUnload(forms::Backend& backend, Person& person) {
    Scene scene(backend, person);
    CaseDialog& d = scene.dialog;
    d.cancelUnload = true;
    person.closeBox(d);
    EXPECT_TRUE(d.loaded());
    EXPECT_FALSE(d.unload());
    EXPECT_EQ(d.take(), (Log{"query closebox", "query code"}));
    d.cancelUnload = false;
    person.closeBox(d);
    EXPECT_FALSE(d.loaded());
    EXPECT_EQ(d.take(), (Log{"query closebox", "unload", "unloaded"}));
    EXPECT_TRUE(scene.strip.loaded());
}

void ownerGoesFirst(forms::Backend& backend, Person& person) {
    Scene scene(backend, person);
    CaseDialog& d = scene.dialog;
    scene.strip.unload();
    EXPECT_FALSE(d.loaded());
    EXPECT_EQ(d.take(), (Log{"unload", "unloaded"}));
    // The dialog can be opened again.
    scene.strip.load();
    d.load();
    person.show(d);
    EXPECT_EQ(d.focusName(), "NameT");
}

void drops(forms::Backend& backend, Person& person) {
    Scene scene(backend, person);
    CaseDialog& d = scene.dialog;
    person.drop(d.pathT, {"C:\\ツール\\a.exe", "C:\\b.txt"});
    person.drop(d.useC, {"C:\\c.txt"});
    EXPECT_EQ(d.take(), (Log{"PathT drop 2 C:\\ツール\\a.exe"}));
}

}  // namespace

const std::vector<RuntimeCase>& runtimeCases() {
    static const std::vector<RuntimeCase> cases{
        {"TabOrderSkipsWhatCannotTakeTheFocus", &tabOrder},
        {"TextBoxChangeOncePerChange", &textBoxChange},
        {"LockedTextBoxTakesNoEdits", &lockedTextBox},
        {"CheckBoxClickOncePerChange", &checkBoxClick},
        {"ListBoxClickOncePerPick", &listBoxClick},
        {"ComboBoxClickOncePerPick", &comboBoxClick},
        {"KeyPreviewSeesKeysFirstAndSwallows", &keyPreview},
        {"ButtonsClickByMouseEnterAndSpace", &buttons},
        {"EnterPressesTheDefaultButtonEscClosesAsTheCloseBox", &enterAndEsc},
        {"QueryUnloadTellsCloseBoxFromCode", &closeAndQueryUnload},
        {"DialogUnloadsWhenItsOwnerGoes", &ownerGoesFirst},
        {"DropsReachOnlyControlsThatAcceptThem", &drops},
        {"PressesBecomeClicksAndDoubleClicksOnce", &pointerPresses},
    };
    return cases;
}

}  // namespace runtime_cases
