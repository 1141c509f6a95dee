#include <functional>

#include "BackendTestSupport.h"
#include "platform/win32/backend/Fonts.h"

namespace backend_test {
namespace {

using SkinControlTest = BackendTest;

void logMouse(TestForm& form, forms::Control& control) {
    const std::string name = control.name();
    control.onMouseDown = [&form, name](const forms::MouseArgs& a) {
        form.log.push_back(name + " down " + std::to_string(a.button) + " " + std::to_string(a.shift) + " " +
                           std::to_string(a.x) + "," + std::to_string(a.y));
    };
    control.onMouseUp = [&form, name](const forms::MouseArgs& a) {
        form.log.push_back(name + " up " + std::to_string(a.button));
    };
    control.onClick = [&form, name] { form.log.push_back(name + " click"); };
    control.onDblClick = [&form, name] { form.log.push_back(name + " dblclick"); };
}

TEST_F(SkinControlTest, LabelCaptionIsReadWithWmGetText) {
    form->viewCaption.setCaption("メモ帳 Notepad");
    EXPECT_EQ(textOf(hwndOf(form->viewCaption)), L"メモ帳 Notepad");
    form->viewCaption.setCaption("");
    EXPECT_EQ(textOf(hwndOf(form->viewCaption)), L"");
}

TEST_F(SkinControlTest, LeftClickRaisesDownUpAndOneClick) {
    logMouse(*form, form->viewCaption);
    HWND label = hwndOf(form->viewCaption);
    ::PostMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(3, 4));
    ::PostMessageW(label, WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(3, 4));
    pumpMessages();
    EXPECT_EQ(form->log, (std::vector<std::string>{"ViewCaption down 1 1 3,4", "ViewCaption up 1",
                                                   "ViewCaption click"}));
}

TEST_F(SkinControlTest, RightButtonOnAPlaceholderIsMouseDownWithoutClick) {
    logMouse(*form, form->iconV);
    HWND image = hwndOf(form->iconV);
    ::PostMessageW(image, WM_RBUTTONDOWN, MK_RBUTTON | MK_CONTROL, MAKELPARAM(8, 9));
    ::PostMessageW(image, WM_RBUTTONUP, MK_CONTROL, MAKELPARAM(8, 9));
    // The second right click of a pair comes as a double click message; it is a press all the same.
    ::PostMessageW(image, WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(8, 9));
    ::PostMessageW(image, WM_RBUTTONUP, 0, MAKELPARAM(8, 9));
    pumpMessages();
    EXPECT_EQ(form->log, (std::vector<std::string>{"IconV down 2 2 8,9", "IconV up 2", "IconV down 2 0 8,9",
                                                   "IconV up 2"}));
}

TEST_F(SkinControlTest, ControlArrayIndexReachesTheHandler) {
    std::vector<int> clicked;
    form->marks.onClick([&](int index) { clicked.push_back(index); });
    for (int i : {2, 0}) {
        HWND label = hwndOf(form->marks[i]);
        ::PostMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
        ::PostMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
    }
    pumpMessages();
    EXPECT_EQ(clicked, (std::vector<int>{2, 0}));
}

TEST_F(SkinControlTest, LaterLabelLiesAboveEarlierOnesAndEditsAboveEveryLabel) {
    // Made in this order: the caption, the marks, the placeholder, the edit, the combo box.
    HWND formWindow = hwndOf(*form);
    form->marks[0].move(236, 14, 8, 8);
    form->titleT.move(130, 10, 40, 18);
    form->inputCom.move(121, 4, 60, 0);
    form->inputCom.setVisible(true);
    const struct {
        POINT at;
        HWND expected;
    } cases[] = {{{239, 17}, hwndOf(form->marks[0])},
                 {{150, 20}, hwndOf(form->titleT)},
                 {{125, 12}, hwndOf(form->inputCom)},
                 {{200, 18}, hwndOf(form->viewCaption)}};
    for (const auto& c : cases) {
        EXPECT_EQ(::ChildWindowFromPointEx(formWindow, c.at, CWP_SKIPINVISIBLE), c.expected)
            << c.at.x << "," << c.at.y;
    }
}

TEST_F(SkinControlTest, LabelShowsTheSkinBehindItsText) {
    forms::Label& label = form->viewCaption;
    label.setFont({"Arial", 20, true});
    label.move(20, 2, 120, 26);
    label.setForeColor(RGB(255, 255, 0));
    label.setCaption("WWWW");
    ::UpdateWindow(hwndOf(*form));
    ::UpdateWindow(hwndOf(label));
    HWND window = hwndOf(label);
    EXPECT_EQ(pixelAt(window, 118, 24), kSkin);  // right of the text: the picture, not a label colour
    int textPixels = 0;
    for (int x = 0; x < 60; ++x) {
        for (int y = 0; y < 26; ++y)
            textPixels += pixelAt(window, x, y) == RGB(255, 255, 0);
    }
    EXPECT_GT(textPixels, 20);
}

// A label laid over another (the lock mark over the caption strip) is transparent: what it covers shows
// through it around its own text, and follows every change of the label beneath.
TEST_F(SkinControlTest, LabelAboveAnotherShowsTheTextBeneathAroundItsOwn) {
    constexpr COLORREF kBeneath = RGB(255, 255, 0);
    constexpr COLORREF kOwn = RGB(255, 0, 0);
    forms::Label& caption = form->viewCaption;
    forms::Label& mark = form->marks[0];  // made later, so it lies above the caption
    caption.setFont({"Arial", 20, true});
    caption.move(20, 2, 200, 26);
    caption.setForeColor(kBeneath);
    mark.setFont({"Arial", 14, true});
    mark.move(60, 4, 20, 20);
    mark.setForeColor(kOwn);
    const std::string wide = "WWWWWWWWWW";
    const struct {
        const char* step;
        std::function<void()> change;
        bool beneathShown;
        bool ownShown;
    } steps[] = {
        {"caption under the empty mark", [&] { caption.setCaption(wide); }, true, false},
        {"mark with its text", [&] { mark.setCaption("H"); }, true, true},
        {"caption emptied", [&] { caption.setCaption(""); }, false, true},
        {"caption back, mark empty",
         [&] {
             mark.setCaption("");
             caption.setCaption(wide);
         },
         true, false},
        {"caption hidden", [&] { caption.setVisible(false); }, false, false},
        {"caption shown again", [&] { caption.setVisible(true); }, true, false},
        {"caption disabled, its text grey", [&] { caption.setEnabled(false); }, false, false},
    };
    HWND window = hwndOf(mark);
    for (const auto& s : steps) {
        s.change();
        pumpMessages();
        ::UpdateWindow(hwndOf(*form));
        int beneath = 0;
        int own = 0;
        for (int x = 0; x < 20; ++x) {
            for (int y = 0; y < 20; ++y) {
                const COLORREF c = pixelAt(window, x, y);
                beneath += c == kBeneath;
                own += c == kOwn;
            }
        }
        EXPECT_EQ(beneath > 0, s.beneathShown) << s.step << ": " << beneath << " pixels of the caption";
        EXPECT_EQ(own > 0, s.ownShown) << s.step << ": " << own << " pixels of the mark";
    }
}

TEST_F(SkinControlTest, PlaceholderShowsTheIconsDrawnUnderItUntilDrawnAnew) {
    HWND image = hwndOf(form->iconV);
    const forms::IconPtr red = solidIcon(RGB(200, 0, 0));
    const forms::IconPtr blue = solidIcon(RGB(0, 0, 200));
    const forms::IconPtr green = solidIcon(RGB(0, 200, 0));
    const struct {
        std::vector<forms::DrawnIcon> icons;
        COLORREF underPlaceholder;
    } surfaces[] = {
        {{{7, 6, red}}, RGB(200, 0, 0)},
        {{{7, 6, red}, {44, 6, green}}, RGB(200, 0, 0)},  // kept while another comes
        {{{7, 6, blue}}, RGB(0, 0, 200)},                  // another icon in the same place
        {{}, kSkin},
    };
    for (const auto& surface : surfaces) {
        form->drawIcons(surface.icons);
        pumpMessages();
        EXPECT_EQ(pixelAt(image, 8, 8), surface.underPlaceholder);
        EXPECT_EQ(pixelAt(hwndOf(*form), 30, 10), kSkin);
    }
}

TEST(FontHeight, PointsRoundToTheNearestPixel) {
    EXPECT_EQ(win32::fontHeightPixels(9, 96), 12);
    EXPECT_EQ(win32::fontHeightPixels(8.25, 96), 11);
    EXPECT_EQ(win32::fontHeightPixels(8.25, 144), 17);  // 16.5: a size cut to whole points would give 16
}

}  // namespace
}  // namespace backend_test
