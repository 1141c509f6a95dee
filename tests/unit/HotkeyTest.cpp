#include "LauncherFixture.h"
#include "hotkeys/HotkeyCombination.h"
#include "hotkeys/Registrations.h"

namespace {

constexpr forms::Modifiers kCtrlAlt{.ctrl = true, .alt = true};
using Hotkey = headless::HeadlessBackend::Hotkey;

TEST_F(LauncherTest, DefaultHotkeysAreHeldByTheStripAndATakenOneStaysSilentlyUnregistered) {
    // Another window holds Ctrl + Alt + C before the launcher starts.
    forms::Form other(backend, "other");
    other.load();
    ASSERT_TRUE(other.registerHotkey(9, kCtrlAlt, 'C'));

    ASSERT_TRUE(start());
    const unsigned keys[] = {'T', 'M', 0, 'R', 'W'};
    for (int id = 0; id < 5; ++id) {
        SCOPED_TRACE(id);
        if (keys[id] == 0)
            EXPECT_FALSE(backend.hotkeyOf(mainF(), id).has_value());
        else
            EXPECT_EQ(backend.hotkeyOf(mainF(), id), (Hotkey{kCtrlAlt, keys[id]}));
    }
    EXPECT_TRUE(fake.messageBoxes.empty());
    other.unload();
}

TEST_F(LauncherTest, HotkeysRunTheirAction) {
    ASSERT_TRUE(start());

    headless::deliverHotkey(mainF(), 0);
    EXPECT_EQ(mainF().zoL.caption(), "B");
    EXPECT_EQ(fake.orderCalls.back().second, platform::WindowOrder::Bottom);

    // The lock stops the mouse, not the hotkey, and survives it.
    s().ZOrderLock = 1;
    headless::deliverHotkey(mainF(), 0);
    EXPECT_EQ(mainF().zoL.caption(), "T");
    EXPECT_EQ(s().ZOrderLock, 1);
    mainF().ToggleZOrder();
    EXPECT_EQ(mainF().zoL.caption(), "T");

    const auto orders = fake.orderCalls.size();
    headless::deliverHotkey(mainF(), 7);
    EXPECT_EQ(fake.orderCalls.size(), orders);
    EXPECT_EQ(mainF().zoL.caption(), "T");
    EXPECT_EQ(s().Mode, state::GridMode::Launcher);
    EXPECT_FALSE(mainF().Input_Com.visible());
}

TEST_F(LauncherTest, ModeHotkeysSwitchAndOpenTheCommandBox) {
    writeSettings();
    writeGrid("TURL.dat", {{0, "http://example.com/", "web", "Web"}});
    writeGrid("TRUN.dat", {{0, "C:\\Tolvane\\tolvane.exe", "self", "Self"}});
    ASSERT_TRUE(start());

    headless::deliverHotkey(mainF(), 1);
    EXPECT_EQ(s().Mode, state::GridMode::Url);
    EXPECT_FALSE(mainF().Input_Com.visible());

    headless::deliverHotkey(mainF(), 3);
    EXPECT_EQ(s().Mode, state::GridMode::Launcher);
    EXPECT_TRUE(mainF().Input_Com.visible());
    EXPECT_EQ(mainF().Input_Com.list(), std::vector<std::string>{"self"});
    EXPECT_TRUE(s().CommandBoxFresh);

    headless::deliverHotkey(mainF(), 4);
    EXPECT_EQ(s().Mode, state::GridMode::Url);
    EXPECT_EQ(mainF().Input_Com.list(), std::vector<std::string>{"web"});

    headless::deliverHotkey(mainF(), 2);
    EXPECT_EQ(s().Mode, state::GridMode::Url);
}

TEST_F(LauncherTest, ReRegistrationReplacesTheOldCombinationAndSkipsAnEmptyKey) {
    ASSERT_TRUE(start());
    s().Hotkeys[1].Key = "K";
    s().Hotkeys[2].Key = "";
    mainF().Set_HK_ID();
    EXPECT_EQ(backend.hotkeyOf(mainF(), 0), (Hotkey{kCtrlAlt, 'T'}));
    EXPECT_EQ(backend.hotkeyOf(mainF(), 1), (Hotkey{kCtrlAlt, 'K'}));
    EXPECT_FALSE(backend.hotkeyOf(mainF(), 2).has_value());
    EXPECT_EQ(backend.hotkeyOf(mainF(), 3), (Hotkey{kCtrlAlt, 'R'}));

    // The replaced combination is free for other programs at once.
    forms::Form other(backend, "other");
    other.load();
    EXPECT_TRUE(other.registerHotkey(9, kCtrlAlt, 'M'));
    other.unload();
}

// The bookkeeping on a window of its own, step by step: what each id holds after each Set_HK_ID.
TEST_F(LauncherTest, RegistrationsSwapRetryAndReleaseOnTheirWindow) {
    forms::Form window(backend, "window"), other(backend, "other");
    window.load();
    other.load();
    ASSERT_TRUE(other.registerHotkey(9, kCtrlAlt, 'Q'));
    hotkeys::Registrations held(window);
    const auto table = [](std::string k0, std::string k1, std::string k2) {
        state::HotkeyTable entries{};
        entries[0] = {1, 1, 0, k0};
        entries[1] = {1, 1, 0, k1};
        entries[2] = {1, 1, 0, k2};
        return entries;
    };
    const struct {
        state::HotkeyTable entries;
        bool otherLetsGo;  // the other window gives Q back before this step
        unsigned want[3];  // the key each of ids 0..2 holds, 0 for none
    } steps[] = {
        {table("A", "B", "Q"), false, {'A', 'B', 0}},  // Q is taken: only that one stays unregistered
        {table("B", "A", "Q"), false, {'B', 'A', 0}},  // two hotkeys swap their combinations at once
        {table("B", "A", "B"), false, {'B', 'A', 0}},  // the one holding it keeps it
        {table("C", "A", "B"), false, {'C', 'A', 'B'}},
        {table("C", "", "Q"), true, {'C', 0, 'Q'}},  // tried again; an empty key holds nothing
    };
    for (std::size_t n = 0; n < std::size(steps); ++n) {
        SCOPED_TRACE(n);
        if (steps[n].otherLetsGo)
            other.unregisterHotkey(9);
        held.Set_HK_ID(steps[n].entries);
        for (int id = 0; id < 3; ++id) {
            const unsigned key = steps[n].want[id];
            EXPECT_EQ(held.Registered(id), key != 0) << id;
            EXPECT_EQ(backend.hotkeyOf(window, id),
                      key ? std::optional<Hotkey>(Hotkey{kCtrlAlt, key}) : std::nullopt)
                << id;
        }
    }
    EXPECT_FALSE(held.Registered(-1));
    EXPECT_FALSE(held.Registered(5));
    backend.hotkeyReleases.clear();
    held.ReleaseAll();
    EXPECT_EQ(backend.hotkeyReleases, (std::vector<int>{4, 3, 2, 1, 0}));
    EXPECT_FALSE(held.Registered(0));
    other.unload();
    window.unload();
}

TEST(HotkeyText, ReadsModifiersInFixedOrder) {
    EXPECT_EQ(hotkeys::HotkeyText({1, 1, 0, "T"}), "Ctrl + Alt + T");
    EXPECT_EQ(hotkeys::HotkeyText({0, 0, 1, "9"}), "Shift + 9");
    EXPECT_EQ(hotkeys::HotkeyText({1, 1, 1, "A"}), "Ctrl + Alt + Shift + A");
    EXPECT_EQ(hotkeys::HotkeyText({0, 0, 0, "Q"}), "Q");
    EXPECT_EQ(hotkeys::ModifiersOf({0, 1, 1, "Q"}), (forms::Modifiers{.shift = true, .alt = true}));
    EXPECT_EQ(hotkeys::ModifiersOf({-1, 0, 2, "Q"}), (forms::Modifiers{.shift = true, .ctrl = true}));
    EXPECT_FALSE(hotkeys::VirtualKey({1, 1, 0, ""}).has_value());
    EXPECT_FALSE(hotkeys::VirtualKey({1, 1, 0, "あ"}).has_value());
    EXPECT_EQ(hotkeys::VirtualKey({1, 1, 0, "Z9"}), 0x5Au);
}

}  // namespace
