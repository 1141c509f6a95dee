// The caption strip becomes a clock while the pointer is away from the strip.
//
// Nothing polls while the program waits. The pointer is learnt from the system: every move over the
// strip or its controls, and its leaving them, runs the test below at once. Timer1 runs only while
// something can change without such an event: once a second, just after the second turns, while the
// clock shows; every 200 ms while the pointer is inside the strip's rectangle but over none of its
// windows (another window covers the strip there), where no event would tell that it left; and once,
// 200 ms after the window is made, for the pointer that never came near it.
#include "clockformat/ClockFormat.h"
#include "mainwindow/MainF.h"
#include "mainwindow/ScreenAreas.h"

namespace mainwindow {

namespace {

constexpr int kPointerRecheckMs = 200;
// A tick lands this long after the second turns, so that a timer a little early still shows the new
// second.
constexpr int kPastTheSecondMs = 20;

}  // namespace

void MainF::ClockTick() {
    const platform::Point pointer = platform_.cursorPos();
    ShowPointerState(pointer.x, pointer.y);
    ScheduleClock();
}

void MainF::PointerMoved(const forms::PointerArgs& pointer) {
    ShowPointerState(pointer.x, pointer.y);
    ScheduleClock();
}

void MainF::ShowPointerState(int x, int y) {
    const bool inside = PointerInsideWindow(x, y, left(), top(), width(), height(), s_.TwipsPerPixel);
    if (inside) {
        if (!s_.ClockShown)
            return;
        s_.ClockShown = false;
        const state::ItemRecord& item = s_.currentRecord(s_.CurrentSlot);
        ViewCaption.setCaption(item.Title);
        if (s_.Mode == state::GridMode::Launcher)
            DrawPanelIcons(item.isEmpty() ? s_.ExePath : item.Path);
        return;
    }
    ViewCaption.setCaption(clockformat::FormatClock(s_.ClockFormat, platform_.now(),
                                                    platform_.dateSeparator(), platform_.timeSeparator()));
    // The icons are drawn only when the display changes, never on every tick.
    if (!s_.ClockShown) {
        if (s_.Mode == state::GridMode::Launcher)
            DrawPanelIcons(s_.ExePath);
        s_.ClockShown = true;
    }
}

void MainF::ScheduleClock() {
    int interval = 0;
    if (s_.ClockShown)
        interval = 1000 - platform_.now().millisecond + kPastTheSecondMs;
    else if (!pointerOver())
        interval = kPointerRecheckMs;
    // The timer is touched only when its schedule changes: each change is a call into the system.
    if (interval == 0) {
        if (Timer1.enabled())
            Timer1.setEnabled(false);
        return;
    }
    if (Timer1.interval() != interval)
        Timer1.setInterval(interval);
    if (!Timer1.enabled())
        Timer1.setEnabled(true);
}

}  // namespace mainwindow
