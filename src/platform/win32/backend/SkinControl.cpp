#include "platform/win32/backend/SkinControl.h"

#include <algorithm>
#include <stdexcept>

#include "forms/Form.h"
#include "platform/win32/Wide.h"
#include "platform/win32/backend/ControlFont.h"
#include "platform/win32/backend/Dpi.h"
#include "platform/win32/backend/EditText.h"
#include "platform/win32/backend/Fonts.h"
#include "platform/win32/backend/ObjectWindowProc.h"
#include "platform/win32/backend/OffscreenBuffer.h"
#include "platform/win32/backend/Win32Backend.h"
#include "platform/win32/backend/WindowMessages.h"

namespace win32 {
namespace {

// A window's rectangle in its parent's client coordinates.
RECT rectInParent(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

void SkinControl::registerClasses() {
    for (const wchar_t* name : {kLabelClass, kImageClass}) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &ObjectWindowProc<SkinControl>;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = name;
        ::RegisterClassExW(&wc);
    }
}

bool SkinControl::isSkinControl(HWND window) {
    return ::GetWindowLongPtrW(window, GWLP_WNDPROC) ==
           reinterpret_cast<LONG_PTR>(&ObjectWindowProc<SkinControl>);
}

SkinControl::SkinControl(Win32Backend& backend, forms::Form& form, forms::Control& control, Kind kind)
    : backend_(backend), control_(control), kind_(kind) {
    window_.reset(::CreateWindowExW(0, kind == Kind::Label ? kLabelClass : kImageClass, L"",
                                    WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, toHwnd(form.handle()), nullptr,
                                    ::GetModuleHandleW(nullptr), this));
    if (!window_)
        throw std::runtime_error("CreateWindowExW failed for control " + control.name());
    backend_.addSkinControl(this);
}

SkinControl::~SkinControl() {
    backend_.removeSkinControl(this);
    if (window_)
        ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
}

void SkinControl::setText(const std::string& text) {
    ::SetWindowTextW(window_.get(), widen(text).c_str());
    ::InvalidateRect(window_.get(), nullptr, FALSE);
    captionChanged();
}

void SkinControl::setRect(const forms::Rect& rect) {
    const forms::Rect device = scaleOf(window_.get()).toDevice(rect);
    captionChanged();
    ::MoveWindow(window_.get(), device.left, device.top, device.width, device.height, TRUE);
    captionChanged();
}

void SkinControl::setVisible(bool visible) {
    ::ShowWindow(window_.get(), visible ? SW_SHOWNA : SW_HIDE);
    if (kind_ == Kind::Label)
        repaintControlsAbove();
}

void SkinControl::setEnabled(bool enabled) {
    ::EnableWindow(window_.get(), enabled);
    ::InvalidateRect(window_.get(), nullptr, FALSE);
    captionChanged();
}

void SkinControl::setFont(const forms::Font& font) {
    font_ = SharedFont(control_, font, scaleOf(window_.get()).dpi());
    ::InvalidateRect(window_.get(), nullptr, FALSE);
    captionChanged();
}

void SkinControl::setForeColor(forms::Color color) {
    color_ = color;
    ::InvalidateRect(window_.get(), nullptr, FALSE);
    captionChanged();
}

void SkinControl::captionChanged() {
    // A hidden label shows nowhere; showing it repaints what lies above it. (The style bit, not
    // IsWindowVisible: that one asks the server in Wine, and this runs every second for the clock.)
    if (kind_ == Kind::Label && (::GetWindowLongW(window_.get(), GWL_STYLE) & WS_VISIBLE))
        repaintControlsAbove();
}

void SkinControl::repaintControlsAbove() const {
    HWND window = window_.get();
    HWND parent = ::GetParent(window);
    const RECT mine = rectInParent(window);
    const std::vector<SkinControl*>& all = backend_.skinControls();
    for (auto above = std::find(all.begin(), all.end(), this); above != all.end(); ++above) {
        HWND other = (*above)->window_.get();
        if (other == window || ::GetParent(other) != parent)
            continue;
        const RECT theirs = rectInParent(other);
        RECT overlap{};
        if (::IntersectRect(&overlap, &mine, &theirs)) {
            ::OffsetRect(&overlap, -theirs.left, -theirs.top);
            ::InvalidateRect(other, &overlap, FALSE);
        }
    }
}

forms::NativeWindow SkinControl::handle() const {
    return toNative(window_.get());
}

void SkinControl::paint(HWND window) {
    PAINTSTRUCT ps{};
    HDC dc = ::BeginPaint(window, &ps);
    RECT client{};
    ::GetClientRect(window, &client);
    {
        OffscreenBuffer buffer(dc, client);
        RECT inForm = client;
        ::MapWindowPoints(window, ::GetParent(window), reinterpret_cast<POINT*>(&inForm), 2);
        ::SendMessageW(::GetParent(window), kPaintSkin, reinterpret_cast<WPARAM>(buffer.dc()),
                       reinterpret_cast<LPARAM>(&inForm));
        drawLabelsBeneath(buffer.dc(), inForm);
        if (kind_ == Kind::Label)
            drawCaption(window, buffer.dc(), client);
        buffer.copyTo(dc);
    }
    ::EndPaint(window, &ps);
}

void SkinControl::drawCaption(HWND window, HDC dc, RECT area) const {
    const std::wstring text = windowText(window);
    if (text.empty())
        return;
    SelectedObject font(dc, font_.get() ? font_.get() : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::IsWindowEnabled(window) ? color_ : ::GetSysColor(COLOR_GRAYTEXT));
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
                DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

void SkinControl::drawLabelsBeneath(HDC dc, const RECT& inParent) const {
    HWND parent = ::GetParent(window_.get());
    for (const SkinControl* below : backend_.skinControls()) {
        if (below == this)
            break;  // the rest lie above
        HWND other = below->window_.get();
        if (below->kind_ != Kind::Label || ::GetParent(other) != parent ||
            !(::GetWindowLongW(other, GWL_STYLE) & WS_VISIBLE))
            continue;
        RECT area = rectInParent(other);
        RECT overlap{};
        if (!::IntersectRect(&overlap, &area, &inParent))
            continue;
        ::OffsetRect(&area, -inParent.left, -inParent.top);
        below->drawCaption(other, dc, area);
    }
}

// A handler may unload the form, which deletes this peer: nothing of it is used after the last event.
LRESULT SkinControl::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (isEmptyNonClientPaint(window, message))
        return 0;
    if (presses_.route(window, message, wParam, lParam, control_, scaleOf(window)))
        return 0;
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            paint(window);
            return 0;
        case WM_MOUSEMOVE:
            control_.notifyMouseMove(
                toDesign(mouseArgs(buttonsHeld(wParam), wParam, lParam), scaleOf(window)));
            return 0;
        case kApplyScale:
            setRect(control_.rect());
            setFont(control_.font());
            return 0;
        default:
            return ::DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace win32
