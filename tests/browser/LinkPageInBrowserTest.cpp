// Opens the link page in a real browser and reads back what it shows. The page declares no character
// set, so Japanese titles come out legible only when the browser reads the bytes as Japanese.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "FakePlatform.h"
#include "dialogs/linkpage/LinkPage.h"

namespace {

namespace fs = std::filesystem;

// The browser's command, from TOLVANE_CHROMIUM or else Debian's chromium.
std::string chromium() {
    const char* configured = std::getenv("TOLVANE_CHROMIUM");
    return configured && *configured ? configured : "chromium";
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class LinkPageInBrowser : public ::testing::Test {
  protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("tolvane-browser-" + std::to_string(::getpid()));
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    // The document as the browser built it from the file, serialised as UTF-8.
    std::string domOf(const fs::path& page) {
        const fs::path dom = folder / "dom.html";
        const std::string command =
            "timeout 90 " + chromium() +
            " --headless --no-sandbox --disable-gpu --no-first-run --user-data-dir='" +
            (folder / "profile").string() + "' --dump-dom 'file://" + page.string() + "' > '" + dom.string() +
            "' 2> '" + (folder / "browser.log").string() + "'";
        const int status = std::system(command.c_str());
        EXPECT_EQ(status, 0) << command << "\n(is chromium installed? tools/deps installs it)\n"
                             << readAll(folder / "browser.log");
        return readAll(dom);
    }

    fs::path folder;
};

TEST_F(LinkPageInBrowser, ShowsTheTitleAndOneLegibleLinkPerRegisteredAddress) {
    state::Grid grid;
    grid.clear();
    // Titles whose code page 932 bytes hold a backslash (表, ソ) or that a Western reading would garble.
    grid(0, 1) = {"http://example.jp/", "e", "日本語のページ"};
    grid(3, 2) = {"https://example.com/ソフト/index.html?q=1", "s", "ソフト表示能力"};
    grid(15, 3) = {"http://example.org/last", "l", "最後の①"};

    fake::FakePlatform fake;
    fake.addFolder("C:\\Out");
    ASSERT_TRUE(dialogs::WriteLinkPage(fake, grid, "C:\\Out\\tolvurl.html", {}));
    const fs::path page = folder / "tolvurl.html";
    std::ofstream(page, std::ios::binary) << fake.fileBytes("C:\\Out\\tolvurl.html");

    const std::string dom = domOf(page);
    std::smatch title;
    ASSERT_TRUE(std::regex_search(dom, title, std::regex("<title>([^<]*)</title>"))) << dom;
    EXPECT_EQ(title[1], "Tolvane/Bivek Launcher 登録URLリスト");

    struct Link {
        std::string href, text;
    };
    std::vector<Link> links;
    const std::regex anchor("<a href=\"([^\"]*)\">([^<]*)</a>");
    for (auto it = std::sregex_iterator(dom.begin(), dom.end(), anchor); it != std::sregex_iterator(); ++it)
        links.push_back({(*it)[1], (*it)[2]});
    const std::vector<Link> expected = {{"http://example.jp/", "日本語のページ"},
                                        {"https://example.com/ソフト/index.html?q=1", "ソフト表示能力"},
                                        {"http://example.org/last", "最後の①"}};
    EXPECT_EQ(links.size(), expected.size()) << dom;
    for (std::size_t i = 0; i < std::min(links.size(), expected.size()); ++i) {
        EXPECT_EQ(links[i].href, expected[i].href);
        EXPECT_EQ(links[i].text, expected[i].text);
    }
}

}  // namespace
