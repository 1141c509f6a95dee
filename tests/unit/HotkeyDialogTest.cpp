// The hotkey capture dialog, opened from the options dialog of the real launcher.
#include "LauncherFixture.h"
#include "dialogs/hotkey/THotKeyOpt.h"
#include "dialogs/options/OptF.h"

namespace {

using Hotkey = headless::HeadlessBackend::Hotkey;
constexpr forms::Modifiers kCtrlAlt{.ctrl = true, .alt = true}, kAltShift{.shift = true, .alt = true},
    kShift{.shift = true};

class HotkeyDialogTest : public LauncherTest {
  protected:
    void SetUp() override { ASSERT_TRUE(start()); }
    dialogs::OptF& options() {
        if (!launcher->optionsDialog())
            headless::rightClick(mainF().IconV);
        return *launcher->optionsDialog();
    }
    dialogs::THotKeyOpt& open(int id) {
        headless::click(options().HotKeyV[id]);
        return *launcher->hotkeyDialog();
    }
};

TEST_F(HotkeyDialogTest, OpensFilledBesideTheOptionsDialogWithOkFocused) {
    dialogs::OptF& opt = options();
    dialogs::THotKeyOpt& d = open(1);
    EXPECT_EQ(d.caption(), "Tolvane HotKey Option");
    EXPECT_EQ(d.clientWidth(), 278);
    EXPECT_EQ(d.clientHeight(), 104);
    EXPECT_EQ(d.HotKeyTitle.caption(), "モード変更：");
    EXPECT_EQ(d.HotC.value(), 1);
    EXPECT_EQ(d.HotA.value(), 1);
    EXPECT_EQ(d.HotS.value(), 0);
    EXPECT_EQ(d.HotW.text(), "M");
    EXPECT_EQ(d.HK_IDGiven, 1);
    EXPECT_EQ(d.pixelBounds().left, opt.pixelBounds().left);
    EXPECT_EQ(d.pixelBounds().top, opt.pixelBounds().top + 160 + 64 + 52);
    EXPECT_TRUE(opt.visible());
    std::vector<std::string> order;
    for (int i = 0; i < 6; ++i) {
        order.push_back(d.focusedControl()->name());
        headless::pressKey(d, forms::kKeyTab);
    }
    EXPECT_EQ(order, (std::vector<std::string>{"OKButton", "CancelButton", "HotC", "HotA", "HotS", "HotW"}));

    // Another hotkey text fills the open dialog anew.
    EXPECT_EQ(open(3).HotKeyTitle.caption(), "省略起動（ランチャー）：");
    EXPECT_EQ(d.HotW.text(), "R");
    EXPECT_EQ(d.HK_IDGiven, 3);
}

TEST_F(HotkeyDialogTest, OnlyLetterAndDigitKeysReachTheKeyField) {
    dialogs::THotKeyOpt& d = open(2);
    struct Case {
        int key, shift;
        const char* want;
    };
    const Case cases[] = {{'Q', 0, "Q"},  {'Q', forms::kShiftMask, "Q"},
                          {'7', 0, "7"},  {0x61, 0, "7"},  // a keypad digit
                          {0x74, 0, "7"},                  // F5
                          {8, 0, "7"},    {46, 0, "7"},
                          {0xBA, 0, "7"}};
    for (bool inKeyField : {false, true}) {
        if (inKeyField)
            d.HotW.setFocus();
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.key << " " << c.shift << " " << inKeyField);
            headless::pressKey(d, c.key, c.shift);
            EXPECT_EQ(d.HotW.text(), c.want);
        }
        headless::paste(d.HotW, "AB");
        EXPECT_EQ(d.HotW.text(), "7");
        EXPECT_EQ(d.HotS.value(), 0) << "holding Shift ticks nothing";
    }
    EXPECT_EQ(s().Hotkeys[2].Key, "C") << "nothing is stored before OK";
}

TEST_F(HotkeyDialogTest, OkStoresReRegistersAndRefreshesTheTexts) {
    dialogs::THotKeyOpt& d = open(2);
    headless::click(d.HotC);
    headless::click(d.HotS);
    headless::pressKey(d, 'K');
    fake.writes.clear();
    headless::click(d.OKButton);
    EXPECT_FALSE(launcher->hotkeyDialog());
    EXPECT_EQ(s().Hotkeys[2], (state::HotkeyEntry{0, 1, 1, "K"}));
    EXPECT_EQ(options().HotKeyV[2].caption(), "Alt + Shift + K");
    EXPECT_EQ(backend.hotkeyOf(mainF(), 2), (Hotkey{kAltShift, 'K'}));
    EXPECT_EQ(backend.hotkeyOf(mainF(), 0), (Hotkey{kCtrlAlt, 'T'}));
    EXPECT_TRUE(fake.messageBoxes.empty());
    EXPECT_TRUE(fake.writes.empty()) << "the next save stores it";
    headless::deliverHotkey(mainF(), 2);
    EXPECT_TRUE(mainF().Input_Com.visible());

    // Enter is OK, Esc and the close box cancel.
    dialogs::THotKeyOpt& again = open(4);
    headless::pressKey(again, 'Z');
    headless::pressKey(again, forms::kKeyReturn);
    EXPECT_EQ(s().Hotkeys[4].Key, "Z");
    for (int way = 0; way < 2; ++way) {
        dialogs::THotKeyOpt& cancelled = open(4);
        headless::pressKey(cancelled, '5');
        if (way == 0)
            headless::pressKey(cancelled, forms::kKeyEscape);
        else
            headless::closeBox(cancelled);
        EXPECT_FALSE(launcher->hotkeyDialog());
        EXPECT_EQ(s().Hotkeys[4].Key, "Z");
    }
}

TEST_F(HotkeyDialogTest, ATakenCombinationIsStoredShownAsRefusedAndDisturbsNoOther) {
    forms::Form other(backend, "other");
    other.load();
    ASSERT_TRUE(other.registerHotkey(9, kCtrlAlt, 'Q'));

    dialogs::THotKeyOpt& d = open(2);
    headless::pressKey(d, 'Q');
    headless::click(d.OKButton);
    ASSERT_EQ(fake.messageBoxes.size(), 1u);
    EXPECT_EQ(fake.messageBoxes[0].text.substr(0, fake.messageBoxes[0].text.find("\r\n")),
              "Ctrl + Alt + Q は登録できませんでした。");
    EXPECT_EQ(s().Hotkeys[2].Key, "Q");
    EXPECT_EQ(options().HotKeyV[2].caption(), "Ctrl + Alt + Q ×");
    EXPECT_NE(options().HotKeyV[2].foreColor(), options().HotKeyV[1].foreColor());
    for (int id : {0, 1, 3, 4})
        EXPECT_TRUE(backend.hotkeyOf(mainF(), id).has_value()) << id;

    // Hotkey 2 asks for hotkey 0's combination: 0 keeps it. Once 0 moves on, 2 gets it.
    headless::pressKey(open(2), 'T');
    headless::click(launcher->hotkeyDialog()->OKButton);
    EXPECT_EQ(backend.hotkeyOf(mainF(), 0), (Hotkey{kCtrlAlt, 'T'}));
    EXPECT_FALSE(backend.hotkeyOf(mainF(), 2).has_value());
    headless::pressKey(open(0), 'Y');
    headless::click(launcher->hotkeyDialog()->OKButton);
    EXPECT_EQ(backend.hotkeyOf(mainF(), 0), (Hotkey{kCtrlAlt, 'Y'}));
    EXPECT_EQ(backend.hotkeyOf(mainF(), 2), (Hotkey{kCtrlAlt, 'T'}));
    EXPECT_EQ(options().HotKeyV[2].caption(), "Ctrl + Alt + T");
    EXPECT_EQ(fake.messageBoxes.size(), 2u);

    // A refused one shows as refused when the options dialog opens, too.
    headless::pressKey(open(1), 'Q');
    headless::click(launcher->hotkeyDialog()->OKButton);
    options().unload();
    EXPECT_EQ(options().HotKeyV[1].caption(), "Ctrl + Alt + Q ×");
    other.unload();
}

// A hand-edited settings file may hold any number for a modifier: registration, the text and the
// check boxes all count anything but 0 as set, and OK stores 0 or 1.
TEST_F(LauncherTest, AnyNonzeroModifierCountsAsSetEverywhere) {
    writeStored("Tolv.ini", {"0,0,0", "0,0,1", "C:\\ie.exe", "softblue.skn", "2,-1,0,\"T\"", "0,0,7,\"M\"",
                             "1,1,0,\"C\"", "1,1,0,\"R\"", "1,1,0,\"W\"", "mm/dd(ddd) hh:mm:ss", "0"});
    const struct {
        int id;
        Hotkey registered;
        const char *text, *stored;
    } cases[] = {{0, {kCtrlAlt, 'T'}, "Ctrl + Alt + T", "\r\n1,1,0,\"T\"\r\n"},
                 {1, {kShift, 'M'}, "Shift + M", "\r\n0,0,1,\"M\"\r\n"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        ASSERT_TRUE(start());
        EXPECT_EQ(backend.hotkeyOf(mainF(), c.id), c.registered);
        headless::rightClick(mainF().IconV);
        dialogs::OptF& options = *launcher->optionsDialog();
        EXPECT_EQ(options.HotKeyV[c.id].caption(), c.text);
        headless::click(options.HotKeyV[c.id]);
        dialogs::THotKeyOpt& d = *launcher->hotkeyDialog();
        EXPECT_EQ((forms::Modifiers{.shift = d.HotS.value() == 1, .ctrl = d.HotC.value() == 1,
                                    .alt = d.HotA.value() == 1}),
                  c.registered.modifiers);
        headless::click(d.OKButton);
        launcher->End();
        EXPECT_NE(file("Tolv.ini").find(c.stored), std::string::npos);
    }
}

}  // namespace
