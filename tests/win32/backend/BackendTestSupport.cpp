#include "BackendTestSupport.h"

#include <shlobj.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/Handles.h"
#include "platform/win32/backend/KeyRouting.h"
#include "platform/win32/backend/WindowMessages.h"

namespace backend_test {

TestForm::TestForm(forms::Backend& backend, const std::string& caption) : Form(backend, "TestF") {
    setCaption(caption);
    setPixelBounds({100, 100, 256, 128});
    viewCaption.move(124, 8, 120, 14);
    for (int i = 0; i < marks.count(); ++i)
        marks[i].move(226, 43 + 18 * i, 24, 15);
    iconV.move(7, 6, 16, 16);
    titleT.move(8, 43, 210, 18);
    inputCom.move(8, 73, 210, 0);
    titleT.onChange = [this] { log.push_back("TitleT change " + titleT.text()); };
    titleT.onGotFocus = [this] { log.push_back("TitleT got"); };
    titleT.onLostFocus = [this] { log.push_back("TitleT lost"); };
    inputCom.onChange = [this] { log.push_back("Input_Com change " + inputCom.text()); };
    inputCom.onClick = [this] { log.push_back("Input_Com click"); };
    inputCom.onGotFocus = [this] { log.push_back("Input_Com got"); };
    inputCom.onLostFocus = [this] { log.push_back("Input_Com lost"); };
}

int TestForm::count(const std::string& entry) const {
    return static_cast<int>(std::count(log.begin(), log.end(), entry));
}

bool pumpMessages() {
    bool quit = false;
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit = true;
            continue;
        }
        // As the backend's message loop: keys reach the runtime before they are translated.
        if (win32::routeKeyToRuntime(msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return quit;
}

void pumpFor(int milliseconds) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(milliseconds);
    while (static_cast<int>(end - ::GetTickCount()) > 0) {
        pumpMessages();
        ::Sleep(5);
    }
}

bool pumpUntil(const std::function<bool()>& condition, int limitMilliseconds) {
    const DWORD end = ::GetTickCount() + static_cast<DWORD>(limitMilliseconds);
    for (;;) {
        pumpMessages();
        if (condition())
            return true;
        if (static_cast<int>(end - ::GetTickCount()) <= 0)
            return false;
        ::Sleep(5);
    }
}

HWND hwndOf(const forms::Control& control) {
    return win32::toHwnd(control.handle());
}
HWND hwndOf(const forms::Form& form) {
    return win32::toHwnd(form.handle());
}

std::wstring textOf(HWND window) {
    wchar_t buffer[256]{};
    const LRESULT length = ::SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(buffer));
    return std::wstring(buffer, static_cast<std::size_t>(length));
}

namespace {

HBITMAP solidBitmap(int width, int height, COLORREF color) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    auto* pixels = static_cast<DWORD*>(bits);
    const DWORD bgra = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color) | 0xFF000000u;
    std::fill(pixels, pixels + width * height, bgra);
    return bitmap;
}

}  // namespace

forms::PicturePtr solidPicture(int width, int height, COLORREF color) {
    return std::make_shared<win32::Win32Picture>(solidBitmap(width, height, color), width, height);
}

forms::IconPtr solidIcon(COLORREF color) {
    win32::UniqueBitmap colour(solidBitmap(16, 16, color));
    win32::UniqueBitmap mask(::CreateBitmap(16, 16, 1, 1, nullptr));
    {
        win32::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
        win32::SelectedObject selected(dc.get(), mask.get());
        ::PatBlt(dc.get(), 0, 0, 16, 16, BLACKNESS);  // all opaque
    }
    ICONINFO info{};
    info.fIcon = TRUE;
    info.hbmColor = colour.get();
    info.hbmMask = mask.get();
    return std::make_shared<win32::Win32Icon>(::CreateIconIndirect(&info));
}

COLORREF pixelAt(HWND window, int x, int y) {
    const win32::WindowDc dc(window);
    return ::GetPixel(dc.get(), x, y);
}

void BackendTest::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    form = std::make_unique<TestForm>(backend, std::string("backend test ") + info->name());
    form->setPicture(solidPicture(256, 128, kSkin));
    form->load();
    form->show();
    ::SetForegroundWindow(hwndOf(*form));
    pumpMessages();
    ::UpdateWindow(hwndOf(*form));
    form->log.clear();
}

void BackendTest::TearDown() {
    form->unload();
    form.reset();
    pumpMessages();
}

}  // namespace backend_test
