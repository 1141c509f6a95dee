#include "dialogs/linkpage/LinkPage.h"

#include "platform/StorableText.h"
#include "platform/TextCodec.h"
#include "state/StoredDefaults.h"

namespace dialogs {
namespace {

constexpr const char* kPageTitle = "Tolvane/Bivek Launcher 登録URLリスト";

// The first item, in list order, whose title or address the page cannot hold, named for the person
// with the character at fault.
std::optional<std::string> unwritableItem(const state::Grid& urlItems) {
    for (int n = 0; n < state::kGridSize; ++n) {
        const state::ItemRecord& item = urlItems.at(n);
        if (item.isEmpty())
            continue;
        std::optional<std::string> character = platform::UnstorableCharacter(item.Title);
        if (!character)
            character = platform::UnstorableCharacter(item.Path);
        if (character) {
            return std::string(state::kUrlGridName) + " ページ " + std::to_string(n / state::kSlots) +
                   " の " + std::to_string(n % state::kSlots + 1) + " 番目「" + item.Title + "」\r\n" +
                   platform::UnstorableMessage(*character);
        }
    }
    return std::nullopt;
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

std::optional<std::string> WriteLinkPage(platform::Platform& platform, const state::Grid& urlItems,
                                         const std::string& fileName, const LinkPageOptions& options) {
    if (std::optional<std::string> unwritable = unwritableItem(urlItems))
        return unwritable;
    std::string text;
    for (const std::string& line : LinkPageLines(urlItems, options))
        text += line + "\r\n";
    const platform::CodecResult bytes = platform::toCp932(text);
    if (!bytes.ok)
        return platform::UnstorableMessage(bytes.offending);
    const platform::WriteResult written = platform.replaceFile(fileName, bytes.text);
    if (!written)
        return written.reason;
    return std::nullopt;
}

}  // namespace dialogs
