#include "platform/win32/backend/ControlFont.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "forms/Form.h"
#include "platform/win32/backend/Fonts.h"

namespace win32 {

UniqueFont createMessageFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    // SystemParametersInfoForDpi exists from Windows 10 1607 on; before, the metrics are those of the
    // system dpi and are scaled here.
    using ForDpiFn = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
    static const auto forDpi = reinterpret_cast<ForDpiFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SystemParametersInfoForDpi")));
    bool ok = forDpi && forDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0, static_cast<UINT>(dpi));
    if (!ok) {
        ok = ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0) != FALSE;
        const WindowDc screen(nullptr);
        const int systemDpi = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
        if (ok && systemDpi > 0)
            metrics.lfMessageFont.lfHeight = ::MulDiv(metrics.lfMessageFont.lfHeight, dpi, systemDpi);
    }
    if (!ok)
        return createFont(forms::Font{"MS UI Gothic", 9.0, false}, dpi);
    return UniqueFont(::CreateFontIndirectW(&metrics.lfMessageFont));
}

namespace {

struct Held {
    forms::Font font;  // an empty face for the message font
    int dpi;
    HFONT handle;
    int holders;
};

// The fonts the controls hold. The windows live on one thread: the list needs no lock.
std::vector<Held>& heldFonts() {
    static std::vector<Held> held;
    return held;
}

void letGo(HFONT font) {
    std::vector<Held>& held = heldFonts();
    const auto found = std::find_if(held.begin(), held.end(), [&](const Held& h) { return h.handle == font; });
    if (found != held.end() && --found->holders == 0) {
        ::DeleteObject(font);
        held.erase(found);
    }
}

}  // namespace

SharedFont::SharedFont(const forms::Control& control, const forms::Font& font, int dpi) {
    const bool message = control.form().style() == forms::FormStyle::Dialog && font == forms::Font{};
    const forms::Font key = message ? forms::Font{"", 0.0, false} : font;
    std::vector<Held>& held = heldFonts();
    for (Held& h : held) {
        if (h.font == key && h.dpi == dpi) {
            ++h.holders;
            font_ = h.handle;
            return;
        }
    }
    font_ = (message ? createMessageFont(dpi) : createFont(font, dpi)).release();
    if (font_)
        held.push_back({key, dpi, font_, 1});
}

SharedFont::~SharedFont() {
    letGo(font_);
}

SharedFont& SharedFont::operator=(SharedFont&& other) noexcept {
    if (this != &other)
        letGo(std::exchange(font_, std::exchange(other.font_, nullptr)));
    return *this;
}

}  // namespace win32
