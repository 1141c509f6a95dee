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
    SHFILEINFOW info{};
    if (!::SHGetFileInfoW(widen(path).c_str(), 0, &info, sizeof info, SHGFI_ICON | SHGFI_SMALLICON) ||
        !info.hIcon) {
        return nullptr;
    }
    return std::make_shared<Win32Icon>(info.hIcon);
}

forms::PicturePtr Win32Platform::loadPicture(const std::string& path) {
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
        return nullptr;
    }
    UINT width = 0;
    UINT height = 0;
    if (FAILED(converter->GetSize(&width, &height)) || width == 0 || height == 0)
        return nullptr;
    // A file may claim any size: refuse one whose pixels would not fit the copy's byte count.
    const unsigned long long stride = 4ull * width;
    if (stride * height > INT_MAX)
        return nullptr;

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
        return nullptr;
    }
    return std::make_shared<Win32Picture>(bitmap.release(), static_cast<int>(width),
                                          static_cast<int>(height));
}

}  // namespace win32
