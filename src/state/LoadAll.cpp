#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "forms/Utf8.h"
#include "platform/TextCodec.h"
#include "state/FieldLines.h"
#include "state/StoredDefaults.h"
#include "state/StoredFiles.h"

namespace state {
namespace {

constexpr int kSettingsLinesRequired = 9;
constexpr int kLinesPerPage = kSlots * 3;
constexpr int kFirstPageOfShortFiles = 10;  // grid files of ten pages are complete as they are
constexpr std::size_t kProblemsShown = 10;

struct Problem {
    int line = 0;  // from 1; 0 for the file as a whole
    std::string what;
};
using Problems = std::vector<Problem>;

// A value as the message shows it: long garbage is cut short.
std::string shown(std::string_view value) {
    constexpr std::size_t kShownCharacters = 20;
    if (forms::characterCount(value) <= kShownCharacters)
        return "「" + std::string(value) + "」";
    return "「" + forms::characterSlice(value, 0, kShownCharacters) + "…」";
}

// The lines of one file, decoded one by one; a line that is not code page 932 is reported.
class LineSource {
  public:
    LineSource(std::string_view bytes, Problems& problems) : lines_(splitLines(bytes)), problems_(problems) {}

    int count() const { return static_cast<int>(lines_.size()); }

    // Line `n` (from 1) as UTF-8, or nothing when the file has no such line or it cannot be read.
    std::optional<std::string> text(int n) {
        if (n > count())
            return std::nullopt;
        platform::Outcome<std::string> decoded = platform::fromCp932(lines_[static_cast<std::size_t>(n - 1)]);
        if (!decoded) {
            problems_.push_back({n, "文字として読めないバイトがあります（" + decoded.problem() + "）。"});
            return std::nullopt;
        }
        return std::move(*decoded);
    }

  private:
    std::vector<std::string_view> lines_;
    Problems& problems_;
};

// The values of one field line, each read into its field or, when it cannot be read, set to its default.
// A line that is missing or unreadable has been reported already: all its values take their defaults.
class FieldLine {
  public:
    FieldLine(LineSource& source, int line, Problems& problems) : line_(line), problems_(problems) {
        if (std::optional<std::string> text = source.text(line)) {
            fields_ = splitFields(*text);
            readable_ = true;
        }
    }

    template <typename T>
    void number(std::size_t index, T& target, T fallback, NumberError (*read)(std::string_view, T&)) {
        target = fallback;
        const std::string* field = at(index);
        if (!field)
            return;
        T value{};
        switch (read(*field, value)) {
            case NumberError::None:
                target = value;
                break;
            case NumberError::NotANumber:
                report(index, shown(*field) + "は数値ではありません。");
                break;
            case NumberError::OutOfRange:
                report(index, shown(*field) + "は範囲外の数値です。");
                break;
        }
    }

    void integer(std::size_t index, Integer& target, Integer fallback) {
        number(index, target, fallback, readInteger);
    }

    void mode(std::size_t index, GridMode& target) {
        Integer stored = 0;
        integer(index, stored, 0);
        if (stored != 0 && stored != 1) {
            report(index, shown(std::to_string(stored)) + "は 0 か 1 でなければなりません。");
            stored = 0;
        }
        target = stored == 1 ? GridMode::Url : GridMode::Launcher;
    }

    void text(std::size_t index, std::string& target, const std::string& fallback) {
        const std::string* field = at(index);
        target = field ? *field : fallback;
    }

  private:
    const std::string* at(std::size_t index) {
        if (!readable_)
            return nullptr;
        if (index < fields_.size())
            return &fields_[index];
        report(index, "がありません。");
        return nullptr;
    }

    void report(std::size_t index, const std::string& what) {
        problems_.push_back({line_, std::to_string(index + 1) + " 番目の値" + what});
    }

    int line_;
    Problems& problems_;
    std::vector<std::string> fields_;
    bool readable_ = false;
};

void readTextLine(LineSource& source, int line, std::string& target, const std::string& fallback) {
    std::optional<std::string> text = source.text(line);
    target = text ? std::move(*text) : fallback;
}

void readSettings(LauncherState& s, std::string_view bytes, Problems& problems) {
    const LauncherState d = firstRunSettings();
    LineSource source(bytes, problems);
    const int count = source.count();
    if (count < kSettingsLinesRequired) {
        problems.push_back({count + 1, "この行がありません。設定ファイルは少なくとも 9 行必要です。"});
    }

    FieldLine line1(source, 1, problems);
    line1.number(0, s.WindowLeft, d.WindowLeft, readSingle);
    line1.number(1, s.WindowTop, d.WindowTop, readLong);
    line1.integer(2, s.ZOrderBottom, d.ZOrderBottom);

    FieldLine line2(source, 2, problems);
    line2.integer(0, s.ZOrderLock, d.ZOrderLock);
    line2.mode(1, s.Mode);
    line2.integer(2, s.UseInternetExplorer, d.UseInternetExplorer);

    readTextLine(source, 3, s.BrowserPath, d.BrowserPath);
    readTextLine(source, 4, s.SkinFile, d.SkinFile);

    for (std::size_t id = 0; id < s.Hotkeys.size(); ++id) {
        FieldLine line(source, 5 + static_cast<int>(id), problems);
        HotkeyEntry& entry = s.Hotkeys[id];
        const HotkeyEntry& fallback = d.Hotkeys[id];
        line.integer(0, entry.Ctrl, fallback.Ctrl);
        line.integer(1, entry.Alt, fallback.Alt);
        line.integer(2, entry.Shift, fallback.Shift);
        line.text(3, entry.Key, fallback.Key);
    }

    if (count > kSettingsLinesRequired) {
        readTextLine(source, 10, s.ClockFormat, d.ClockFormat);
        if (count < 11)
            problems.push_back({11, "この行がありません。"});
        FieldLine line11(source, 11, problems);
        line11.integer(0, s.ShowIcon, d.ShowIcon);
    } else if (count < kSettingsLinesRequired) {
        // A file of exactly nine lines leaves these as they were; a broken one does not count as that.
        s.ClockFormat = d.ClockFormat;
        s.ShowIcon = d.ShowIcon;
    }
}

void readGrid(Grid& grid, std::string_view bytes, Problems& problems) {
    LineSource source(bytes, problems);
    const int count = source.count();
    for (int n = 0; n < kGridSize; ++n) {
        const int page = n / kSlots;
        const int firstLine = n * 3 + 1;
        if (n % kSlots == 0 && page > 0 && count == page * kLinesPerPage) {
            // Ended after a whole page: tolerated. Only the pages from ten on that were not read are
            // marked empty; what was read is kept.
            for (int p = std::max(page, kFirstPageOfShortFiles); p < kPages; ++p) {
                for (int slot = 0; slot < kSlots; ++slot)
                    grid(p, slot).Title = EmptyMarker;
            }
            return;
        }
        if (firstLine + 2 > count) {
            problems.push_back({count + 1, "この行がありません。ファイルがページの途中で終わっています。"});
            for (int rest = n; rest < kGridSize; ++rest)
                grid.at(rest) = ItemRecord::empty();
            return;
        }
        std::optional<std::string> path = source.text(firstLine);
        std::optional<std::string> batch = source.text(firstLine + 1);
        std::optional<std::string> title = source.text(firstLine + 2);
        if (path && batch && title) {
            grid.at(n) = ItemRecord{std::move(*path), std::move(*batch), std::move(*title)};
        } else {
            grid.at(n) = ItemRecord::empty();
        }
    }
}

// Copies the file to the first free name of .bak, .bak2, .bak3 ...; never over an earlier backup.
std::optional<std::string> makeBackup(platform::Platform& platform, const std::string& path) {
    constexpr int kMostBackups = 999;
    for (int n = 1; n <= kMostBackups; ++n) {
        const std::string candidate = path + ".bak" + (n > 1 ? std::to_string(n) : "");
        if (platform.copyFileNew(path, candidate))
            return candidate;
        // The copy failed for another reason than an earlier backup in the way: trying on is useless.
        if (!platform.listingFinds(candidate, platform::Listing::FilesAndFolders))
            break;
    }
    return std::nullopt;
}

void report(platform::Platform& platform, const std::string& path, bool wasRead, Problems problems,
            const char* consequence) {
    if (problems.empty())
        return;
    std::stable_sort(problems.begin(), problems.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
    std::string text = "ファイル「" + path + "」を正しく読み込めませんでした。\n";
    for (std::size_t i = 0; i < problems.size() && i < kProblemsShown; ++i) {
        const Problem& problem = problems[i];
        text += "\n";
        if (problem.line > 0)
            text += std::to_string(problem.line) + " 行目：";
        text += problem.what;
    }
    if (problems.size() > kProblemsShown) {
        text += "\nほかに " + std::to_string(problems.size() - kProblemsShown) + " 件あります。";
    }
    text += "\n\n";
    text += consequence;
    if (wasRead) {
        // Kept before anything is saved, so that the next save cannot destroy what the person had.
        if (const std::optional<std::string> backup = makeBackup(platform, path)) {
            text += "\n元のファイルは「" + *backup + "」として残してあります。";
        } else {
            text +=
                "\n元のファイルの控えを作れませんでした。次に保存すると、このファイルは書き換えられます。";
        }
    }
    platform.messageBox(text, platform::MessageButtons::Ok);
}

const Problem kCannotOpen{0, "ファイルを開けませんでした。"};

}  // namespace

void LoadAll(LauncherState& s, platform::Platform& platform) {
    {
        const std::optional<std::string> bytes = platform.readFile(s.IniPath);
        Problems problems;
        readSettings(s, bytes.value_or(""), problems);
        // Nothing could be read: every setting has taken its default, and only that is worth saying.
        if (!bytes)
            problems = {kCannotOpen};
        report(platform, s.IniPath, bytes.has_value(), std::move(problems),
               "読み込めなかった設定には初期値を使います。");
    }
    const std::pair<const std::string*, Grid*> grids[] = {{&s.UrlDataPath, &s.UrlItems},
                                                          {&s.RunDataPath, &s.RunItems}};
    for (const auto& [path, grid] : grids) {
        const std::optional<std::string> bytes = platform.readFile(*path);
        Problems problems;
        readGrid(*grid, bytes.value_or(""), problems);
        if (!bytes)
            problems = {kCannotOpen};
        report(platform, *path, bytes.has_value(), std::move(problems),
               "読み込めなかった項目は未登録になります。");
    }
}

}  // namespace state
