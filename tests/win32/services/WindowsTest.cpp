#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <vector>

#include "platform/win32/Handles.h"
#include "platform/win32/Wide.h"
#include "platform/win32/services/Win32Platform.h"

namespace {

constexpr UINT kConsumed = WM_APP + 1;
constexpr UINT kPassedOn = WM_APP + 2;
constexpr UINT kThrows = WM_APP + 3;

// Messages that reached the window's own procedure.
std::vector<UINT> ownProcedureSaw;

LRESULT CALLBACK ownProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_APP) {
        ownProcedureSaw.push_back(message);
        return 7;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

class WindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ownProcedureSaw.clear();
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = ownProcedure;
        windowClass.hInstance = ::GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"TolvaneServicesTest";
        ::RegisterClassW(&windowClass);
        window.reset(::CreateWindowExW(0, L"TolvaneServicesTest", L"", WS_POPUP, 40, 50, 256, 28, nullptr,
                                       nullptr, windowClass.hInstance, nullptr));
        ASSERT_TRUE(window);
    }
    platform::NativeWindow native() const { return reinterpret_cast<platform::NativeWindow>(window.get()); }
    LRESULT send(UINT message) { return ::SendMessageW(window.get(), message, 0, 0); }

    win32::Win32Platform platform;
    win32::UniqueWindow window;
};

TEST_F(WindowsTest, HookSeesEveryMessageAndPassesOnWhatItDoesNotConsume) {
    std::vector<UINT> hookSaw;
    platform::WindowProcToken previous = 0;
    previous = platform.replaceWindowProc(native(), [&](platform::NativeWindow w, unsigned message,
                                                        std::uintptr_t wParam, std::intptr_t lParam) {
        hookSaw.push_back(message);
        if (message == kConsumed)
            return std::intptr_t{42};
        if (message == kThrows)
            throw std::runtime_error("hook failed");
        return platform.callWindowProc(previous, w, message, wParam, lParam);
    });
    ASSERT_NE(previous, 0u);

    EXPECT_EQ(send(kConsumed), 42);
    EXPECT_EQ(send(kPassedOn), 7);
    EXPECT_EQ(send(kThrows), 7) << "a failing hook falls back to the window's own procedure";
    EXPECT_EQ(hookSaw, (std::vector<UINT>{kConsumed, kPassedOn, kThrows}));
    EXPECT_EQ(ownProcedureSaw, (std::vector<UINT>{kPassedOn, kThrows}));

    platform.restoreWindowProc(native(), previous);
    EXPECT_EQ(::GetWindowLongPtrW(window.get(), GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&ownProcedure));
    EXPECT_EQ(send(kConsumed), 7);
    EXPECT_EQ(hookSaw.size(), 3u);
}

TEST_F(WindowsTest, SecondHookOnTheSameWindowIsRefused) {
    int firstCalls = 0;
    int secondCalls = 0;
    const auto first = platform.replaceWindowProc(native(), [&](auto w, auto m, auto wp, auto lp) {
        ++firstCalls;
        return ::DefWindowProcW(reinterpret_cast<HWND>(w), m, wp, lp);
    });
    EXPECT_EQ(platform.replaceWindowProc(native(), [&](auto, auto, auto, auto) { return ++secondCalls; }),
              0u);
    send(kPassedOn);
    EXPECT_EQ(firstCalls, 1);
    EXPECT_EQ(secondCalls, 0);
    platform.restoreWindowProc(native(), first);
}

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

TEST_F(WindowsTest, HotkeyIsHeldUntilReleased) {
    const unsigned ctrlAltShift = MOD_CONTROL | MOD_ALT | MOD_SHIFT;
    ASSERT_TRUE(platform.registerHotkey(native(), 1, ctrlAltShift, 'Q'));
    EXPECT_FALSE(platform.registerHotkey(native(), 2, ctrlAltShift, 'Q')) << "the combination is taken";
    EXPECT_TRUE(platform.unregisterHotkey(native(), 1));
    EXPECT_FALSE(platform.unregisterHotkey(native(), 1));
    EXPECT_TRUE(platform.registerHotkey(native(), 2, ctrlAltShift, 'Q'));
    EXPECT_TRUE(platform.unregisterHotkey(native(), 2));
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
    EXPECT_EQ(platform.clipboardText(), win32::narrow(text));

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
