#include "LauncherFixture.h"
#include "hotkeys/HotkeyHook.h"

namespace {

constexpr unsigned kCtrlAlt = 3;

TEST_F(LauncherTest, DefaultHotkeysAreRegisteredInIdOrder) {
    ASSERT_TRUE(start());
    std::vector<fake::HotkeyRegistration> expected;
    const unsigned keys[] = {'T', 'M', 'C', 'R', 'W'};
    for (int id = 0; id < 5; ++id)
        expected.push_back({mainF().handle(), id, kCtrlAlt, keys[id]});
    EXPECT_EQ(fake.registeredHotkeys, expected);
}

TEST_F(LauncherTest, HotkeyMessagesRunTheirActionAndAlwaysReachTheWindow) {
    ASSERT_TRUE(start());
    const auto window = mainF().handle();
    fake.forwardedMessages.clear();

    fake.sendMessage(window, platform::kWmHotkey, 0, 0);
    EXPECT_EQ(mainF().zoL.caption(), "B");
    EXPECT_EQ(fake.orderCalls.back().second, platform::WindowOrder::Bottom);

    // The lock stops the mouse, not the hotkey, and survives it.
    s().ZOrderLock = 1;
    fake.sendMessage(window, platform::kWmHotkey, 0, 0);
    EXPECT_EQ(mainF().zoL.caption(), "T");
    EXPECT_EQ(s().ZOrderLock, 1);
    mainF().ToggleZOrder();
    EXPECT_EQ(mainF().zoL.caption(), "T");

    fake.sendMessage(window, platform::kWmHotkey, 7, 0);
    fake.sendMessage(window, 0x0200, 0, 0);  // an ordinary message passes untouched
    EXPECT_EQ(
        fake.forwardedMessages,
        (std::vector<std::pair<unsigned, std::uintptr_t>>{
            {platform::kWmHotkey, 0}, {platform::kWmHotkey, 0}, {platform::kWmHotkey, 7}, {0x0200, 0}}));
    EXPECT_EQ(mainF().zoL.caption(), "T");
    EXPECT_EQ(s().Mode, 0);
}

TEST_F(LauncherTest, ModeHotkeysSwitchAndOpenTheCommandBox) {
    writeSettings();
    writeGrid("TURL.dat", {{0, "http://example.com/", "web", "Web"}});
    writeGrid("TRUN.dat", {{0, "C:\\Tolvane\\tolvane.exe", "self", "Self"}});
    ASSERT_TRUE(start());
    const auto window = mainF().handle();

    fake.sendMessage(window, platform::kWmHotkey, 1, 0);
    EXPECT_EQ(s().Mode, 1);
    EXPECT_FALSE(mainF().Input_Com.visible());

    fake.sendMessage(window, platform::kWmHotkey, 3, 0);
    EXPECT_EQ(s().Mode, 0);
    EXPECT_TRUE(mainF().Input_Com.visible());
    EXPECT_EQ(mainF().Input_Com.list(), std::vector<std::string>{"self"});
    EXPECT_EQ(s().CommandBoxFresh, 1);

    fake.sendMessage(window, platform::kWmHotkey, 4, 0);
    EXPECT_EQ(s().Mode, 1);
    EXPECT_EQ(mainF().Input_Com.list(), std::vector<std::string>{"web"});

    fake.sendMessage(window, platform::kWmHotkey, 2, 0);
    EXPECT_EQ(s().Mode, 1);
}

TEST_F(LauncherTest, ReRegistrationReleasesTheOldCombinationAndSkipsAnEmptyKey) {
    ASSERT_TRUE(start());
    s().Hotkeys[1].Key = "K";
    s().Hotkeys[2].Key = "";
    mainF().Set_HK_ID();
    std::vector<unsigned> keys;
    for (const auto& r : fake.registeredHotkeys)
        keys.push_back(r.key);
    EXPECT_EQ(keys, (std::vector<unsigned>{'T', 'K', 'R', 'W'}));
}

TEST(HotkeyText, ReadsModifiersInFixedOrder) {
    EXPECT_EQ(hotkeys::HotkeyText({1, 1, 0, "T"}), "Ctrl + Alt + T");
    EXPECT_EQ(hotkeys::HotkeyText({0, 0, 1, "9"}), "Shift + 9");
    EXPECT_EQ(hotkeys::HotkeyText({1, 1, 1, "A"}), "Ctrl + Alt + Shift + A");
    EXPECT_EQ(hotkeys::HotkeyText({0, 0, 0, "Q"}), "Q");
    EXPECT_EQ(hotkeys::ModifierMask({0, 1, 1, "Q"}), 5u);
    EXPECT_FALSE(hotkeys::VirtualKey({1, 1, 0, ""}).has_value());
    EXPECT_FALSE(hotkeys::VirtualKey({1, 1, 0, "あ"}).has_value());
    EXPECT_EQ(hotkeys::VirtualKey({1, 1, 0, "Z9"}), 0x5Au);
}

}  // namespace
