#include "platform/win32/backend/PictureBoxWindow.h"

#include "platform/win32/Images.h"
#include "platform/win32/Wide.h"
#include "platform/win32/backend/Fonts.h"
#include "platform/win32/backend/OffscreenBuffer.h"

namespace win32 {

void PictureBoxWindow::registerClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &::DefWindowProcW;  // the peer's subclass does the work
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    ::RegisterClassExW(&wc);
}

PictureBoxWindow::PictureBoxWindow(Win32Backend& backend, forms::Form& form, forms::PictureBox& box)
    : StandardControl(backend, box), box_(box) {
    runtimePresses_.emplace();
    create(form, kClassName, 0);
}

void PictureBoxWindow::surfaceChanged() {
    ::InvalidateRect(window(), nullptr, FALSE);
}

void PictureBoxWindow::paint(HDC dc, const RECT& client) const {
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    const Scale s = scale();
    if (const auto* picture = dynamic_cast<const Win32Picture*>(box_.picture().get())) {
        // As the strip draws its skin: the picture made for this scale (from the double-size drawing
        // where there is one), stretching only as the fallback.
        UniqueMemoryDc source(::CreateCompatibleDC(dc));
        const int width = s.toDevice(picture->width());
        const int height = s.toDevice(picture->height());
        if (HBITMAP scaled = picture->at(s)) {
            SelectedObject selected(source.get(), scaled);
            ::BitBlt(dc, 0, 0, width, height, source.get(), 0, 0, SRCCOPY);
        } else {
            SelectedObject selected(source.get(), picture->get());
            ::SetStretchBltMode(dc, HALFTONE);
            ::SetBrushOrgEx(dc, 0, 0, nullptr);
            ::StretchBlt(dc, 0, 0, width, height, source.get(), 0, 0, picture->width(), picture->height(),
                         SRCCOPY);
        }
    }
    ::SetBkMode(dc, TRANSPARENT);
    for (const forms::DrawnText& drawn : box_.drawnTexts()) {
        const UniqueFont font = createFont(drawn.font, s.dpi());
        SelectedObject selected(dc, font.get());
        ::SetTextColor(dc, drawn.color);
        const std::wstring text = widen(drawn.text);
        ::TextOutW(dc, s.toDevice(drawn.x), s.toDevice(drawn.y), text.c_str(), static_cast<int>(text.size()));
    }
}

LRESULT PictureBoxWindow::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto painted =
            paintSelf(window, message, wParam, [this](HDC dc, const RECT& client) { paint(dc, client); }))
        return *painted;
    return StandardControl::onMessage(window, message, wParam, lParam);
}

}  // namespace win32
