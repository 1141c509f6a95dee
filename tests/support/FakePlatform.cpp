#include "FakePlatform.h"

#include <algorithm>

namespace fake {
namespace {

std::string lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

std::string parentOf(const std::string& path) {
    const auto cut = path.find_last_of('\\');
    return cut == std::string::npos ? std::string() : path.substr(0, cut);
}

std::string nameOf(const std::string& path) {
    const auto cut = path.find_last_of('\\');
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

bool matchFrom(const std::string& p, std::size_t i, const std::string& n, std::size_t j) {
    if (i == p.size())
        return j == n.size();
    if (p[i] == '*') {
        for (std::size_t k = j; k <= n.size(); ++k) {
            if (matchFrom(p, i + 1, n, k))
                return true;
        }
        return false;
    }
    if (j == n.size())
        return false;
    if (p[i] == '?' || p[i] == n[j])
        return matchFrom(p, i + 1, n, j + 1);
    return false;
}

}  // namespace

bool wildcardMatch(const std::string& pattern, const std::string& name) {
    return matchFrom(lower(pattern), 0, lower(name), 0);
}

FakePlatform::FakePlatform() {
    addFolder("C:\\");
}

std::string FakePlatform::key(const std::string& path) {
    std::string k = lower(path);
    while (k.size() > 3 && k.back() == '\\')
        k.pop_back();
    return k;
}

const FakeEntry* FakePlatform::find(const std::string& path) const {
    const auto it = entries_.find(key(path));
    return it == entries_.end() ? nullptr : &it->second;
}

void FakePlatform::addFile(const std::string& path, const std::string& bytes, bool hidden, bool system,
                           bool readOnly) {
    entries_[key(path)] = FakeEntry{bytes, false, hidden, system, readOnly};
    names_[key(path)] = path;
}

void FakePlatform::addFolder(const std::string& path, bool hidden) {
    entries_[key(path)] = FakeEntry{"", true, hidden, false};
    names_[key(path)] = path;
}

void FakePlatform::removeFile(const std::string& path) {
    entries_.erase(key(path));
    names_.erase(key(path));
}

bool FakePlatform::exists(const std::string& path) const {
    return find(path) != nullptr;
}

std::string FakePlatform::fileBytes(const std::string& path) const {
    const FakeEntry* entry = find(path);
    return entry && !entry->folder ? entry->bytes : std::string();
}

bool FakePlatform::listingFinds(const std::string& path, platform::Listing listing) {
    if (path.empty())
        return false;
    const bool foldersToo = listing == platform::Listing::FilesAndFolders;
    // A path ending in a separator lists the folder's contents; its own "." entry is a folder.
    if (path.back() == '\\') {
        const FakeEntry* dir = find(path);
        if (!dir || !dir->folder)
            return false;
        if (foldersToo)
            return true;
        return !listFiles(path.substr(0, path.size() - 1), "*").empty();
    }
    const std::string parent = key(parentOf(path));
    const std::string pattern = nameOf(path);
    for (const auto& [k, entry] : entries_) {
        if (key(parentOf(names_.at(k))) != parent || !wildcardMatch(pattern, nameOf(names_.at(k))))
            continue;
        if (entry.hidden || entry.system)
            continue;
        if (entry.folder && !foldersToo)
            continue;
        return true;
    }
    return false;
}

std::vector<bool> FakePlatform::volumesReachable(const std::vector<std::string>& roots,
                                                 std::chrono::milliseconds limit) {
    longestProbeLimit = std::max(longestProbeLimit, limit);
    std::vector<bool> reachable;
    for (const std::string& root : roots) {
        volumeProbes.push_back(root);
        const bool silent = std::any_of(silentVolumes.begin(), silentVolumes.end(),
                                        [&](const std::string& volume) { return key(volume) == key(root); });
        // A volume is there when anything of the fake's lies on it.
        const std::string volume = key(root);
        const std::string within = volume.back() == '\\' ? volume : volume + "\\";
        const bool there = std::any_of(entries_.begin(), entries_.end(), [&](const auto& entry) {
            return entry.first == volume || entry.first.rfind(within, 0) == 0;
        });
        reachable.push_back(there && !silent);
    }
    return reachable;
}

bool FakePlatform::isFolder(const std::string& path) {
    const FakeEntry* entry = find(path);
    return entry && entry->folder;
}

std::vector<std::string> FakePlatform::listFiles(const std::string& folderPath, const std::string& pattern) {
    std::vector<std::string> names;
    for (const auto& [k, entry] : entries_) {
        const std::string& name = names_.at(k);
        if (entry.folder || entry.hidden || entry.system)
            continue;
        if (key(parentOf(name)) == key(folderPath) && wildcardMatch(pattern, nameOf(name))) {
            names.push_back(nameOf(name));
        }
    }
    return names;
}

std::optional<std::string> FakePlatform::readFile(const std::string& path) {
    const FakeEntry* entry = find(path);
    if (!entry || entry->folder)
        return std::nullopt;
    return entry->bytes;
}

// The reasons in the words the Japanese system gives for them.
platform::Outcome<> FakePlatform::replaceFile(const std::string& path, const std::string& bytes) {
    const platform::Problem denied{"アクセスが拒否されました。"};
    if (failingWrites.count(key(path)) || failingWrites.count(path))
        return denied;
    const FakeEntry* entry = find(path);
    if (entry && (entry->folder || entry->readOnly))
        return denied;
    if (!isFolder(parentOf(path)))
        return platform::Problem{"指定されたパスが見つかりません。"};
    addFile(path, bytes);
    writes.push_back(path);
    return {};
}

bool FakePlatform::copyFileNew(const std::string& from, const std::string& to) {
    const FakeEntry* source = find(from);
    if (!source || source->folder || exists(to))
        return false;
    addFile(to, source->bytes);
    return true;
}

bool FakePlatform::startProcess(const std::string& application, const std::string& commandLine) {
    processes.push_back({application, commandLine});
    return true;
}

bool FakePlatform::shellOpen(const std::string& file, const std::string& workingFolder) {
    shellOpens.push_back({file, workingFolder});
    return true;
}

bool FakePlatform::openInBrowserObject(const std::string& address) {
    browserAddresses.push_back(address);
    return true;
}

std::optional<std::string> FakePlatform::resolveShortcut(const std::string& linkPath) {
    const auto it = shortcuts.find(linkPath);
    if (it == shortcuts.end())
        return std::nullopt;
    return it->second;
}

void FakePlatform::setWindowOrder(forms::NativeWindow window, platform::WindowOrder order) {
    orderCalls.emplace_back(window, order);
}

void FakePlatform::dragWindow(forms::NativeWindow window) {
    dragCalls.push_back(window);
    if (dragTo)
        dragTo();
}

std::vector<forms::Rect> FakePlatform::monitors() {
    if (monitorRects.empty())
        return {{0, 0, screen.width, screen.height}};
    return monitorRects;
}

platform::MessageAnswer FakePlatform::messageBox(const std::string& text, platform::MessageButtons buttons) {
    messageBoxes.push_back({text, buttons});
    if (buttons == platform::MessageButtons::Ok)
        return platform::MessageAnswer::Ok;
    if (answers.empty())
        return platform::MessageAnswer::No;
    const auto answer = answers.front();
    answers.pop_front();
    return answer;
}

std::string FakePlatform::openFileDialog(const platform::OpenDialogRequest& request) {
    dialogs.push_back(request);
    if (dialogResults.empty())
        return {};
    std::string result = dialogResults.front();
    dialogResults.pop_front();
    return result;
}

forms::IconPtr FakePlatform::smallIcon(const std::string& path) {
    // The shell has an icon for everything that exists, and for nothing else.
    if (path.empty() || !exists(path))
        return nullptr;
    return std::make_shared<FakeIcon>(path);
}

forms::PicturePtr FakePlatform::loadPicture(const std::string& path) {
    return loadSkinPicture(path, {});
}

forms::PicturePtr FakePlatform::loadSkinPicture(const std::string& path, const std::string& doubleSizePath) {
    if (!exists(path) || picturesThatFail.count(path))
        return nullptr;
    // As on Windows, a double-size drawing that cannot be loaded is left out.
    const bool withDouble =
        !doubleSizePath.empty() && exists(doubleSizePath) && !picturesThatFail.count(doubleSizePath);
    return std::make_shared<FakePicture>(path, withDouble ? doubleSizePath : std::string());
}

}  // namespace fake
