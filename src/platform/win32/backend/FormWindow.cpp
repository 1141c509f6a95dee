#include "platform/win32/backend/FormWindow.h"

#include <stdexcept>

#include "platform/win32/Images.h"
#include "platform/win32/Wide.h"
#include "platform/win32/backend/Dpi.h"
#include "platform/win32/backend/FrameWindow.h"
#include "platform/win32/backend/ObjectWindowProc.h"
#include "platform/win32/backend/OffscreenBuffer.h"
#include "platform/win32/backend/SkinControl.h"
#include "platform/win32/backend/Win32Backend.h"
#include "platform/win32/backend/WindowMessages.h"

namespace win32 {
namespace {

// The control window of `form` that holds `window` (a combo box for its inner edit): a child of the
// form or of a frame inside it. Frames pass their children's notifications on to the form.
HWND controlHolding(HWND form, HWND window) {
    while (window && ::GetParent(window) != form && !FrameWindow::isFrame(::GetParent(window)))
        window = ::GetParent(window);
    return window;
}

bool adjustForDpi(RECT& r, DWORD style, DWORD exStyle, int dpi) {
    // AdjustWindowRectExForDpi exists from Windows 10 1607 on.
    using ForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto forDpi = reinterpret_cast<ForDpiFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi")));
    if (forDpi)
        return forDpi(&r, style, FALSE, exStyle, static_cast<UINT>(dpi)) != FALSE;
    return ::AdjustWindowRectEx(&r, style, FALSE, exStyle) != FALSE;
}

}  // namespace

void FormWindow::registerClass() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = &ObjectWindowProc<FormWindow>;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    ::RegisterClassExW(&wc);
}

forms::Form* FormWindow::formOf(HWND window) {
    if (!window || ::GetWindowLongPtrW(window, GWLP_WNDPROC) !=
                       reinterpret_cast<LONG_PTR>(&ObjectWindowProc<FormWindow>))
        return nullptr;
    const auto* self = reinterpret_cast<const FormWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    return self && self->ready_ ? &self->form_ : nullptr;
}

FormWindow::FormWindow(Win32Backend& backend, forms::Form& form) : backend_(backend), form_(form) {
    // A tool window stays out of the taskbar; the strip is not a task of its own. A dialog belongs to its
    // owner's window, which keeps it above the owner (the strip is topmost) and out of the taskbar.
    const bool dialog = form.style() == forms::FormStyle::Dialog;
    const DWORD style =
        dialog ? WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN : WS_POPUP | WS_CLIPCHILDREN;
    const DWORD exStyle = dialog ? WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT : WS_EX_TOOLWINDOW;
    HWND owner = form.owner() ? toHwnd(form.owner()->handle()) : nullptr;
    window_.reset(::CreateWindowExW(exStyle, kClassName, L"", style, 0, 0, 0, 0, owner, nullptr,
                                    ::GetModuleHandleW(nullptr), this));
    if (!window_)
        throw std::runtime_error("CreateWindowExW failed for form " + form.name());
    backend_.formWindowCreated();
    drops_.emplace(backend_, form_, window_.get());
    ready_ = true;
}

FormWindow::~FormWindow() {
    destroy();
}

void FormWindow::destroy() {
    if (!window_)
        return;
    ready_ = false;
    drops_.reset();
    ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    window_.reset();
    backend_.formWindowDestroyed();
}

void FormWindow::setBounds(const forms::Rect& pixels) {
    ::SetWindowPos(window_.get(), nullptr, pixels.left, pixels.top, pixels.width, pixels.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::setClientSize(int width, int height) {
    HWND window = window_.get();
    const Scale scale = scaleOf(window);
    RECT r{0, 0, scale.toDevice(width), scale.toDevice(height)};
    adjustForDpi(r, static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE)),
                 static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE)), scale.dpi());
    ::SetWindowPos(window, nullptr, 0, 0, r.right - r.left, r.bottom - r.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormWindow::activate() {
    ::SetForegroundWindow(window_.get());
    ::SetActiveWindow(window_.get());
}

bool FormWindow::registerHotkey(int id, unsigned modifiers, unsigned key) {
    return ::RegisterHotKey(window_.get(), id, modifiers, key) != FALSE;
}

void FormWindow::unregisterHotkey(int id) {
    ::UnregisterHotKey(window_.get(), id);
}

void FormWindow::setCaption(const std::string& caption) {
    ::SetWindowTextW(window_.get(), widen(caption).c_str());
}

void FormWindow::setVisible(bool visible) {
    ::ShowWindow(window_.get(), visible ? SW_SHOW : SW_HIDE);
}

void FormWindow::setPicture(const forms::PicturePtr& picture) {
    picture_ = picture;
    repaintSkin();
}

void FormWindow::surfaceChanged() {
    repaintSkin();
}

int FormWindow::clientHeight() const {
    RECT r{};
    ::GetClientRect(window_.get(), &r);
    return r.bottom - r.top;
}

int FormWindow::clientWidth() const {
    RECT r{};
    ::GetClientRect(window_.get(), &r);
    return r.right - r.left;
}

forms::NativeWindow FormWindow::handle() const {
    return toNative(window_.get());
}

void FormWindow::repaintSkin() {
    HWND window = window_.get();
    ::InvalidateRect(window, nullptr, FALSE);
    // Only the transparent controls show the skin; edits and combo boxes need no repaint.
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM) -> BOOL {
            if (SkinControl::isSkinControl(child))
                ::InvalidateRect(child, nullptr, FALSE);
            return TRUE;
        },
        0);
}

void FormWindow::paintSkin(HDC dc, const RECT& area) const {
    const RECT local{0, 0, area.right - area.left, area.bottom - area.top};
    ::FillRect(dc, &local, ::GetSysColorBrush(COLOR_BTNFACE));
    if (const auto* picture = dynamic_cast<const Win32Picture*>(picture_.get())) {
        UniqueMemoryDc source(::CreateCompatibleDC(dc));
        SelectedObject selected(source.get(), picture->get());
        ::BitBlt(dc, -area.left, -area.top, picture->width(), picture->height(), source.get(), 0, 0, SRCCOPY);
    }
    for (const forms::DrawnIcon& drawn : form_.drawnIcons()) {
        if (const auto* icon = dynamic_cast<const Win32Icon*>(drawn.icon.get())) {
            ::DrawIconEx(dc, drawn.x - area.left, drawn.y - area.top, icon->get(), 0, 0, 0, nullptr,
                         DI_NORMAL);
        }
    }
}

void FormWindow::paint(HWND window) {
    PAINTSTRUCT ps{};
    HDC dc = ::BeginPaint(window, &ps);
    {
        OffscreenBuffer buffer(dc, ps.rcPaint);
        paintSkin(buffer.dc(), ps.rcPaint);
        buffer.copyTo(dc);
    }
    ::EndPaint(window, &ps);
}

void FormWindow::onActivate(HWND window, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = ::GetFocus();
        lastFocus_ = focus && ::IsChild(window, focus) ? focus : nullptr;
        return;
    }
    // As a dialog does: the control that had the focus gets it back, so typing goes on where it was.
    if (lastFocus_ && ::IsWindow(lastFocus_) && ::IsChild(window, lastFocus_) &&
        ::IsWindowVisible(lastFocus_) && ::IsWindowEnabled(lastFocus_)) {
        ::SetFocus(lastFocus_);
        return;
    }
    ::SetFocus(window);
    // A dialog that no control of has the focus yet gives it to its first tab stop.
    if (ready_ && form_.style() == forms::FormStyle::Dialog && !form_.focusedControl())
        form_.focusNext();
}

void FormWindow::windowGone(HWND window) {
    ready_ = false;
    drops_.reset();
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    window_.release();
    backend_.formWindowDestroyed();
    form_.notifyWindowDestroyed();
}

void FormWindow::reportBounds(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    const forms::Rect bounds{r.left, r.top, r.right - r.left, r.bottom - r.top};
    if (bounds != form_.pixelBounds())
        form_.notifyBoundsChanged(bounds);
}

// A handler may unload the form, which deletes this peer: each case calls into the form last.
LRESULT FormWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            paint(window);
            return 0;
        case kPaintSkin:
            paintSkin(reinterpret_cast<HDC>(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 1;
        case WM_COMMAND:
            if (HWND control = controlHolding(window, reinterpret_cast<HWND>(lParam))) {
                return ::SendMessageW(control, kReflectedCommand, wParam, lParam);
            }
            break;
        case WM_CTLCOLOREDIT:
            if (HWND control = controlHolding(window, reinterpret_cast<HWND>(lParam))) {
                if (LRESULT brush = ::SendMessageW(control, kReflectedCtlColorEdit, wParam, lParam))
                    return brush;
            }
            break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORLISTBOX:
            if (HWND control = controlHolding(window, reinterpret_cast<HWND>(lParam))) {
                if (LRESULT brush = ::SendMessageW(control, kReflectedCtlColor, wParam, lParam))
                    return brush;
            }
            break;
        case WM_PRINTCLIENT: {
            // Themed controls draw what lies behind them this way.
            RECT client{};
            ::GetClientRect(window, &client);
            paintSkin(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        case WM_CHAR:
            // Keys while the form window itself has the focus.
            if (ready_)
                form_.notifyKeyPress(static_cast<int>(wParam));
            return 0;
        case WM_DESTROY:
            // Only a destruction the runtime did not ask for arrives here (destroy() lets go first).
            windowGone(window);
            return 0;
        case WM_TIMER:
            backend_.tick(wParam);
            return 0;
        case WM_HOTKEY:
            // Only the hotkey's id goes on: the core knows no window message.
            if (ready_)
                form_.notifyHotkey(static_cast<int>(wParam));
            return 0;
        case WM_ACTIVATE:
            onActivate(window, wParam);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            if (ready_)
                form_.notifyMouseDown(mouseArgs(buttonOf(message), wParam, lParam));
            return 0;
        case WM_MOUSEMOVE:
            if (ready_)
                form_.notifyMouseMove(mouseArgs(buttonsHeld(wParam), wParam, lParam));
            return 0;
        case WM_WINDOWPOSCHANGED:
            if (ready_)
                reportBounds(window);
            break;
        case WM_CLOSE:
            // The runtime unloads the form, which destroys this window.
            form_.notifyCloseRequested();
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            // The process may end as soon as this returns: the closing steps run now.
            if (wParam)
                form_.notifyCloseRequested(forms::UnloadMode::SystemShutdown);
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace win32
