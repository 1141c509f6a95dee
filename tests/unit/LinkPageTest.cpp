// The link page as written: every line, the bytes on disk, and what happens when it cannot be written.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "dialogs/linkpage/LinkPage.h"
#include "platform/TextCodec.h"

namespace {

using Lines = std::vector<std::string>;
using dialogs::LinkPageOptions;

const char* const kPage = "C:\\Web\\tolvurl.html";

const Lines kHead = {"<html>",
                     "",
                     "<head>",
                     "<title>Tolvane/Bivek Launcher 登録URLリスト</title>",
                     "</head>",
                     "",
                     "<body bgcolor=\"#FFFFFF\" text=\"#000000\">",
                     "",
                     "<p>Tolvane/Bivek Launcher 登録URLリスト</p>",
                     ""};
const Lines kEnd = {"</body>", "</html>"};

Lines page(const Lines& body) {
    Lines lines = kHead;
    lines.insert(lines.end(), body.begin(), body.end());
    lines.insert(lines.end(), kEnd.begin(), kEnd.end());
    return lines;
}

std::string cp932Bytes(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return *platform::toCp932(text);
}

state::Grid emptyGrid() {
    state::Grid grid;
    grid.clear();
    return grid;
}

class LinkPageTest : public ::testing::Test {
  protected:
    LinkPageTest() { fake.addFolder("C:\\Web"); }
    fake::FakePlatform fake;
    state::Grid grid = emptyGrid();
};

TEST_F(LinkPageTest, EmptyGridIsTheHeadAndTheEndWithRulesOnlyWithTheLinesOption) {
    ASSERT_TRUE(dialogs::WriteLinkPage(fake, grid, kPage, {}));
    // Code page 932 and CR LF after every line, the last one included.
    EXPECT_EQ(fake.fileBytes(kPage), cp932Bytes(page({})));
    EXPECT_EQ(dialogs::LinkPageLines(grid, {1, 1, 1, 0}), page({}));
    EXPECT_EQ(dialogs::LinkPageLines(grid, {0, 0, 0, 1}), page({"<hr>", "<hr>"}));
    EXPECT_EQ(dialogs::LinkPageLines(grid, {0, 0, 0, -3}), page({"<hr>", "<hr>"}));  // any nonzero is on
}

TEST_F(LinkPageTest, OneItemUnderEveryCombinationOfTheFourOptions) {
    grid(2, 3) = {"http://例え.jp/a", "ex", "例えのページ"};
    // Each letter is one line of the body: H rule, B and E the block quotation, L the one-line link,
    // T the title line and A the address line of the link address option, C the comment.
    const std::map<std::string, std::string> lineOf = {
        {"H", "<hr>"},
        {"B", "<blockquote>"},
        {"E", "</blockquote>"},
        {"L", "<p><a href=\"http://例え.jp/a\">例えのページ</a></p>"},
        {"T", "<p>例えのページ<br>"},
        {"A", "<a href=\"http://例え.jp/a\">http://例え.jp/a</a></p>"},
        {"C", "<p>ここにコメントを挿入</p>"}};
    struct Case {
        LinkPageOptions options;  // link address, indentation, comment, lines
        const char* body;
    };
    const Case cases[] = {
        {{0, 0, 0, 0}, "L"},    {{1, 0, 0, 0}, "TA"},    {{0, 1, 0, 0}, "BLE"},    {{1, 1, 0, 0}, "BTAE"},
        {{0, 0, 1, 0}, "LC"},   {{1, 0, 1, 0}, "TAC"},   {{0, 1, 1, 0}, "BLCE"},   {{1, 1, 1, 0}, "BTACE"},
        {{0, 0, 0, 1}, "HLH"},  {{1, 0, 0, 1}, "HTAH"},  {{0, 1, 0, 1}, "HBLEH"},  {{1, 1, 0, 1}, "HBTAEH"},
        {{0, 0, 1, 1}, "HLCH"}, {{1, 0, 1, 1}, "HTACH"}, {{0, 1, 1, 1}, "HBLCEH"}, {{1, 1, 1, 1}, "HBTACEH"},
    };
    for (const Case& c : cases) {
        Lines body;
        for (const char letter : std::string(c.body))
            body.push_back(lineOf.at(std::string(1, letter)));
        const Lines expected = page(body);
        const Lines lines = dialogs::LinkPageLines(grid, c.options);
        ASSERT_EQ(lines.size(), expected.size()) << c.body;
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i], expected[i]) << c.body << ", line " << i + 1;
    }
}

TEST_F(LinkPageTest, ItemsInListOrderAsStoredWithNothingEscaped) {
    grid(3, 2) = {"http://b.jp/?q=1&r=<2>", "b", "B & <b> \"quoted\""};
    grid(0, 1) = {"http://a.jp/", "a", "えー"};
    grid(7, 0) = {"", "", "@未登録 "};  // not the marker: written, also without an address
    EXPECT_EQ(dialogs::LinkPageLines(grid, {}),
              page({"<p><a href=\"http://a.jp/\">えー</a></p>",
                    "<p><a href=\"http://b.jp/?q=1&r=<2>\">B & <b> \"quoted\"</a></p>",
                    "<p><a href=\"\">@未登録 </a></p>"}));
}

TEST_F(LinkPageTest, AnExistingPageIsReplacedOrOnFailureKeptWhole) {
    grid(0, 0) = {"http://a.jp/", "a", "えー"};
    fake.addFile(kPage, "an older, longer page that must not show through");
    ASSERT_TRUE(dialogs::WriteLinkPage(fake, grid, kPage, {1, 0, 0, 0}));
    EXPECT_EQ(fake.fileBytes(kPage), cp932Bytes(dialogs::LinkPageLines(grid, {1, 0, 0, 0})));

    const std::string written = fake.fileBytes(kPage);
    fake.failingWrites.insert(kPage);
    EXPECT_EQ(dialogs::WriteLinkPage(fake, grid, kPage, {}).problem(), "アクセスが拒否されました。");
    EXPECT_EQ(fake.fileBytes(kPage), written);

    EXPECT_EQ(dialogs::WriteLinkPage(fake, grid, "C:\\Missing\\page.html", {}).problem(),
              "指定されたパスが見つかりません。");
    EXPECT_FALSE(fake.exists("C:\\Missing\\page.html"));
}

TEST_F(LinkPageTest, TextsCodePage932CannotHoldAreNamedAndNothingIsWritten) {
    fake.addFile(kPage, "old page");
    grid(0, 0) = {"http://a.jp/", "a", "えー"};
    grid(2, 1) = {"http://yoshinoya.jp/", "y", "𠮷野家"};
    grid(4, 3) = {"http://😀.jp/", "e", "絵文字"};
    EXPECT_EQ(dialogs::WriteLinkPage(fake, grid, kPage, {}).problem(),
              "ＵＲＬ ページ 2 の 2 番目「𠮷野家」\r\n保存できない文字：𠮷");
    grid(2, 1) = state::ItemRecord::empty();
    EXPECT_EQ(dialogs::WriteLinkPage(fake, grid, kPage, {}).problem(),
              "ＵＲＬ ページ 4 の 4 番目「絵文字」\r\n保存できない文字：😀");
    EXPECT_EQ(fake.fileBytes(kPage), "old page");
}

}  // namespace
