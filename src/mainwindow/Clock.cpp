// The caption strip becomes a clock while the pointer is away from the strip.
#include "clockformat/ClockFormat.h"
#include "mainwindow/MainF.h"
#include "mainwindow/ScreenAreas.h"

namespace mainwindow {

void MainF::ClockTick() {
    const platform::Point pointer = platform_.cursorPos();
    const bool inside =
        PointerInsideWindow(pointer.x, pointer.y, left(), top(), width(), height(), s_.TwipsPerPixel);
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
    ViewCaption.setCaption(
        clockformat::FormatClock(s_.ClockFormat, platform_.now(), platform_.dateSeparator(), platform_.timeSeparator()));
    // The icons are drawn only when the display changes, never on every tick.
    if (!s_.ClockShown) {
        if (s_.Mode == state::GridMode::Launcher)
            DrawPanelIcons(s_.ExePath);
        s_.ClockShown = true;
    }
}

}  // namespace mainwindow
