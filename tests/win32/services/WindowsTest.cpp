#include <gtest/gtest.h>

#include <cstring>

#include "Utf16.h"
#include "platform/win32/Handles.h"
#include "platform/win32/services/Win32Platform.h"

namespace {

class WindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcW;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TolvaneServicesTest";
        ::RegisterClassW(&windowClass);
        window.reset(::CreateWindowExW(0, L"TolvaneServicesTest", L"", WS_POPUP, 40, 50, 256, 28, nullptr,
                                       nullptr, windowClass.hInstance, nullptr));
        ASSERT_TRUE(window);
    }
    platform::NativeWindow native() const { return reinterpret_cast<platform::NativeWindow>(window.get()); }

    win32::Win32Platform platform;
    win32::UniqueWindow window;
};

TEST_F(WindowsTest, WindowOrderChangesOnlyTheOrderAndShowsTheWindow) {
    RECT before{};
    ::GetWindowRect(window.get(), &before);
    platform.setWindowOrder(native(), platform::WindowOrder::Topmost);
    EXPECT_TRUE(::IsWindowVisible(window.get()));
    EXPECT_TRUE(::GetWindowLongW(window.get(), GWL_EXSTYLE) & WS_EX_TOPMOST);

    platform.setWindowOrder(native(), platform::WindowOrder::NotTopmost);
    EXPECT_FALSE(::GetWindowLongW(window.get(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    platform.setWindowOrder(native(), platform::WindowOrder::Bottom);
    RECT after{};
    ::GetWindowRect(window.get(), &after);
    EXPECT_TRUE(::EqualRect(&before, &after));
}

TEST_F(WindowsTest, ClipboardTextComesBackAsWritten) {
    const std::wstring text = L"クリップボード text";
    ASSERT_TRUE(::OpenClipboard(window.get()));
    ::EmptyClipboard();
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::memcpy(::GlobalLock(memory), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_UNICODETEXT, memory);
    ::CloseClipboard();
    EXPECT_EQ(platform.clipboardText(), winsupport::Narrow(text));

    ASSERT_TRUE(::OpenClipboard(window.get()));
    ::EmptyClipboard();
    ::CloseClipboard();
    EXPECT_EQ(platform.clipboardText(), "");
}

TEST_F(WindowsTest, CursorPositionIsInScreenPixels) {
    ASSERT_TRUE(::SetCursorPos(123, 45));
    EXPECT_EQ(platform.cursorPos(), (platform::Point{123, 45}));
}

}  // namespace
