#include "dialogs/itemeditor/LinkCheck.h"

#include <vector>

#include "state/StoredFiles.h"

namespace dialogs {

bool RegistrationPresent(platform::Platform& platform, const std::string& path) {
    return path.empty() || platform.listingFinds(path, platform::Listing::FilesAndFolders);
}

VanishedOutcome AskAboutVanishedItems(state::LauncherState& s, platform::Platform& platform,
                                      const std::function<void()>& afterRemoval) {
    VanishedOutcome outcome;
    // All paths are looked up together first, which the system answers folder by folder; a path found
    // missing is looked up again right before its question, as a question may stay open for a while.
    std::vector<std::string> paths;
    for (int n = 0; n < state::kGridSize; ++n)
        paths.push_back(s.RunItems.at(n).Path);
    const std::vector<bool> listed = platform.listingFindsEach(paths, platform::Listing::FilesAndFolders);
    for (int n = 0; n < state::kGridSize; ++n) {
        state::ItemRecord& item = s.RunItems.at(n);
        if (listed.at(static_cast<std::size_t>(n)) || RegistrationPresent(platform, item.Path))
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
        state::SaveAll(s, platform);
    }
    return outcome;
}

VanishedOutcome RunLinkCheck(state::LauncherState& s, platform::Platform& platform,
                             const std::function<void()>& afterRemoval) {
    const VanishedOutcome outcome = AskAboutVanishedItems(s, platform, afterRemoval);
    if (!outcome.anyMissing)
        platform.messageBox("リンクに異常は見つかりませんでした。", platform::MessageButtons::Ok);
    return outcome;
}

}  // namespace dialogs
