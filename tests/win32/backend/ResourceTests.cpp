#include <winternl.h>

#include <cstring>

#include "BackendTestSupport.h"

namespace backend_test {
namespace {

bool underWine() {
    return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// GDI objects of this process. Wine has no GetGuiResources; there the process's handle table, which
// the PEB shows as on Windows (24-byte entries, the type byte at offset 14, 0 for a free entry), is counted.
DWORD liveGdiObjects() {
    if (!underWine())
        return ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    using Query = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<Query>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    query(::GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof(basic), nullptr);
    const auto* peb = reinterpret_cast<const unsigned char*>(basic.PebBaseAddress);
    const unsigned char* table = nullptr;
    std::memcpy(&table, peb + 0xF8, sizeof(table));
    DWORD live = 0;
    for (std::size_t i = 0; i < 0x10000; ++i)
        live += table[i * 24 + 14] != 0;
    return live;
}

BOOL CALLBACK countWindow(HWND window, LPARAM count) {
    ++*reinterpret_cast<DWORD*>(count);
    ::EnumChildWindows(
        window,
        [](HWND, LPARAM inner) -> BOOL {
            ++*reinterpret_cast<DWORD*>(inner);
            return TRUE;
        },
        count);
    return TRUE;
}

// USER objects of this process; under Wine, the windows of this thread.
DWORD liveUserObjects() {
    if (!underWine())
        return ::GetGuiResources(::GetCurrentProcess(), GR_USEROBJECTS);
    DWORD count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &countWindow, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(ResourceCounter, SeesObjectsComeAndGo) {
    const DWORD before = liveGdiObjects();
    std::vector<win32::UniqueBrush> brushes;
    for (int i = 0; i < 50; ++i)
        brushes.emplace_back(::CreateSolidBrush(RGB(i, 0, 0)));
    EXPECT_EQ(liveGdiObjects(), before + 50);
    brushes.clear();
    EXPECT_EQ(liveGdiObjects(), before);
}

using ResourceTest = BackendTest;

TEST_F(ResourceTest, RepaintsSurfaceCyclesAndFontChangesLeaveNoObjectBehind) {
    HWND window = hwndOf(*form);
    const forms::IconPtr icon = solidIcon(RGB(0, 200, 0));
    form->titleT.setText("テキスト");
    auto repaint = [&] {
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    auto redrawSurface = [&] {
        form->clearSurface();
        form->drawIcon(7, 6, icon);
        form->drawIcon(44, 6, icon);
        ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    };
    auto restyle = [&](int i) {
        const forms::Font font{"Arial", i % 2 ? 8.25 : 9.0, i % 2 == 0};
        form->viewCaption.setFont(font);
        form->viewCaption.setForeColor(RGB(i % 256, 0, 0));
        form->titleT.setFont(font);
        form->titleT.setForeColor(RGB(0, i % 256, 0));
        form->inputCom.setFont(font);
        pumpMessages();
    };
    // Once first, so that what the system creates once for good is not counted.
    repaint();
    redrawSurface();
    restyle(0);
    const DWORD gdi = liveGdiObjects();
    const DWORD user = liveUserObjects();
    ASSERT_GT(gdi, 0u);
    ASSERT_GT(user, 0u);
    for (int i = 1; i <= 1000; ++i) {
        repaint();
        redrawSurface();
        restyle(i);
    }
    EXPECT_EQ(liveGdiObjects(), gdi);
    EXPECT_EQ(liveUserObjects(), user);
}

TEST_F(ResourceTest, UnloadingReleasesEveryWindowAndObject) {
    form->unload();
    pumpMessages();
    const DWORD gdi = liveGdiObjects();
    const DWORD user = liveUserObjects();
    for (int i = 0; i < 20; ++i) {
        form->load();
        form->show();
        ::UpdateWindow(hwndOf(*form));
        pumpMessages();
        form->unload();
        pumpMessages();
    }
    EXPECT_EQ(liveGdiObjects(), gdi);
    EXPECT_EQ(liveUserObjects(), user);
}

}  // namespace
}  // namespace backend_test
