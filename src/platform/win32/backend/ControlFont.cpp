#include "platform/win32/backend/ControlFont.h"

#include <windows.h>

#include <map>
#include <tuple>

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

SharedFont controlFont(const forms::Control& control, const forms::Font& font, int dpi) {
    const bool message = control.form().style() == forms::FormStyle::Dialog && font == forms::Font{};
    // The message font is keyed by the dpi alone; an empty face stands for it.
    const auto key = message ? std::make_tuple(std::string(), 0.0, false, dpi)
                             : std::make_tuple(font.face, font.points, font.bold, dpi);
    // The windows live on one thread: the table needs no lock. It holds no font alive.
    static std::map<decltype(key), std::weak_ptr<HFONT__>> inUse;
    if (const auto found = inUse.find(key); found != inUse.end()) {
        if (SharedFont shared = found->second.lock())
            return shared;
    }
    std::erase_if(inUse, [](const auto& entry) { return entry.second.expired(); });
    UniqueFont made = message ? createMessageFont(dpi) : createFont(font, dpi);
    if (!made)
        return nullptr;
    SharedFont shared(made.release(), DeleteObjectDeleter{});
    inUse[key] = shared;
    return shared;
}

}  // namespace win32
