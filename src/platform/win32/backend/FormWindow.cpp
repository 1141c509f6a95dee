#include "platform/win32/backend/FormWindow.h"

#include <algorithm>
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
    scale_ = scaleOf(window_.get());
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
    dropAccessible();
    drops_.reset();
    backend_.windowGoing(window_.get());
    ::SetWindowLongPtrW(window_.get(), GWLP_USERDATA, 0);
    window_.reset();
    backend_.formWindowDestroyed();
}

void FormWindow::setBounds(const forms::Rect& pixels) {
    // Mapped through the monitor the window lands on; should that monitor have another scale, the
    // system's WM_DPICHANGED comes inside this call and only rescales the controls.
    const forms::Rect device = currentScreens().toDevice(pixels);
    placing_ = true;
    ::SetWindowPos(window_.get(), nullptr, device.left, device.top, device.width, device.height,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    placing_ = false;
}

void FormWindow::setClientSize(int width, int height) {
    clientSize_ = SIZE{width, height};
    const SIZE outer = deviceSize(window_.get());
    ::SetWindowPos(window_.get(), nullptr, 0, 0, outer.cx, outer.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

SIZE FormWindow::deviceSize(HWND window) const {
    if (clientSize_)
        return outerSizeFor(window, {scale_.toDevice(clientSize_->cx), scale_.toDevice(clientSize_->cy)},
                            scale_.dpi());
    const forms::Rect device = scale_.toDevice(form_.pixelBounds());
    return {device.width, device.height};
}

void FormWindow::onDpiChanged(HWND window, int dpi, const RECT& suggested) {
    scale_ = Scale(dpi);
    if (!placing_) {
        // Where the system suggests (it keeps the window under the mouse in a drag), at our own size.
        const SIZE size = deviceSize(window);
        ::SetWindowPos(window, nullptr, suggested.left, suggested.top, size.cx, size.cy,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ::EnumChildWindows(
        window,
        [](HWND child, LPARAM) -> BOOL {
            ::SendMessageW(child, kApplyScale, 0, 0);
            return TRUE;
        },
        0);
    repaintSkin();
}

void FormWindow::activate() {
    ::SetForegroundWindow(window_.get());
    ::SetActiveWindow(window_.get());
}

bool FormWindow::registerHotkey(int id, forms::Modifiers modifiers, unsigned key) {
    const UINT flags = (modifiers.alt ? MOD_ALT : 0u) | (modifiers.ctrl ? MOD_CONTROL : 0u) |
                       (modifiers.shift ? MOD_SHIFT : 0u);
    return ::RegisterHotKey(window_.get(), id, flags, key) != FALSE;
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

void FormWindow::surfaceChanged(const std::vector<forms::DrawnIcon>& before) {
    // Only an icon that came or went is repainted, together with the transparent controls above it.
    auto repaintWhatLacks = [&](const std::vector<forms::DrawnIcon>& icons,
                                const std::vector<forms::DrawnIcon>& others) {
        for (const forms::DrawnIcon& drawn : icons) {
            const bool kept = std::any_of(others.begin(), others.end(), [&](const forms::DrawnIcon& other) {
                return other.x == drawn.x && other.y == drawn.y && other.icon == drawn.icon;
            });
            if (!kept) {
                const RECT area = iconRect(drawn);
                ::RedrawWindow(window_.get(), &area, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
            }
        }
    };
    repaintWhatLacks(before, form_.drawnIcons());
    repaintWhatLacks(form_.drawnIcons(), before);
}

RECT FormWindow::iconRect(const forms::DrawnIcon& drawn) const {
    // Small icons are 16 design pixels square.
    const int left = scale_.toDevice(drawn.x);
    const int top = scale_.toDevice(drawn.y);
    const int size = scale_.toDevice(16);
    return {left, top, left + size, top + size};
}

int FormWindow::clientHeight() const {
    RECT r{};
    ::GetClientRect(window_.get(), &r);
    return scale_.toDesign(r.bottom - r.top);
}

int FormWindow::clientWidth() const {
    RECT r{};
    ::GetClientRect(window_.get(), &r);
    return scale_.toDesign(r.right - r.left);
}

forms::NativeWindow FormWindow::handle() const {
    return toNative(window_.get());
}

void FormWindow::repaintSkin() {
    HWND window = window_.get();
    if (!shownOnScreen(window))
        return;  // showing it paints it
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
        // The picture at this scale is made once and kept; stretching is only the fallback.
        const int width = scale_.toDevice(picture->width());
        const int height = scale_.toDevice(picture->height());
        UniqueMemoryDc source(::CreateCompatibleDC(dc));
        if (HBITMAP scaled = picture->at(scale_)) {
            SelectedObject selected(source.get(), scaled);
            ::BitBlt(dc, -area.left, -area.top, width, height, source.get(), 0, 0, SRCCOPY);
        } else {
            SelectedObject selected(source.get(), picture->get());
            ::SetStretchBltMode(dc, HALFTONE);
            ::StretchBlt(dc, -area.left, -area.top, width, height, source.get(), 0, 0, picture->width(),
                         picture->height(), SRCCOPY);
        }
    }
    // The icon of the scaled size comes from the system; an icon outside the area is not drawn at all.
    for (const forms::DrawnIcon& drawn : form_.drawnIcons()) {
        const RECT r = iconRect(drawn);
        RECT overlap{};
        if (!::IntersectRect(&overlap, &r, &area))
            continue;
        if (const auto* icon = dynamic_cast<const Win32Icon*>(drawn.icon.get())) {
            const int size = r.right - r.left;
            ::DrawIconEx(dc, r.left - area.left, r.top - area.top, icon->at(size), size, size, 0, nullptr,
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
    dropAccessible();
    drops_.reset();
    backend_.windowGoing(window);
    ::SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    window_.release();
    backend_.formWindowDestroyed();
    form_.notifyWindowDestroyed();
}

void FormWindow::reportBounds(HWND window) {
    RECT r{};
    ::GetWindowRect(window, &r);
    const forms::Rect bounds = currentScreens().toDesign({r.left, r.top, r.right - r.left, r.bottom - r.top});
    if (bounds != form_.pixelBounds())
        form_.notifyBoundsChanged(bounds);
}

LRESULT FormWindow::answerAccessible(HWND window, WPARAM wParam) {
    if (!accessible_.made()) {
        announced_ = accessibleView();
        backend_.watchAccessible(this);
    }
    return accessible_.answer(window, *this, wParam);
}

std::optional<forms::AccessibleView> FormWindow::accessibleView() const {
    return ready_ ? form_.accessibleView() : std::nullopt;
}

RECT FormWindow::screenRect(const forms::Rect& design) const {
    const forms::Rect device = scale_.toDevice(design);
    RECT r{device.left, device.top, device.left + device.width, device.top + device.height};
    ::MapWindowPoints(window_.get(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void FormWindow::requestAction(int id) {
    ::PostMessageW(window_.get(), kAccessibleAction, static_cast<WPARAM>(id), 0);
}

void FormWindow::announceAccessibleChanges() {
    std::optional<forms::AccessibleView> now = accessibleView();
    if (!now || !announced_)
        return;
    announceChanges(window_.get(), *announced_, *now);
    announced_ = std::move(now);
}

void FormWindow::dropAccessible() {
    if (accessible_.made())
        backend_.forgetAccessible(this);
    accessible_.disconnect();
    announced_.reset();
}

// A handler may unload the form, which deletes this peer: each case calls into the form last.
LRESULT FormWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (isEmptyNonClientPaint(window, message))
        return 0;
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
                form_.notifyMouseDown(toDesign(mouseArgs(buttonOf(message), wParam, lParam), scale_));
            return 0;
        case WM_MOUSEMOVE:
            if (ready_) {
                backend_.pointerMoved(window, form_);
                form_.notifyMouseMove(toDesign(mouseArgs(buttonsHeld(wParam), wParam, lParam), scale_));
            }
            return 0;
        case WM_MOUSELEAVE:
            if (ready_)
                backend_.pointerLeft(window, form_);
            return 0;
        case WM_DISPLAYCHANGE:
        case WM_SETTINGCHANGE:
            forgetScreens();
            break;
        case WM_DPICHANGED:
            forgetScreens();
            onDpiChanged(window, HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_WINDOWPOSCHANGED:
            if (ready_) {
                reportBounds(window);
                const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
                if ((pos->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE))
                    backend_.formPlaced(window, form_);
            }
            break;
        case WM_GETOBJECT:
            if (asksForClient(lParam) && ready_ && form_.accessibleView())
                return answerAccessible(window, wParam);
            break;
        case kAccessibleAction:
            if (ready_)
                form_.accessibleAction(static_cast<int>(wParam));
            return 0;
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
