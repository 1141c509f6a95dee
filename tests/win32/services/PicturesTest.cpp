#include <gtest/gtest.h>

#include <wincodec.h>

#include <cstdint>
#include <vector>

#include "TestSupport.h"
#include "Utf16.h"
#include "platform/win32/Images.h"
#include "platform/win32/services/Win32Platform.h"

namespace {

std::string le(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xff);
    return out;
}

// A 2 x 2 24-bit BMP, stored bottom row first: red, green over blue, white.
std::string twoByTwoBmp() {
    const std::string bottom = std::string(
                                   "\xff\x00\x00"
                                   "\xff\xff\xff",
                                   6) +
                               std::string(2, '\0');
    const std::string top = std::string(
                                "\x00\x00\xff"
                                "\x00\xff\x00",
                                6) +
                            std::string(2, '\0');
    const std::string header = "BM" + le(54 + 16, 4) + le(0, 4) + le(54, 4) + le(40, 4) + le(2, 4) +
                               le(2, 4) + le(1, 2) + le(24, 2) + le(0, 4) + le(16, 4) + le(2835, 4) +
                               le(2835, 4) + le(0, 4) + le(0, 4);
    return header + bottom + top;
}

// A 24-bit BMP of one colour (blue, green, red bytes), rows padded to four bytes.
std::string solidBmp(int width, int height, const char bgr[3]) {
    std::string row;
    for (int x = 0; x < width; ++x)
        row += std::string(bgr, 3);
    row += std::string((4 - row.size() % 4) % 4, '\0');
    std::string rows;
    for (int y = 0; y < height; ++y)
        rows += row;
    const auto size = static_cast<std::uint32_t>(rows.size());
    return "BM" + le(54 + size, 4) + le(0, 4) + le(54, 4) + le(40, 4) +
           le(static_cast<std::uint32_t>(width), 4) + le(static_cast<std::uint32_t>(height), 4) + le(1, 2) +
           le(24, 2) + le(0, 4) + le(size, 4) + le(2835, 4) + le(2835, 4) + le(0, 4) + le(0, 4) + rows;
}

SIZE iconSize(HICON icon) {
    ICONINFO info{};
    if (!::GetIconInfo(icon, &info))
        return {0, 0};
    win32::UniqueBitmap color(info.hbmColor);
    win32::UniqueBitmap mask(info.hbmMask);
    return win32::bitmapSize(info.hbmColor ? info.hbmColor : info.hbmMask);
}

// The colour at the centre of a bitmap, 0x00RRGGBB.
std::uint32_t centre(HBITMAP bitmap) {
    const SIZE size = win32::bitmapSize(bitmap);
    win32::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    win32::SelectedObject selected(dc.get(), bitmap);
    const COLORREF c = ::GetPixel(dc.get(), size.cx / 2, size.cy / 2);
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

// A 2 x 1 PNG through the system's encoder: opaque blue, then red at half opacity.
bool writeTwoPixelPng(const std::string& path) {
    win32::ComPtr<IWICImagingFactory> factory;
    win32::ComPtr<IWICStream> stream;
    win32::ComPtr<IWICBitmapEncoder> encoder;
    win32::ComPtr<IWICBitmapFrameEncode> frame;
    WICPixelFormatGUID format = GUID_WICPixelFormat32bppBGRA;
    BYTE pixels[8] = {0xff, 0, 0, 0xff, 0, 0, 0xff, 0x80};
    return SUCCEEDED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                        IID_IWICImagingFactory, factory.putVoid())) &&
           SUCCEEDED(factory->CreateStream(stream.put())) &&
           SUCCEEDED(stream->InitializeFromFilename(winsupport::Widen(path).c_str(), GENERIC_WRITE)) &&
           SUCCEEDED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, encoder.put())) &&
           SUCCEEDED(encoder->Initialize(stream.get(), WICBitmapEncoderNoCache)) &&
           SUCCEEDED(encoder->CreateNewFrame(frame.put(), nullptr)) &&
           SUCCEEDED(frame->Initialize(nullptr)) && SUCCEEDED(frame->SetSize(2, 1)) &&
           SUCCEEDED(frame->SetPixelFormat(&format)) && format == GUID_WICPixelFormat32bppBGRA &&
           SUCCEEDED(frame->WritePixels(1, 8, 8, pixels)) && SUCCEEDED(frame->Commit()) &&
           SUCCEEDED(encoder->Commit());
}

// The pixel at (x, y) of a loaded picture as 0xAARRGGBB, read back through GDI top row first.
std::uint32_t pixel(const win32::Win32Picture& picture, int x, int y) {
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = picture.width();
    format.bmiHeader.biHeight = -picture.height();
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(picture.width() * picture.height()));
    const win32::WindowDc screen(nullptr);
    if (::GetDIBits(screen.get(), picture.get(), 0, static_cast<UINT>(picture.height()), pixels.data(),
                    &format, DIB_RGB_COLORS) != picture.height()) {
        return 0xdeadbeef;
    }
    return pixels[static_cast<std::size_t>(y * picture.width() + x)];
}

class PicturesTest : public ::testing::Test {
  protected:
    std::shared_ptr<const win32::Win32Picture> load(const std::string& name) {
        return std::dynamic_pointer_cast<const win32::Win32Picture>(platform.loadPicture(folder.at(name)));
    }

    win32::Win32Platform platform;
    testsupport::TempFolder folder;
};

TEST_F(PicturesTest, BmpLoadsTopRowFirst) {
    testsupport::writeFile(folder.at("skin.bmp"), twoByTwoBmp());
    const auto picture = load("skin.bmp");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->width(), 2);
    EXPECT_EQ(picture->height(), 2);
    EXPECT_EQ(pixel(*picture, 0, 0), 0xffff0000u);
    EXPECT_EQ(pixel(*picture, 1, 0), 0xff00ff00u);
    EXPECT_EQ(pixel(*picture, 0, 1), 0xff0000ffu);
    EXPECT_EQ(pixel(*picture, 1, 1), 0xffffffffu);
}

TEST_F(PicturesTest, PngLoadsWithPremultipliedAlpha) {
    ASSERT_TRUE(writeTwoPixelPng(folder.at("button.png")));
    const auto picture = load("button.png");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->width(), 2);
    EXPECT_EQ(picture->height(), 1);
    EXPECT_EQ(pixel(*picture, 0, 0), 0xff0000ffu);
    const std::uint32_t halfRed = pixel(*picture, 1, 0);
    EXPECT_EQ(halfRed >> 24, 0x80u);
    EXPECT_NEAR(static_cast<int>((halfRed >> 16) & 0xff), 0x80, 1) << "red is premultiplied by its alpha";
}

TEST_F(PicturesTest, WhatIsNoPictureLoadsAsNothing) {
    testsupport::writeFile(folder.at("text.png"), "not a picture at all");
    testsupport::writeFile(folder.at("empty.bmp"), "");
    EXPECT_EQ(load("text.png"), nullptr);
    EXPECT_EQ(load("empty.bmp"), nullptr);
    EXPECT_EQ(load("missing.bmp"), nullptr);
}

// A skin picture at each scale: its own size at 100 %, made once per scale, and from 150 % up made
// from the double-size drawing (green here, the picture itself red).
TEST_F(PicturesTest, ASkinPictureIsScaledOncePerScaleAndUsesItsDoubleSizeFrom150Percent) {
    testsupport::writeFile(folder.at("skin.bmp"), solidBmp(8, 4, "\x00\x00\xff"));
    testsupport::writeFile(folder.at("skin2x.bmp"), solidBmp(16, 8, "\x00\xff\x00"));
    testsupport::writeFile(folder.at("wrong2x.bmp"), solidBmp(15, 8, "\x00\xff\x00"));
    const auto picture = std::dynamic_pointer_cast<const win32::Win32Picture>(
        platform.loadSkinPicture(folder.at("skin.bmp"), folder.at("skin2x.bmp")));
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->width(), 8);
    struct Case {
        int dpi, width, height;
        std::uint32_t colour;
    };
    for (const Case& c : {Case{96, 8, 4, 0xff0000}, Case{120, 10, 5, 0xff0000}, Case{144, 12, 6, 0x00ff00},
                          Case{192, 16, 8, 0x00ff00}}) {
        SCOPED_TRACE(c.dpi);
        HBITMAP scaled = picture->at(platform::Scale(c.dpi));
        ASSERT_NE(scaled, nullptr);
        EXPECT_EQ(win32::bitmapSize(scaled).cx, c.width);
        EXPECT_EQ(win32::bitmapSize(scaled).cy, c.height);
        EXPECT_EQ(centre(scaled), c.colour);
        EXPECT_EQ(picture->at(platform::Scale(c.dpi)), scaled) << "made again";
    }
    EXPECT_EQ(picture->at(platform::Scale(96)), picture->get());
    // A double-size drawing of the wrong size is left out: the picture itself is scaled.
    const auto without = std::dynamic_pointer_cast<const win32::Win32Picture>(
        platform.loadSkinPicture(folder.at("skin.bmp"), folder.at("wrong2x.bmp")));
    ASSERT_NE(without, nullptr);
    EXPECT_EQ(centre(without->at(platform::Scale(144))), 0xff0000u);
}

TEST(SmallIconTest, ExistingPathsHaveASmallIconAndMissingOnesNone) {
    win32::Win32Platform platform;
    const std::string exe = platform.programFolder() + "\\" + platform.exeBaseName() + ".exe";
    const auto icon = std::dynamic_pointer_cast<const win32::Win32Icon>(platform.smallIcon(exe));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(icon->get(), &info));
    win32::UniqueBitmap color(info.hbmColor);
    win32::UniqueBitmap mask(info.hbmMask);
    BITMAP bitmap{};
    ::GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, ::GetSystemMetrics(SM_CXSMICON));

    // The same icon at the sizes of scaled screens, taken from the system at that size and kept.
    for (int size : {20, 24, 32}) {
        HICON sized = icon->at(size);
        EXPECT_EQ(iconSize(sized).cx, size);
        EXPECT_EQ(icon->at(size), sized);
    }

    EXPECT_EQ(platform.smallIcon(platform.programFolder() + "\\missing.exe"), nullptr);
    EXPECT_EQ(platform.smallIcon(""), nullptr);
}

TEST(SmallIconTest, KeptWhileTheFileIsUnchangedAndTakenAnewOnceItChanged) {
    win32::Win32Platform platform;
    testsupport::TempFolder folder;
    const std::string exe = folder.at("program.exe");
    ASSERT_TRUE(::CopyFileW(
        winsupport::Widen(platform.programFolder() + "\\" + platform.exeBaseName() + ".exe").c_str(),
        winsupport::Widen(exe).c_str(), FALSE));
    const auto first = platform.smallIcon(exe);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(platform.smallIcon(exe), first);

    // Replaced by another program: the time of last change moves on, and the icon is the new file's.
    HANDLE file = ::CreateFileW(winsupport::Widen(exe).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    FILETIME later{};
    ::GetSystemTimeAsFileTime(&later);
    later.dwHighDateTime += 1;
    EXPECT_TRUE(::SetFileTime(file, nullptr, nullptr, &later));
    ::CloseHandle(file);
    EXPECT_NE(platform.smallIcon(exe), first);
}

}  // namespace
