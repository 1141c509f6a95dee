#include <functional>

#include "StoredFilesFixture.h"

namespace {

using state::ItemRecord;

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(StoredFilesTest, FailedWriteKeepsTheOldFileAndTheOthersAreStillSaved) {
    ASSERT_TRUE(save(firstRunState()));
    const std::string oldUrl = fake.fileBytes(kUrl);

    state::LauncherState changed = firstRunState();
    changed.Mode = state::GridMode::Url;
    changed.UrlItems(0, 0) = {"http://a.jp/", "a", "えー"};
    changed.RunItems(0, 0) = {"C:\\a.exe", "a", "エー"};
    fake.failingWrites.insert(kUrl);
    fake.writes.clear();
    EXPECT_FALSE(save(changed));

    EXPECT_EQ(fake.writes, (std::vector<std::string>{kIni, kRun}));
    EXPECT_EQ(fake.fileBytes(kUrl), oldUrl);
    const std::vector<std::string> texts = messageTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(contains(texts[0], kUrl));
    EXPECT_FALSE(contains(texts[0], kIni));
    EXPECT_FALSE(contains(texts[0], kRun));

    const state::LauncherState back = loaded();
    EXPECT_EQ(back.Mode, state::GridMode::Url);
    EXPECT_EQ(back.RunItems(0, 0), changed.RunItems(0, 0));
    EXPECT_EQ(back.UrlItems(0, 0), ItemRecord::empty());
}

TEST_F(StoredFilesTest, TextsThatCannotBeStoredAreNamedAndNotWrittenAltered) {
    state::LauncherState s = firstRunState();
    s.UrlItems(2, 1) = {"http://yoshinoya.jp/", "y", "𠮷野家"};
    s.UrlItems(2, 2) = {"http://b.jp/", "b", "ふつう"};
    s.RunItems(0, 3) = {"C:\\😀\\a.exe", "e", "絵文字"};
    s.RunItems(5, 0) = {"C:\\a.exe", "two\r\nlines", "改行"};
    s.BrowserPath = "C:\\¥\\browser.exe";
    s.Hotkeys[1].Key = "😀";
    s.ClockFormat = "hh:mm\nss";
    const state::LauncherState before = s;

    EXPECT_FALSE(save(s));
    EXPECT_EQ(s.UrlItems, before.UrlItems);
    EXPECT_EQ(s.RunItems, before.RunItems);
    EXPECT_EQ(s.BrowserPath, before.BrowserPath);

    const std::vector<std::string> texts = messageTexts();
    ASSERT_EQ(texts.size(), 1u);
    for (const char* named :
         {"ＵＲＬ ページ 2 の 2 番目「𠮷野家」", "ランチャー ページ 0 の 4 番目「絵文字」",
          "ランチャー ページ 5 の 1 番目「改行」", "ブラウザーのパス", "モード変更", "時計の表示形式"}) {
        EXPECT_TRUE(contains(texts[0], named)) << named;
    }
    EXPECT_FALSE(contains(texts[0], "ふつう"));

    const state::LauncherState back = loaded();
    EXPECT_EQ(fake.messageBoxes.size(), 1u) << "the written files read back without a fault";
    EXPECT_EQ(back.UrlItems(2, 1), ItemRecord::empty());
    EXPECT_EQ(back.UrlItems(2, 2), s.UrlItems(2, 2));
    EXPECT_EQ(back.RunItems(0, 3), ItemRecord::empty());
    EXPECT_EQ(back.RunItems(5, 0), ItemRecord::empty());
    EXPECT_EQ(back.BrowserPath, state::kDefaultBrowserPath);
    EXPECT_EQ(back.Hotkeys[1].Key, "M");
    EXPECT_EQ(back.ClockFormat, state::kDefaultClockFormat);
    for (int n = 0; n < state::kGridSize; ++n) {
        if (n == 2 * 4 + 1 || n == 3 || n == 20)
            continue;
        EXPECT_EQ(back.UrlItems.at(n), s.UrlItems.at(n)) << n;
        EXPECT_EQ(back.RunItems.at(n), s.RunItems.at(n)) << n;
    }
}

struct BadSettings {
    const char* name;
    int line;                 // 0: replace nothing
    const char* replacement;  // UTF-8, or raw bytes when `raw`
    bool raw = false;
    int keepLines = 11;
    const char* expectedLine = "";  // what the message must say
    std::function<void(const state::LauncherState&)> check;
};

TEST_F(StoredFilesTest, UnreadableSettingsAreBackedUpReportedAndDefaulted) {
    const BadSettings cases[] = {
        {"not a number", 1, "abc,20,1", false, 11, "1 行目：1 番目の値「abc」は数値ではありません",
         [](const auto& s) {
             EXPECT_EQ(s.WindowLeft, 0.0f);
             EXPECT_EQ(s.WindowTop, 20);
             EXPECT_EQ(s.ZOrderBottom, 1);
         }},
        {"Long out of range", 1, "5,2147483648,1", false, 11, "1 行目：2 番目の値「2147483648」は範囲外",
         [](const auto& s) {
             EXPECT_EQ(s.WindowLeft, 5.0f);
             EXPECT_EQ(s.WindowTop, 0);
         }},
        {"Integer out of range", 2, "32768,1,0", false, 11, "2 行目：1 番目の値「32768」は範囲外",
         [](const auto& s) {
             EXPECT_EQ(s.ZOrderLock, 0);
             EXPECT_EQ(s.Mode, state::GridMode::Url);
             EXPECT_EQ(s.UseInternetExplorer, 0);
         }},
        {"Single out of range", 1, "1e39,7,0", false, 11, "1 行目：1 番目の値「1e39」は範囲外",
         [](const auto& s) { EXPECT_EQ(s.WindowLeft, 0.0f); }},
        {"mode", 2, "1,2,0", false, 11, "2 行目：2 番目の値「2」は 0 か 1",
         [](const auto& s) {
             EXPECT_EQ(s.Mode, state::GridMode::Launcher);
             EXPECT_EQ(s.ZOrderLock, 1);
         }},
        {"bytes", 3, "C:\\\x80\\x.exe", true, 11, "3 行目：文字として読めないバイトがあります（80）",
         [](const auto& s) {
             EXPECT_EQ(s.BrowserPath, state::kDefaultBrowserPath);
             EXPECT_EQ(s.SkinFile, "mine.skn");
         }},
        {"missing field", 7, "0,1", false, 11, "7 行目：3 番目の値がありません",
         [](const auto& s) {
             EXPECT_EQ(s.Hotkeys[2], (state::HotkeyEntry{0, 1, 0, "C"}));
         }},
        {"ends early", 0, "", false, 5, "6 行目：この行がありません",
         [](const auto& s) {
             EXPECT_EQ(s.Hotkeys[0], (state::HotkeyEntry{1, 1, 0, "X"}));
             EXPECT_EQ(s.Hotkeys[1], (state::HotkeyEntry{1, 1, 0, "M"}));
             EXPECT_EQ(s.Hotkeys[4], (state::HotkeyEntry{1, 1, 0, "W"}));
             EXPECT_EQ(s.ClockFormat, state::kDefaultClockFormat);
             EXPECT_EQ(s.ShowIcon, 0);
         }},
        {"no line 11", 0, "", false, 10, "11 行目：この行がありません",
         [](const auto& s) {
             EXPECT_EQ(s.ClockFormat, "hh時");
             EXPECT_EQ(s.ShowIcon, 0);
         }},
    };
    for (const BadSettings& c : cases) {
        SCOPED_TRACE(c.name);
        fake = fake::FakePlatform();
        fake.addFolder(kFolder);
        std::vector<std::string> lines = {"5,20,1",
                                          "1,1,0",
                                          "C:\\b.exe",
                                          "mine.skn",
                                          "1,1,0,\"X\"",
                                          "0,0,1,\"Y\"",
                                          "0,1,0,\"Z\"",
                                          "1,1,0,\"R\"",
                                          "1,1,0,\"W\"",
                                          "hh時",
                                          "1"};
        lines.resize(static_cast<std::size_t>(c.keepLines));
        std::string bytes;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const bool replaced = c.line == static_cast<int>(i + 1);
            bytes +=
                (replaced ? (c.raw ? std::string(c.replacement) : cp932(c.replacement)) : cp932(lines[i])) +
                "\r\n";
        }
        fake.addFile(kIni, bytes);
        fake.addFile(kUrl, stored(gridLines(16)));
        fake.addFile(kRun, stored(gridLines(16)));

        const state::LauncherState s = loaded();
        c.check(s);
        const std::vector<std::string> texts = messageTexts();
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_TRUE(contains(texts[0], kIni)) << texts[0];
        EXPECT_TRUE(contains(texts[0], c.expectedLine)) << texts[0];
        EXPECT_TRUE(contains(texts[0], kIni + ".bak")) << texts[0];
        EXPECT_EQ(fake.fileBytes(kIni + ".bak"), bytes);
        EXPECT_EQ(s.RunItems.at(63), gridRecord(63));
    }
}

TEST_F(StoredFilesTest, MissingSettingsFileGivesEveryFirstRunDefault) {
    fake.addFile(kUrl, stored(gridLines(16)));
    fake.addFile(kRun, stored(gridLines(16)));
    state::LauncherState s = startState();
    s.ShowIcon = 1;
    state::LoadAll(s, fake);

    const state::LauncherState expected = firstRunState();
    EXPECT_EQ(s.Hotkeys, expected.Hotkeys);
    EXPECT_EQ(s.UseInternetExplorer, 1);
    EXPECT_EQ(s.SkinFile, "softblue.skn");
    EXPECT_EQ(s.BrowserPath, state::kDefaultBrowserPath);
    EXPECT_EQ(s.ShowIcon, 0);
    const std::vector<std::string> texts = messageTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(contains(texts[0], kIni));
    EXPECT_TRUE(contains(texts[0], "開けませんでした"));
    EXPECT_FALSE(fake.exists(kIni + ".bak"));
}

TEST_F(StoredFilesTest, UnreadableGridLinesBecomeEmptySlotsAndTheRestIsKept) {
    fake.addFile(kIni, stored(firstRunSettingsLines()));
    // TURL.dat ends inside page 5, after the first record of that page and one line of the next.
    std::vector<std::string> url = gridLines(16);
    url.resize(5 * 12 + 4);
    const std::string urlBytes = stored(url);
    fake.addFile(kUrl, urlBytes);
    // TRUN.dat has a byte that is no character in line 14: the Batch of page 1, slot 0.
    std::vector<std::string> run = gridLines(16);
    std::string runBytes;
    for (std::size_t i = 0; i < run.size(); ++i)
        runBytes += (i == 13 ? std::string("b\xFD") : cp932(run[i])) + "\r\n";
    fake.addFile(kRun, runBytes);

    const state::LauncherState s = loaded();
    for (int n = 0; n < state::kGridSize; ++n) {
        EXPECT_EQ(s.UrlItems.at(n), n <= 20 ? gridRecord(n) : ItemRecord::empty()) << n;
        EXPECT_EQ(s.RunItems.at(n), n == 4 ? ItemRecord::empty() : gridRecord(n)) << n;
    }
    const std::vector<std::string> texts = messageTexts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_TRUE(contains(texts[0], kUrl));
    EXPECT_TRUE(contains(texts[0], "65 行目："));
    EXPECT_TRUE(contains(texts[0], kUrl + ".bak"));
    EXPECT_TRUE(contains(texts[1], kRun));
    EXPECT_TRUE(contains(texts[1], "14 行目：文字として読めないバイトがあります（FD）"));
    EXPECT_EQ(fake.fileBytes(kUrl + ".bak"), urlBytes);
    EXPECT_EQ(fake.fileBytes(kRun + ".bak"), runBytes);
}

TEST_F(StoredFilesTest, EmptyGridFileIsReportedAndLoadsAsEmptySlots) {
    fake.addFile(kIni, stored(firstRunSettingsLines()));
    fake.addFile(kUrl, "");
    fake.addFile(kRun, stored(gridLines(16)));
    const state::LauncherState s = loaded();
    for (int n = 0; n < state::kGridSize; ++n)
        EXPECT_EQ(s.UrlItems.at(n), ItemRecord::empty());
    const std::vector<std::string> texts = messageTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(contains(texts[0], "1 行目：この行がありません"));
}

TEST_F(StoredFilesTest, EarlierBackupsAreNeverOverwritten) {
    fake.addFile(kIni, "garbage\r\n");
    fake.addFile(kIni + ".bak", "first backup");
    fake.addFile(kIni + ".bak2", "second backup");
    fake.addFile(kUrl, stored(gridLines(16)));
    fake.addFile(kRun, stored(gridLines(16)));
    const state::LauncherState s = loaded();

    EXPECT_EQ(fake.fileBytes(kIni + ".bak"), "first backup");
    EXPECT_EQ(fake.fileBytes(kIni + ".bak2"), "second backup");
    EXPECT_EQ(fake.fileBytes(kIni + ".bak3"), "garbage\r\n");
    const std::vector<std::string> texts = messageTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_TRUE(contains(texts[0], kIni + ".bak3"));

    // The next save replaces the broken file; what the person had stays in the backup.
    ASSERT_TRUE(save(s));
    EXPECT_EQ(fake.fileBytes(kIni + ".bak3"), "garbage\r\n");
}

}  // namespace
