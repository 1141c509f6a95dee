#include "platform/win32/Screens.h"

#include <optional>
#include <vector>

#include "platform/win32/Handles.h"

namespace win32 {

int systemDpi() {
    const WindowDc screen(nullptr);
    const int dpi = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
    return dpi > 0 ? dpi : 96;
}

namespace {

platform::ScreenMap askScreens() {
    // GetDpiForMonitor exists from Windows 8.1 on; MDT_EFFECTIVE_DPI is 0.
    using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    static const auto getDpiForMonitor =
        systemFunction<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
    struct Found {
        std::vector<platform::Monitor> monitors;
        int fallbackDpi;
    } found{{}, systemDpi()};
    ::EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
            auto& into = *reinterpret_cast<Found*>(data);
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (!::GetMonitorInfoW(monitor, &info))
                return TRUE;
            UINT dpiX = 0;
            UINT dpiY = 0;
            int dpi = into.fallbackDpi;
            if (getDpiForMonitor && SUCCEEDED(getDpiForMonitor(monitor, 0, &dpiX, &dpiY)) && dpiY > 0)
                dpi = static_cast<int>(dpiY);
            const RECT& r = info.rcMonitor;
            const platform::Monitor entry{{r.left, r.top, r.right - r.left, r.bottom - r.top}, dpi};
            if (info.dwFlags & MONITORINFOF_PRIMARY)
                into.monitors.insert(into.monitors.begin(), entry);
            else
                into.monitors.push_back(entry);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    if (found.monitors.empty()) {
        found.monitors.push_back(
            {{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)}, found.fallbackDpi});
    }
    return platform::ScreenMap(std::move(found.monitors));
}

std::optional<platform::ScreenMap>& knownScreens() {
    static std::optional<platform::ScreenMap> screens;
    return screens;
}

}  // namespace

platform::ScreenMap currentScreens() {
    std::optional<platform::ScreenMap>& known = knownScreens();
    if (!known)
        known = askScreens();
    return *known;
}

void forgetScreens() {
    knownScreens().reset();
}

}  // namespace win32
