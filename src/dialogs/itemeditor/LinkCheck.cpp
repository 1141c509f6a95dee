#include "dialogs/itemeditor/LinkCheck.h"

#include <chrono>
#include <map>
#include <set>
#include <vector>

#include "state/StoredFiles.h"

namespace dialogs {
namespace {

// Long enough for a share on a slow line, short enough that a start with the server out of reach is
// hardly slower than usual.
constexpr std::chrono::milliseconds kVolumeAnswerLimit{1500};

bool separator(char c) {
    return c == '\\' || c == '/';
}

bool asciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

char upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Volumes compare as the system compares names: letter case does not count.
std::string volumeKey(std::string volume) {
    for (char& c : volume) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return volume;
}

// The answers of the volumes asked about so far in one check: each is asked once.
class VolumeAnswers {
  public:
    explicit VolumeAnswers(platform::Platform& platform) : platform_(platform) {}

    // Asks, all together, about those volumes of `volumes` not asked about yet.
    void ask(const std::vector<std::string>& volumes) {
        std::vector<std::string> roots;
        for (const std::string& volume : volumes) {
            if (!volume.empty() && answers_.emplace(volumeKey(volume), true).second)
                roots.push_back(volume);
        }
        if (roots.empty())
            return;
        const std::vector<bool> reachable = platform_.volumesReachable(roots, kVolumeAnswerLimit);
        for (std::size_t i = 0; i < roots.size(); ++i)
            answers_[volumeKey(roots[i])] = i < reachable.size() && reachable[i];
    }

    bool unreachable(const std::string& volume) const {
        const auto it = answers_.find(volumeKey(volume));
        return it != answers_.end() && !it->second;
    }

  private:
    platform::Platform& platform_;
    std::map<std::string, bool> answers_;  // by volumeKey
};

std::string skippedNote(const VanishedOutcome& outcome) {
    std::string volumes;
    for (const std::string& volume : outcome.skippedVolumes)
        volumes += (volumes.empty() ? "" : "、") + volume;
    return "接続されていないドライブ・共有にある登録 " + std::to_string(outcome.skipped) +
           " 件は確認しませんでした（" + volumes + "）。";
}

}  // namespace

bool RegistrationPresent(platform::Platform& platform, const std::string& path) {
    return path.empty() || platform.listingFinds(path, platform::Listing::FilesAndFolders);
}

std::string VolumeOf(const std::string& path) {
    if (path.size() >= 2 && asciiLetter(path[0]) && path[1] == ':')
        return std::string(1, upper(path[0])) + ":\\";
    if (path.size() < 3 || !separator(path[0]) || !separator(path[1]))
        return {};
    // \\server\share\...: the first two names after the leading separators.
    std::vector<std::string> names;
    std::size_t at = 2;
    while (names.size() < 2 && at <= path.size()) {
        std::size_t end = at;
        while (end < path.size() && !separator(path[end]))
            ++end;
        names.push_back(path.substr(at, end - at));
        at = end + 1;
    }
    if (names.size() < 2 || names[0].empty() || names[1].empty())
        return {};
    // The long-path and device forms \\?\ and \\.\ stand for the path that follows them.
    if (names[0] == "?" || names[0] == ".") {
        const std::string rest = path.substr(4);
        if (volumeKey(names[1]) == "unc")
            return rest.size() > 4 ? VolumeOf("\\\\" + rest.substr(4)) : std::string();
        return VolumeOf(rest);
    }
    return "\\\\" + names[0] + "\\" + names[1] + "\\";
}

VanishedOutcome AskAboutVanishedItems(state::LauncherState& s, platform::Platform& platform,
                                      const std::function<void()>& afterRemoval) {
    VanishedOutcome outcome;
    std::vector<std::string> volumes;
    for (int n = 0; n < state::kGridSize; ++n)
        volumes.push_back(VolumeOf(s.RunItems.at(n).Path));

    // A share that does not answer, or a drive mapped to one, would hold a listing of a path on it for
    // half a minute: every volume is asked about first, all together and with a time limit, and only the
    // paths on volumes that answered are listed.
    VolumeAnswers answers(platform);
    answers.ask(volumes);

    // All paths are looked up together first, which the system answers folder by folder; a path found
    // missing is looked up again right before its question, as a question may stay open for a while.
    std::vector<std::string> paths;
    std::vector<int> positions;
    for (int n = 0; n < state::kGridSize; ++n) {
        const std::string& path = s.RunItems.at(n).Path;
        if (!path.empty() && !answers.unreachable(volumes[static_cast<std::size_t>(n)])) {
            paths.push_back(path);
            positions.push_back(n);
        }
    }
    const std::vector<bool> found = platform.listingFindsEach(paths, platform::Listing::FilesAndFolders);
    std::vector<bool> listed(state::kGridSize, false);
    for (std::size_t i = 0; i < positions.size(); ++i)
        listed[static_cast<std::size_t>(positions[i])] = found.at(i);

    std::set<std::string> skippedVolumes;  // by volumeKey
    for (int n = 0; n < state::kGridSize; ++n) {
        state::ItemRecord& item = s.RunItems.at(n);
        const std::string& volume = volumes[static_cast<std::size_t>(n)];
        if (listed[static_cast<std::size_t>(n)] || item.Path.empty())
            continue;
        if (answers.unreachable(volume)) {
            ++outcome.skipped;
            if (skippedVolumes.insert(volumeKey(volume)).second)
                outcome.skippedVolumes.push_back(volume);
            continue;
        }
        if (RegistrationPresent(platform, item.Path))
            continue;
        outcome.anyMissing = true;
        const auto answer =
            platform.messageBox(item.Path + "\r\nは移動、または削除されています。\r\n登録から削除しますか？",
                                platform::MessageButtons::YesNo);
        if (answer != platform::MessageAnswer::Yes)
            continue;
        item = state::ItemRecord::empty();
        ++outcome.removed;
        afterRemoval();
        platform::Reported(platform, state::SaveAll(s, platform));
    }
    return outcome;
}

VanishedOutcome RunLinkCheck(state::LauncherState& s, platform::Platform& platform,
                             const std::function<void()>& afterRemoval) {
    const VanishedOutcome outcome = AskAboutVanishedItems(s, platform, afterRemoval);
    if (outcome.skipped > 0)
        platform.messageBox(skippedNote(outcome), platform::MessageButtons::Ok);
    else if (!outcome.anyMissing)
        platform.messageBox("リンクに異常は見つかりませんでした。", platform::MessageButtons::Ok);
    return outcome;
}

}  // namespace dialogs
