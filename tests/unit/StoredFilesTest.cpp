#include <cmath>
#include <cstring>

#include "StoredFilesFixture.h"
#include "state/FieldLines.h"

namespace {

using state::EmptyMarker;
using state::ItemRecord;

TEST_F(StoredFilesTest, FirstRunWritesTheDefaultFilesByteForByte) {
    ASSERT_TRUE(save(firstRunState()));

    EXPECT_EQ(fake.writes, (std::vector<std::string>{kIni, kUrl, kRun}));
    EXPECT_EQ(fake.fileBytes(kIni),
              "0,0,0\r\n0,0,1\r\nC:\\Program Files\\Internet Explorer\\IEXPLORE.EXE\r\nsoftblue.skn\r\n"
              "1,1,0,\"T\"\r\n1,1,0,\"M\"\r\n1,1,0,\"C\"\r\n1,1,0,\"R\"\r\n1,1,0,\"W\"\r\n"
              "mm/dd(ddd) hh:mm:ss\r\n0\r\n");
    std::string grid;
    for (int n = 0; n < state::kGridSize; ++n)
        grid += "\r\n\r\n\x40\x96\xA2\x93\x6F\x98\x5E\r\n";
    EXPECT_EQ(fake.fileBytes(kUrl), grid);
    EXPECT_EQ(fake.fileBytes(kRun), grid);
    EXPECT_TRUE(fake.messageBoxes.empty());
}

TEST_F(StoredFilesTest, SaveThenLoadReproducesEveryGridAndSetting) {
    state::LauncherState saved = firstRunState();
    const std::string texts[] = {"a,b", "\"quoted\"", "  leading", "trailing  ", "日本語・ｶﾅ～①",
                                 "",    "\"",         ",,",        "表"};
    for (int n = 0; n < state::kGridSize; ++n) {
        if (n % 5 == 4)
            continue;  // some empty slots between
        const std::string& t = texts[static_cast<std::size_t>(n) % std::size(texts)];
        saved.RunItems.at(n) = {"C:\\実行\\" + t + std::to_string(n), t + "r",
                                t + " 名 " + std::to_string(n)};
        saved.UrlItems.at(n) = {"http://example.jp/?q=" + t, "u" + t, "\"" + t + "\", " + std::to_string(n)};
    }
    saved.WindowLeft = 1234.5f;
    saved.WindowTop = -300;
    saved.ZOrderBottom = 1;
    saved.ZOrderLock = 1;
    saved.Mode = state::GridMode::Url;
    saved.UseInternetExplorer = 0;
    saved.BrowserPath = " C:\\Program Files\\ブラウザ, \"x\" ";
    saved.SkinFile = "青い,皮.skn ";
    saved.ClockFormat = " yyyy年m月d日, \"hh:mm\" ";
    saved.ShowIcon = 1;
    saved.Hotkeys = {
        {{0, 1, 1, "A"}, {1, 0, 0, "あ"}, {-1, 32767, -32768, "9"}, {1, 1, 1, " "}, {0, 0, 0, ""}}};
    ASSERT_TRUE(save(saved));

    const state::LauncherState back = loaded();
    EXPECT_TRUE(fake.messageBoxes.empty());
    EXPECT_EQ(back.RunItems, saved.RunItems);
    EXPECT_EQ(back.UrlItems, saved.UrlItems);
    EXPECT_EQ(back.Hotkeys, saved.Hotkeys);
    EXPECT_EQ(back.WindowLeft, saved.WindowLeft);
    EXPECT_EQ(back.WindowTop, saved.WindowTop);
    EXPECT_EQ(back.ZOrderBottom, 1);
    EXPECT_EQ(back.ZOrderLock, 1);
    EXPECT_EQ(back.Mode, state::GridMode::Url);
    EXPECT_EQ(back.UseInternetExplorer, 0);
    EXPECT_EQ(back.BrowserPath, saved.BrowserPath);
    EXPECT_EQ(back.SkinFile, saved.SkinFile);
    EXPECT_EQ(back.ClockFormat, saved.ClockFormat);
    EXPECT_EQ(back.ShowIcon, 1);
}

TEST_F(StoredFilesTest, WindowLeftIsWrittenPlainAndShortestAndReadsBackExactly) {
    const std::pair<float, const char*> cases[] = {
        {0.0f, "0"},
        {-0.0f, "0"},
        {1234.5f, "1234.5"},
        {-15.25f, "-15.25"},
        {0.1f, "0.1"},
        {-7.0f, "-7"},
        {1e20f, "100000002004087734272"},
        {1e-7f, "0.0000001"},
        {3000.0f, "3000"},
        {16777217.0f, "16777216"},
    };
    for (const auto& [value, text] : cases) {
        state::LauncherState s = firstRunState();
        s.WindowLeft = value;
        ASSERT_TRUE(save(s));
        const std::string ini = fake.fileBytes(kIni);
        EXPECT_EQ(ini.substr(0, ini.find(',')), text);
        EXPECT_EQ(loaded().WindowLeft, value) << text;
    }
    // Across the whole range, every form is plain decimal and reads back as the same float.
    for (std::uint32_t bits = 0; bits < 0x7F800000u; bits += 0x00031337u) {
        float value = 0;
        std::memcpy(&value, &bits, sizeof value);
        for (const float signed_value : {value, -value}) {
            const std::string text = state::formatSingle(signed_value);
            EXPECT_EQ(text.find_first_of("eE"), std::string::npos) << text;
            float back = 1;
            ASSERT_EQ(state::readSingle(text, back), state::NumberError::None) << text;
            EXPECT_EQ(back, signed_value) << text;
        }
    }
}

TEST_F(StoredFilesTest, GridFileOfTenPagesLeavesTheLastSixPagesEmpty) {
    fake.addFile(kIni, stored(firstRunSettingsLines()));
    fake.addFile(kUrl, stored(gridLines(10)));
    fake.addFile(kRun, stored(gridLines(16)));
    const state::LauncherState s = loaded();

    for (int n = 0; n < state::kGridSize; ++n) {
        EXPECT_EQ(s.RunItems.at(n), gridRecord(n));
        EXPECT_EQ(s.UrlItems.at(n), n < 40 ? gridRecord(n) : ItemRecord::empty()) << n;
    }
    EXPECT_TRUE(fake.messageBoxes.empty());
    EXPECT_FALSE(fake.exists(kUrl + ".bak"));
}

TEST_F(StoredFilesTest, GridFileEndingAfterAWholePageKeepsWhatItDidNotRead) {
    fake.addFile(kIni, stored(firstRunSettingsLines()));
    fake.addFile(kUrl, stored(gridLines(4)));
    fake.addFile(kRun, stored(gridLines(13)));
    const state::LauncherState s = loaded();

    for (int n = 0; n < state::kGridSize; ++n) {
        const int page = n / state::kSlots;
        // Pages 4 to 9 were never in the file: they keep what they held, the empty strings of start-up.
        const ItemRecord url = page < 4 ? gridRecord(n) : page < 10 ? ItemRecord{} : ItemRecord::empty();
        EXPECT_EQ(s.UrlItems.at(n), url) << n;
        // Pages 10 to 12 were read and are kept; only the pages after them are marked empty.
        EXPECT_EQ(s.RunItems.at(n), page < 13 ? gridRecord(n) : ItemRecord::empty()) << n;
    }
    EXPECT_TRUE(fake.messageBoxes.empty());
}

TEST_F(StoredFilesTest, NineLineSettingsFileLoadsAndTheNextSaveWritesElevenLines) {
    std::vector<std::string> lines = firstRunSettingsLines();
    lines.resize(9);
    lines[0] = "-120.75,45,1";
    lines[4] = "0,1,1,\"Q\"";
    fake.addFile(kIni, stored(lines));
    fake.addFile(kUrl, stored(gridLines(16)));
    fake.addFile(kRun, stored(gridLines(16)));

    state::LauncherState s = startState();
    s.ShowIcon = 1;  // whatever they held, the two unread settings keep it
    s.ClockFormat = "hh:mm";
    state::LoadAll(s, fake);
    EXPECT_TRUE(fake.messageBoxes.empty());
    EXPECT_EQ(s.WindowLeft, -120.75f);
    EXPECT_EQ(s.WindowTop, 45);
    EXPECT_EQ(s.ZOrderBottom, 1);
    EXPECT_EQ(s.Hotkeys[0], (state::HotkeyEntry{0, 1, 1, "Q"}));
    EXPECT_EQ(s.ClockFormat, "hh:mm");
    EXPECT_EQ(s.ShowIcon, 1);

    const state::LauncherState fresh = loaded();
    EXPECT_EQ(fresh.ClockFormat, "mm/dd(ddd) hh:mm:ss");
    EXPECT_EQ(fresh.ShowIcon, 0);
    ASSERT_TRUE(save(fresh));
    lines.push_back("mm/dd(ddd) hh:mm:ss");
    lines.push_back("0");
    EXPECT_EQ(fake.fileBytes(kIni), stored(lines));
}

TEST_F(StoredFilesTest, KeyWithAQuoteOrACommaReadsBackCutButShiftsNothing) {
    state::LauncherState s = firstRunState();
    s.Hotkeys[0].Key = "\"";
    s.Hotkeys[1].Key = ",";
    s.Hotkeys[2].Key = "a\"b";
    s.Hotkeys[3].Key = "x,y";
    s.ClockFormat = "hh";
    s.ShowIcon = 1;
    ASSERT_TRUE(save(s));
    const std::string ini = fake.fileBytes(kIni);
    EXPECT_NE(ini.find("\r\n1,1,0,\"\"\"\r\n1,1,0,\",\"\r\n1,1,0,\"a\"b\"\r\n1,1,0,\"x,y\"\r\n"),
              std::string::npos);

    const state::LauncherState back = loaded();
    EXPECT_EQ(back.Hotkeys[0].Key, "");
    EXPECT_EQ(back.Hotkeys[1].Key, "");
    EXPECT_EQ(back.Hotkeys[2].Key, "a");
    EXPECT_EQ(back.Hotkeys[3].Key, "x");
    EXPECT_EQ(back.Hotkeys[4], (state::HotkeyEntry{1, 1, 0, "W"}));
    EXPECT_EQ(back.ClockFormat, "hh");
    EXPECT_EQ(back.ShowIcon, 1);
    EXPECT_TRUE(fake.messageBoxes.empty());
}

TEST_F(StoredFilesTest, FieldLinesToleratePersonEditsAndIgnoreExtraFields) {
    std::vector<std::string> lines = firstRunSettingsLines();
    lines[0] = " 12 , -5 ,0,extra,\"more\"";
    lines[4] = "1,1,0,\"T\"tail,9";
    lines[10] = "1,2";
    // LF line ends, as an editor may leave them
    std::string bytes;
    for (const std::string& line : lines)
        bytes += cp932(line) + "\n";
    fake.addFile(kIni, bytes);
    fake.addFile(kUrl, stored(gridLines(16)));
    fake.addFile(kRun, stored(gridLines(16)));
    const state::LauncherState s = loaded();
    EXPECT_TRUE(fake.messageBoxes.empty());
    EXPECT_EQ(s.WindowLeft, 12.0f);
    EXPECT_EQ(s.WindowTop, -5);
    EXPECT_EQ(s.Hotkeys[0].Key, "T");
    EXPECT_EQ(s.ShowIcon, 1);
}

TEST(GridTest, SlotOutsideZeroToThreeIsRefusedInsteadOfLandingOnAnotherPage) {
    state::Grid grid;
    EXPECT_THROW(grid(0, 4), std::out_of_range);
    EXPECT_THROW(grid(1, -1), std::out_of_range);
    EXPECT_THROW(grid(16, 0), std::out_of_range);
    EXPECT_NO_THROW(grid(15, 3));
}

}  // namespace
