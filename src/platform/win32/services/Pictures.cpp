#include <windows.h>

#include <shellapi.h>
#include <wincodec.h>

#include <climits>
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

namespace {

// The picture at `path` as a 32-bit premultiplied top-down DIB section.
UniqueBitmap loadBitmap(const std::string& path, int& widthOut, int& heightOut) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, factory.putVoid())) ||
        FAILED(factory->CreateDecoderFromFilename(widen(path).c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, decoder.put())) ||
        FAILED(decoder->GetFrame(0, frame.put())) ||
        FAILED(factory->CreateFormatConverter(converter.put())) ||
        FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppPBGRA, WICBitmapDitherTypeNone,
                                     nullptr, 0.0, WICBitmapPaletteTypeCustom))) {
        return {};
    }
    UINT width = 0;
    UINT height = 0;
    if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0)
        return {};
    // A file may claim any size: refuse one whose pixels would not fit the copy's byte count.
    const unsigned long long stride = 4ull * width;
    if (stride * height > INT_MAX)
        return {};

    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = static_cast<LONG>(width);
    format.bmiHeader.biHeight = -static_cast<LONG>(height);  // top-down, as WIC copies the rows
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap bitmap(::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits ||
        FAILED(converter->CopyPixels(nullptr, static_cast<UINT>(stride), static_cast<UINT>(stride * height),
                                     static_cast<BYTE*>(bits)))) {
        return {};
    }
    widthOut = static_cast<int>(width);
    heightOut = static_cast<int>(height);
    return bitmap;
}

}  // namespace

forms::PicturePtr Win32Platform::loadPicture(const std::string& path) {
    return loadSkinPicture(path, {});
}

forms::PicturePtr Win32Platform::loadSkinPicture(const std::string& path, const std::string& doubleSizePath) {
    int width = 0;
    int height = 0;
    UniqueBitmap bitmap = loadBitmap(path, width, height);
    if (!bitmap)
        return nullptr;
    // The double-size drawing only improves scaled screens: one that is missing or of another size is
    // left out, and the picture is scaled from its own size instead.
    Win32Picture::DoubleSizeSource doubleSize;
    if (!doubleSizePath.empty()) {
        doubleSize = [doubleSizePath, width, height] {
            int doubleWidth = 0;
            int doubleHeight = 0;
            UniqueBitmap drawing = loadBitmap(doubleSizePath, doubleWidth, doubleHeight);
            if (doubleWidth != 2 * width || doubleHeight != 2 * height)
                drawing.reset();
            return drawing;
        };
    }
    return std::make_shared<Win32Picture>(bitmap.release(), width, height, std::move(doubleSize));
}

}  // namespace win32
