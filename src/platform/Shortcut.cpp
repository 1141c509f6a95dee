#include "platform/Shortcut.h"

#include "forms/Utf8.h"

namespace platform {

namespace {

bool isShortcut(const std::string& path) {
    const std::size_t count = forms::characterCount(path);
    if (count < 4)
        return false;
    std::string suffix = forms::characterSlice(path, count - 4);
    for (char& c : suffix) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return suffix == ".lnk";
}

}  // namespace

std::optional<std::string> ResolveShortcut(Platform& platform, const std::string& path) {
    if (!isShortcut(path))
        return path;
    return platform.resolveShortcut(path);
}

}  // namespace platform
