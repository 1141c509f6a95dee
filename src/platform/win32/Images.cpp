#include "platform/win32/Images.h"

#include <shellapi.h>
#include <shlobj.h>
#include <wincodec.h>

#include <climits>
#include <utility>

namespace win32 {
namespace {

int iconSize(HICON icon) {
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info))
        return 0;
    // GetIconInfo hands out copies of the icon's bitmaps.
    const UniqueBitmap mask(info.hbmMask);
    const UniqueBitmap color(info.hbmColor);
    return bitmapSize(info.hbmColor ? info.hbmColor : info.hbmMask).cx;
}

// The shell's icon of `path` at `size` pixels, extracted from its icon file at that size.
UniqueIcon shellIcon(const std::wstring& path, int size) {
    SHFILEINFOW info{};
    if (::SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_ICONLOCATION) && info.szDisplayName[0]) {
        HICON icon = nullptr;
        if (::SHDefExtractIconW(info.szDisplayName, info.iIcon, 0, &icon, nullptr,
                                static_cast<UINT>(MAKELONG(size, size))) == S_OK &&
            icon) {
            return UniqueIcon(icon);
        }
    }
    // No file holds the icon (the shell makes it itself): its large icon, which drawing only shrinks.
    if (size > 16 && ::SHGetFileInfoW(path.c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_LARGEICON))
        return UniqueIcon(info.hIcon);
    return {};
}

UniqueBitmap newDib(int width, int height, void*& bits) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;  // top-down, as WIC copies the rows
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    bits = nullptr;
    return UniqueBitmap(::CreateDIBSection(nullptr, &format, DIB_RGB_COLORS, &bits, nullptr, 0));
}

}  // namespace

UniqueBitmap loadBitmap(const std::wstring& path, int& widthOut, int& heightOut) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, factory.putVoid())) ||
        FAILED(factory->CreateDecoderFromFilename(path.c_str(), nullptr, GENERIC_READ,
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

    void* bits = nullptr;
    UniqueBitmap bitmap = newDib(static_cast<int>(width), static_cast<int>(height), bits);
    if (!bitmap || !bits ||
        FAILED(converter->CopyPixels(nullptr, static_cast<UINT>(stride), static_cast<UINT>(stride * height),
                                     static_cast<BYTE*>(bits)))) {
        return {};
    }
    widthOut = static_cast<int>(width);
    heightOut = static_cast<int>(height);
    return bitmap;
}


SIZE bitmapSize(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !::GetObjectW(bitmap, sizeof info, &info))
        return {0, 0};
    return {info.bmWidth, info.bmHeight < 0 ? -info.bmHeight : info.bmHeight};
}

Win32Icon::Win32Icon(HICON icon, std::wstring path)
    : icon_(icon), size_(iconSize(icon)), path_(std::move(path)) {}

HICON Win32Icon::at(int size) const {
    if (size == size_ || path_.empty())
        return icon_.get();
    auto found = sizes_.find(size);
    if (found == sizes_.end())
        found = sizes_.emplace(size, shellIcon(path_, size)).first;
    return found->second ? found->second.get() : icon_.get();
}

HBITMAP Win32Picture::at(const platform::Scale& scale) const {
    if (scale.dpi() >= 144 && !doubleSizePath_.empty()) {
        // Loaded when first needed, so that a screen at 100 % never holds it; one that is missing or of
        // another size is left out, and the picture is scaled from its own size instead.
        int width = 0;
        int height = 0;
        double_ = loadBitmap(std::exchange(doubleSizePath_, {}), width, height);
        if (width != 2 * width_ || height != 2 * height_)
            double_.reset();
    }
    const bool fromDouble = double_ && scale.dpi() >= 144;
    HBITMAP source = fromDouble ? double_.get() : bitmap_.get();
    const SIZE have = bitmapSize(source);
    const int width = scale.toDevice(width_);
    const int height = scale.toDevice(height_);
    if (have.cx == width && have.cy == height)
        return source;
    auto found = scaled_.find(scale.dpi());
    if (found == scaled_.end())
        found = scaled_.emplace(scale.dpi(), scaledBitmap(source, width, height)).first;
    return found->second.get();
}

UniqueBitmap scaledBitmap(HBITMAP source, int width, int height) {
    DIBSECTION dib{};
    if (width <= 0 || height <= 0 || !::GetObjectW(source, sizeof dib, &dib) || !dib.dsBm.bmBits ||
        dib.dsBm.bmBitsPixel != 32) {
        return {};
    }
    const UINT sourceWidth = static_cast<UINT>(dib.dsBm.bmWidth);
    const UINT sourceHeight =
        static_cast<UINT>(dib.dsBm.bmHeight < 0 ? -dib.dsBm.bmHeight : dib.dsBm.bmHeight);
    const UINT sourceStride = static_cast<UINT>(dib.dsBm.bmWidthBytes);
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmap> bitmap;
    ComPtr<IWICBitmapScaler> scaler;
    // Fant averages every source pixel into the target: smooth when shrinking the double-size drawing.
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                  IID_IWICImagingFactory, factory.putVoid())) ||
        FAILED(factory->CreateBitmapFromMemory(sourceWidth, sourceHeight, GUID_WICPixelFormat32bppPBGRA,
                                               sourceStride, sourceStride * sourceHeight,
                                               static_cast<BYTE*>(dib.dsBm.bmBits), bitmap.put())) ||
        FAILED(factory->CreateBitmapScaler(scaler.put())) ||
        FAILED(scaler->Initialize(bitmap.get(), static_cast<UINT>(width), static_cast<UINT>(height),
                                  WICBitmapInterpolationModeFant))) {
        return {};
    }
    void* bits = nullptr;
    UniqueBitmap scaled = newDib(width, height, bits);
    const UINT stride = 4u * static_cast<UINT>(width);
    if (!scaled || !bits ||
        FAILED(scaler->CopyPixels(nullptr, stride, stride * static_cast<UINT>(height),
                                  static_cast<BYTE*>(bits)))) {
        return {};
    }
    return scaled;
}

}  // namespace win32
