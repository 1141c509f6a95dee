#include "platform/win32/backend/FrameWindow.h"

#include <uxtheme.h>
#include <vssym32.h>

#include <cwchar>

#include "platform/win32/backend/EditText.h"
#include "platform/win32/backend/OffscreenBuffer.h"
#include "platform/win32/backend/WindowMessages.h"

namespace win32 {
namespace {

// The visual style's data for buttons while a paint runs; none when visual styles are off.
class ButtonTheme {
  public:
    explicit ButtonTheme(HWND window)
        : theme_(::IsAppThemed() ? ::OpenThemeData(window, L"BUTTON") : nullptr) {}
    ~ButtonTheme() {
        if (theme_)
            ::CloseThemeData(theme_);
    }
    ButtonTheme(const ButtonTheme&) = delete;
    ButtonTheme& operator=(const ButtonTheme&) = delete;
    HTHEME get() const { return theme_; }

  private:
    HTHEME theme_;
};

}  // namespace

void FrameWindow::registerClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &::DefWindowProcW;  // the peer's subclass does the work
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    ::RegisterClassExW(&wc);
}

bool FrameWindow::isFrame(HWND window) {
    wchar_t name[32]{};
    return window && ::GetClassNameW(window, name, 32) > 0 && std::wcscmp(name, kClassName) == 0;
}

FrameWindow::FrameWindow(Win32Backend& backend, forms::Form& form, forms::Control& frame)
    : StandardControl(backend, frame) {
    create(form, kClassName, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

void FrameWindow::paint(HDC dc, const RECT& client) {
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
    const std::wstring caption = windowText(window());
    SelectedObject selected(dc, font() ? static_cast<HGDIOBJ>(font()) : ::GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc, &metrics);
    // The line runs through the middle of the caption, as the system's group box draws it.
    RECT box = client;
    box.top += metrics.tmHeight / 2;
    const bool enabled = ::IsWindowEnabled(window()) != FALSE;
    const ButtonTheme theme(window());
    const int state = enabled ? GBS_NORMAL : GBS_DISABLED;
    if (theme.get())
        ::DrawThemeBackground(theme.get(), dc, BP_GROUPBOX, state, &box, nullptr);
    else
        ::DrawEdge(dc, &box, EDGE_ETCHED, BF_RECT);
    if (caption.empty())
        return;
    const int margin = scale().toDevice(8);
    const int pad = scale().toDevice(2);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
    RECT text{client.left + margin, client.top, client.left + margin + extent.cx,
              client.top + metrics.tmHeight};
    if (text.right > client.right - margin)
        text.right = client.right - margin;
    RECT gap{text.left - pad, text.top, text.right + pad, text.bottom};
    ::FillRect(dc, &gap, ::GetSysColorBrush(COLOR_BTNFACE));
    const UINT format = DT_LEFT | DT_TOP | DT_SINGLELINE | DT_END_ELLIPSIS;
    if (theme.get() && foreColor() == 0) {
        ::DrawThemeText(theme.get(), dc, BP_GROUPBOX, state, caption.c_str(),
                        static_cast<int>(caption.size()), format, 0, &text);
        return;
    }
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, enabled ? foreColor() : ::GetSysColor(COLOR_GRAYTEXT));
    ::DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, format);
}

LRESULT FrameWindow::onMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (const auto painted =
            paintSelf(window, message, wParam, [this](HDC dc, const RECT& client) { paint(dc, client); }))
        return *painted;
    switch (message) {
        case kPaintSkin: {
            // A transparent label inside the frame: what lies behind it is the dialog face.
            const auto* area = reinterpret_cast<const RECT*>(lParam);
            const RECT local{0, 0, area->right - area->left, area->bottom - area->top};
            ::FillRect(reinterpret_cast<HDC>(wParam), &local, ::GetSysColorBrush(COLOR_BTNFACE));
            return 1;
        }
        case WM_SETTEXT:
        case WM_ENABLE: {
            const LRESULT result = StandardControl::onMessage(window, message, wParam, lParam);
            ::InvalidateRect(window, nullptr, FALSE);
            return result;
        }
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
        case WM_MEASUREITEM:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            // The form reflects these to the control that sent them.
            return ::SendMessageW(::GetParent(window), message, wParam, lParam);
        default:
            return StandardControl::onMessage(window, message, wParam, lParam);
    }
}

}  // namespace win32
