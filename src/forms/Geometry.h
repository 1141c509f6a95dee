#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace forms {

// A window handle as the system knows it; 0 means none. Logic passes it through to the Platform.
using NativeWindow = std::uintptr_t;

// A Windows colour value, 0x00BBGGRR.
using Color = std::uint32_t;

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    bool operator==(const Rect&) const = default;
};

struct Font {
    std::string face = "ＭＳ Ｐゴシック";
    double points = 9.0;
    bool bold = false;

    bool operator==(const Font&) const = default;
};

// Mouse buttons and the Shift mask as the events deliver them.
inline constexpr int kLeftButton = 1;
inline constexpr int kRightButton = 2;
inline constexpr int kMiddleButton = 4;
// The modifier keys held with a hotkey's key. Events give them as a Shift mask (below); the system's
// hotkeys take another bit layout, which only a backend knows.
struct Modifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
    bool operator==(const Modifiers&) const = default;
};

inline constexpr int kShiftMask = 1;
inline constexpr int kCtrlMask = 2;
inline constexpr int kAltMask = 4;

// Key codes that the runtime itself acts on (the system's virtual-key codes).
inline constexpr int kKeyTab = 9;
inline constexpr int kKeyReturn = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeySpace = 32;

struct MouseArgs {
    int button = 0;
    int shift = 0;
    int x = 0;  // pixels, relative to the control
    int y = 0;
};

// The pointer as a form learns it: where it is on the screen (pixels), and whether it is over the
// form's window or one of its controls (false: it has just left them all).
struct PointerArgs {
    int x = 0;
    int y = 0;
    bool over = false;
};

// Selection of an edit field, counted in characters (code points), never in bytes.
struct Selection {
    int start = 0;
    int length = 0;

    bool operator==(const Selection&) const = default;
};

// What is dragged over or dropped on a control: the shell's file list when the data offers one.
struct DropData {
    bool hasFileList = false;
    std::vector<std::string> files;  // full paths, in the order of the list
};

}  // namespace forms
