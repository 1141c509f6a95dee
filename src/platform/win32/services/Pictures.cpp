#include <windows.h>

#include <shellapi.h>

#include <memory>

#include "platform/win32/Images.h"
#include "platform/win32/Wide.h"
#include "platform/win32/services/Win32Platform.h"

namespace win32 {

forms::IconPtr Win32Platform::smallIcon(const std::string& path) {
    if (path.empty())
        return nullptr;
    const std::wstring widePath = widen(path);
    WIN32_FILE_ATTRIBUTE_DATA file{};
    const bool exists = ::GetFileAttributesExW(widePath.c_str(), GetFileExInfoStandard, &file);
    if (exists) {
        for (auto recent = recentIcons_.begin(); recent != recentIcons_.end(); ++recent) {
            if (recent->path != path || ::CompareFileTime(&recent->written, &file.ftLastWriteTime) != 0)
                continue;
            RecentIcon found = std::move(*recent);
            recentIcons_.erase(recent);
            recentIcons_.push_front(std::move(found));
            return recentIcons_.front().icon;
        }
    }
    SHFILEINFOW info{};
    if (!::SHGetFileInfoW(widePath.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON) ||
        !info.hIcon) {
        return nullptr;
    }
    auto icon = std::make_shared<Win32Icon>(info.hIcon, widePath);
    if (exists) {
        std::erase_if(recentIcons_, [&](const RecentIcon& recent) { return recent.path == path; });
        recentIcons_.push_front({path, file.ftLastWriteTime, icon});
        if (recentIcons_.size() > kRecentIcons)
            recentIcons_.pop_back();
    }
    return icon;
}

forms::PicturePtr Win32Platform::loadPicture(const std::string& path) {
    return loadSkinPicture(path, {});
}

forms::PicturePtr Win32Platform::loadSkinPicture(const std::string& path, const std::string& doubleSizePath) {
    int width = 0;
    int height = 0;
    UniqueBitmap bitmap = loadBitmap(widen(path), width, height);
    if (!bitmap)
        return nullptr;
    return std::make_shared<Win32Picture>(bitmap.release(), width, height, widen(doubleSizePath));
}

}  // namespace win32
