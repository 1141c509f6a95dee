#include "dialogs/linkpage/LinkPage.h"

#include "platform/StorableText.h"
#include "platform/TextCodec.h"
#include "state/StoredDefaults.h"

namespace dialogs {
namespace {

constexpr const char* kPageTitle = "Tolvane/Bivek Launcher 登録URLリスト";

// Fails on the first item, in list order, whose title or address the page cannot hold, named for the
// person with the character at fault.
platform::Outcome<> everyItemWritable(const state::Grid& urlItems) {
    for (int n = 0; n < state::kGridSize; ++n) {
        const state::ItemRecord& item = urlItems.at(n);
        if (item.isEmpty())
            continue;
        platform::Outcome<> storable = platform::Storable(item.Title);
        if (storable)
            storable = platform::Storable(item.Path);
        if (!storable) {
            return platform::Problem{std::string(state::kUrlGridName) + " ページ " +
                                     std::to_string(n / state::kSlots) + " の " +
                                     std::to_string(n % state::kSlots + 1) + " 番目「" + item.Title +
                                     "」\r\n" + storable.problem()};
        }
    }
    return {};
}

}  // namespace

std::vector<std::string> LinkPageLines(const state::Grid& urlItems, const LinkPageOptions& options) {
    std::vector<std::string> lines = {"<html>",
                                      "",
                                      "<head>",
                                      std::string("<title>") + kPageTitle + "</title>",
                                      "</head>",
                                      "",
                                      "<body bgcolor=\"#FFFFFF\" text=\"#000000\">",
                                      "",
                                      std::string("<p>") + kPageTitle + "</p>",
                                      ""};
    if (options.lines)
        lines.push_back("<hr>");
    for (int n = 0; n < state::kGridSize; ++n) {
        const state::ItemRecord& item = urlItems.at(n);
        if (item.isEmpty())
            continue;
        if (options.indentation)
            lines.push_back("<blockquote>");
        if (options.linkAddress) {
            lines.push_back("<p>" + item.Title + "<br>");
            lines.push_back("<a href=\"" + item.Path + "\">" + item.Path + "</a></p>");
        } else {
            lines.push_back("<p><a href=\"" + item.Path + "\">" + item.Title + "</a></p>");
        }
        if (options.comment)
            lines.push_back("<p>ここにコメントを挿入</p>");
        if (options.indentation)
            lines.push_back("</blockquote>");
    }
    if (options.lines)
        lines.push_back("<hr>");
    lines.push_back("</body>");
    lines.push_back("</html>");
    return lines;
}

platform::Outcome<> WriteLinkPage(platform::Platform& platform, const state::Grid& urlItems,
                                  const std::string& fileName, const LinkPageOptions& options) {
    if (platform::Outcome<> writable = everyItemWritable(urlItems); !writable)
        return writable;
    std::string text;
    for (const std::string& line : LinkPageLines(urlItems, options))
        text += line + "\r\n";
    const platform::Outcome<std::string> bytes = platform::toCp932(text);
    if (!bytes)
        return platform::Problem{"保存できない文字：" + bytes.problem()};
    return platform.replaceFile(fileName, *bytes);
}

}  // namespace dialogs
