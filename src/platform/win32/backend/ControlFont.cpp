#include "platform/win32/backend/ControlFont.h"

#include <windows.h>

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

UniqueFont createControlFont(const forms::Control& control, const forms::Font& font, int dpi) {
    const bool dialog = control.form().style() == forms::FormStyle::Dialog;
    return dialog && font == forms::Font{} ? createMessageFont(dpi) : createFont(font, dpi);
}

}  // namespace win32
