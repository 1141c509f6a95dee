#include <stdexcept>

#include "BackendTestSupport.h"

namespace backend_test {
namespace {

using FormWindowTest = BackendTest;

TEST_F(FormWindowTest, WindowIsFoundByCaptionAndPlacedInPixelsOutsideTheTaskbar) {
    HWND window = ::FindWindowW(L"TolvaneForm",
                                L"backend test WindowIsFoundByCaptionAndPlacedInPixelsOutsideTheTaskbar");
    ASSERT_EQ(window, hwndOf(*form));
    RECT r{};
    ::GetWindowRect(window, &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.top, 100);
    EXPECT_EQ(r.right - r.left, 256);
    EXPECT_EQ(form->scaleHeight(), 128);
    EXPECT_TRUE(::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(::GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION);

    form->setHeight(form->twipsPerPixelY() * 28);
    EXPECT_EQ(form->scaleHeight(), 28);
}

TEST_F(FormWindowTest, SystemMoveReachesTheFormsPosition) {
    ::SetWindowPos(hwndOf(*form), nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(form->pixelBounds(), (forms::Rect{300, 200, 256, 128}));
    EXPECT_DOUBLE_EQ(form->left(), 300 * form->twipsPerPixelX());
}

TEST_F(FormWindowTest, MouseOnTheBackgroundReportsButtonShiftAndPosition) {
    std::vector<forms::MouseArgs> downs;
    form->onMouseDown = [&](const forms::MouseArgs& args) { downs.push_back(args); };
    ::PostMessageW(hwndOf(*form), WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT | MK_CONTROL, MAKELPARAM(100, 20));
    ::PostMessageW(hwndOf(*form), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 27));
    pumpMessages();
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].button, forms::kRightButton);
    EXPECT_EQ(downs[0].shift, forms::kShiftMask | forms::kCtrlMask);
    EXPECT_EQ(downs[0].x, 100);
    EXPECT_EQ(downs[0].y, 20);
    EXPECT_EQ(downs[1].button, forms::kLeftButton);
    EXPECT_EQ(downs[1].shift, 0);
}

TEST_F(FormWindowTest, CloseRequestUnloadsOnceAndEndsTheMessageLoop) {
    HWND window = hwndOf(*form);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    const bool quit = pumpMessages();
    EXPECT_EQ(form->count("unload"), 1);
    EXPECT_FALSE(form->loaded());
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_TRUE(quit);
}

TEST_F(FormWindowTest, ShutdownRunsTheClosingStepsBeforeTheSessionEnds) {
    HWND window = hwndOf(*form);
    EXPECT_EQ(::SendMessageW(window, WM_QUERYENDSESSION, 0, 0), TRUE);
    EXPECT_EQ(form->count("unload"), 0);
    ::SendMessageW(window, WM_ENDSESSION, TRUE, 0);
    EXPECT_EQ(form->count("unload"), 1);  // already when the message returns
    EXPECT_FALSE(::IsWindow(window));
}

TEST_F(FormWindowTest, LoopEndsOnlyWithTheLastForm) {
    TestForm second(backend, "backend test second form");
    second.load();
    form->unload();
    EXPECT_FALSE(pumpMessages());
    second.unload();
    EXPECT_TRUE(pumpMessages());
}

TEST_F(FormWindowTest, TimerTicksWhileEnabledAndStopsWhenDisabled) {
    int ticks = 0;
    form->timer1.onTimer = [&] { ++ticks; };
    form->timer1.setInterval(20);
    EXPECT_TRUE(pumpUntil([&] { return ticks >= 2; }));
    form->timer1.setEnabled(false);
    pumpMessages();
    const int stopped = ticks;
    pumpFor(150);  // a quiet period: seven intervals in which no tick may come
    EXPECT_EQ(ticks, stopped);
}

TEST_F(FormWindowTest, HandlerExceptionStopsAtTheWindowAndLeavesTheMessageLoop) {
    form->viewCaption.onClick = [] { throw std::runtime_error("handler failed"); };
    HWND label = hwndOf(form->viewCaption);
    ::PostMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    ::PostMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_THROW(backend.runMessageLoop(), std::runtime_error);
}

}  // namespace
}  // namespace backend_test
