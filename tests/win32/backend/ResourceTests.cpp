#include "BackendTestSupport.h"

namespace backend_test {
namespace {

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
        form->drawIcons({});
        form->drawIcons({{7, 6, icon}, {44, 6, icon}});
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
