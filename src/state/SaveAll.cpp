#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "platform/TextCodec.h"
#include "state/FieldLines.h"
#include "state/StoredDefaults.h"
#include "state/StoredFiles.h"

namespace state {
namespace {

// What was written otherwise than it stands in memory, named for the person.
using Unsaved = std::vector<std::string>;

// The stored bytes of a text, or nothing when it cannot be stored as it stands: code page 932 cannot
// hold one of its characters, or a line break in it would shift every later line of the file.
std::optional<std::string> storable(std::string_view text) {
    if (text.find_first_of("\r\n") != std::string_view::npos)
        return std::nullopt;
    platform::Outcome<std::string> bytes = platform::toCp932(text);
    if (!bytes)
        return std::nullopt;
    return std::move(*bytes);
}

std::string storedSetting(std::string_view text, std::string_view fallback, const std::string& name,
                          Unsaved& unsaved) {
    if (std::optional<std::string> bytes = storable(text))
        return *bytes;
    unsaved.push_back("設定「" + name + "」：「" + std::string(text) + "」");
    return *platform::toCp932(fallback);
}

std::string settingsBytes(const LauncherState& s, Unsaved& unsaved) {
    const LauncherState defaults = firstRunSettings();
    using std::to_string;
    std::string left = "0";
    if (std::isfinite(s.WindowLeft)) {
        left = formatSingle(s.WindowLeft);
    } else {
        unsaved.push_back("設定「ウィンドウの左端の位置」");
    }
    std::vector<std::string> lines;
    lines.push_back(left + "," + to_string(s.WindowTop) + "," + to_string(s.ZOrderBottom));
    lines.push_back(to_string(s.ZOrderLock) + "," + to_string(s.Mode == GridMode::Url ? 1 : 0) + "," +
                    to_string(s.UseInternetExplorer));
    lines.push_back(storedSetting(s.BrowserPath, defaults.BrowserPath, "ブラウザーのパス", unsaved));
    lines.push_back(storedSetting(s.SkinFile, defaults.SkinFile, "スキンファイル", unsaved));
    for (std::size_t id = 0; id < s.Hotkeys.size(); ++id) {
        const HotkeyEntry& entry = s.Hotkeys[id];
        const std::string key =
            storedSetting(entry.Key, defaults.Hotkeys[id].Key,
                          std::string("ホットキー『") + kHotkeyRoles[id] + "』のキー", unsaved);
        lines.push_back(to_string(entry.Ctrl) + "," + to_string(entry.Alt) + "," + to_string(entry.Shift) +
                        "," + quoted(key));
    }
    lines.push_back(storedSetting(s.ClockFormat, defaults.ClockFormat, "時計の表示形式", unsaved));
    lines.push_back(to_string(s.ShowIcon));
    return joinLines(lines);
}

std::string gridBytes(const Grid& grid, const char* gridName, Unsaved& unsaved) {
    std::vector<std::string> lines;
    for (int n = 0; n < kGridSize; ++n) {
        const ItemRecord& item = grid.at(n);
        std::optional<std::string> path = storable(item.Path);
        std::optional<std::string> batch = storable(item.Batch);
        std::optional<std::string> title = storable(item.Title);
        if (path && batch && title) {
            lines.push_back(std::move(*path));
            lines.push_back(std::move(*batch));
            lines.push_back(std::move(*title));
            continue;
        }
        // The item as a whole or not at all: a slot with a lost title would still look registered.
        lines.push_back("");
        lines.push_back("");
        lines.push_back(*platform::toCp932(EmptyMarker));
        unsaved.push_back(std::string(gridName) + " ページ " + std::to_string(n / kSlots) + " の " +
                          std::to_string(n % kSlots + 1) + " 番目「" + item.Title + "」");
    }
    return joinLines(lines);
}

std::string listed(const std::vector<std::string>& entries) {
    std::string out;
    for (const std::string& entry : entries)
        out += "\n・" + entry;
    return out;
}

// Writes the three files, or with onlyMissing those that do not exist yet; a failed outcome lists what
// went wrong.
platform::Outcome<> save(const LauncherState& s, platform::Platform& platform, bool onlyMissing) {
    Unsaved unsaved;
    std::vector<std::string> failed;
    const auto write = [&](const std::string& path, auto&& bytes) {
        // Any file there is kept, hidden and system ones too: a listing does not find those, and an
        // empty grid written over them would lose every registration.
        if (onlyMissing && platform.pathExists(path))
            return;
        if (!platform.replaceFile(path, bytes()))
            failed.push_back(path);
    };
    write(s.IniPath, [&] { return settingsBytes(s, unsaved); });
    write(s.UrlDataPath, [&] { return gridBytes(s.UrlItems, kUrlGridName, unsaved); });
    write(s.RunDataPath, [&] { return gridBytes(s.RunItems, kRunGridName, unsaved); });
    if (unsaved.empty() && failed.empty())
        return {};

    std::string text;
    if (!unsaved.empty()) {
        text +=
            "次の項目には、ファイルに書けない文字か改行が含まれているため、保存しませんでした。"
            "ファイルには、登録項目は未登録として、設定は初期値として書き込みました。\n" +
            listed(unsaved);
    }
    if (!failed.empty()) {
        if (!text.empty())
            text += "\n\n";
        text +=
            "次のファイルを保存できませんでした。前に保存した内容はそのまま残っています。\n" + listed(failed);
    }
    return platform::Problem{text};
}

}  // namespace

platform::Outcome<> SaveAll(const LauncherState& s, platform::Platform& platform) {
    return save(s, platform, false);
}

platform::Outcome<> SaveMissing(const LauncherState& s, platform::Platform& platform) {
    return save(s, platform, true);
}

}  // namespace state
