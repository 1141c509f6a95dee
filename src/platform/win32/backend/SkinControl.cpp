#include "platform/win32/backend/SkinControl.h"

#include <algorithm>

#include "forms/Form.h"
#include "platform/win32/Wide.h"
#include "platform/win32/backend/Accessibility.h"
#include "platform/win32/backend/ControlFont.h"
#include "platform/win32/backend/Dpi.h"
#include "platform/win32/backend/EditText.h"
#include "platform/win32/backend/Fonts.h"
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

namespace {

// The atoms of the two classes, by which a window is known as a label or placeholder.
ATOM labelAtom = 0;
ATOM imageAtom = 0;

}  // namespace

void SkinControl::registerClasses() {
    for (ATOM* atom : {&labelAtom, &imageAtom}) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof(wc);
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &::DefWindowProcW;  // the peer subclasses each window
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = atom == &labelAtom ? kLabelClass : kImageClass;
        if (const ATOM made = ::RegisterClassExW(&wc))
            *atom = made;
    }
}

bool SkinControl::isSkinControl(HWND window) {
    const auto atom = static_cast<ATOM>(::GetClassLongPtrW(window, GCW_ATOM));
    return atom != 0 && (atom == labelAtom || atom == imageAtom);
}

SkinControl::SkinControl(Win32Backend& backend, forms::Form& form, forms::Control& control, Kind kind)
    : ChildWindow(backend, control), kind_(kind) {
    create(form, kind == Kind::Label ? kLabelClass : kImageClass, 0);
    backend_.addSkinControl(this);
}

SkinControl::~SkinControl() {
    backend_.removeSkinControl(this);
}

void SkinControl::setText(const std::string& text) {
    if (replaceText(text))
        captionChanged();
}

void SkinControl::setRect(const forms::Rect& rect) {
    if (placedAt(rect))
        return;
    captionChanged();
    ChildWindow::setRect(rect);
    captionChanged();
}

void SkinControl::setVisible(bool visible) {
    const bool shown = (::GetWindowLongW(window(), GWL_STYLE) & WS_VISIBLE) != 0;
    ChildWindow::setVisible(visible);
    if (kind_ == Kind::Label && shown != visible && shownOnScreen(::GetParent(window())))
        repaintControlsAbove();
}

void SkinControl::setEnabled(bool enabled) {
    ChildWindow::setEnabled(enabled);
    captionChanged();
}

void SkinControl::applyFont() {
    ChildWindow::applyFont();
    if (shownOnScreen(window()))
        ::InvalidateRect(window(), nullptr, FALSE);
    captionChanged();
}

void SkinControl::setForeColor(forms::Color color) {
    ChildWindow::setForeColor(color);
    captionChanged();
}

void SkinControl::captionChanged() {
    // A hidden label shows nowhere; showing it repaints what lies above it.
    if (kind_ == Kind::Label && shownOnScreen(window()))
        repaintControlsAbove();
}

void SkinControl::repaintControlsAbove() const {
    HWND self = window();
    HWND parent = ::GetParent(self);
    const RECT mine = rectInParent(self);
    const std::vector<SkinControl*>& all = backend_.skinControls();
    for (auto above = std::find(all.begin(), all.end(), this); above != all.end(); ++above) {
        HWND other = (*above)->window();
        if (other == self || ::GetParent(other) != parent)
            continue;
        const RECT theirs = rectInParent(other);
        RECT overlap{};
        if (::IntersectRect(&overlap, &mine, &theirs)) {
            ::OffsetRect(&overlap, -theirs.left, -theirs.top);
            ::InvalidateRect(other, &overlap, FALSE);
        }
    }
}

void SkinControl::paint(HWND window, HDC dc, const RECT& client) const {
    RECT inForm = client;
    ::MapWindowPoints(window, ::GetParent(window), reinterpret_cast<POINT*>(&inForm), 2);
    ::SendMessageW(::GetParent(window), kPaintSkin, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(&inForm));
    drawLabelsBeneath(dc, inForm);
    if (kind_ == Kind::Label)
        drawCaption(window, dc, client);
}

void SkinControl::drawCaption(HWND window, HDC dc, RECT area) const {
    const std::wstring text = windowText(window);
    if (text.empty())
        return;
    SelectedObject selected(dc, font() ? font() : ::GetStockObject(DEFAULT_GUI_FONT));
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::IsWindowEnabled(window) ? foreColor() : ::GetSysColor(COLOR_GRAYTEXT));
    ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
                DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

void SkinControl::drawLabelsBeneath(HDC dc, const RECT& inParent) const {
    HWND parent = ::GetParent(window());
    for (const SkinControl* below : backend_.skinControls()) {
        if (below == this)
            break;  // the rest lie above
        HWND other = below->window();
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
    if (presses_.route(window, message, wParam, lParam, control_, scale()))
        return 0;
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            paintWholeClient(window, [&](HDC dc, const RECT& client) { paint(window, dc, client); });
            return 0;
        case WM_MOUSEMOVE:
            control_.notifyMouseMove(designMouseArgs(buttonsHeld(wParam), wParam, lParam));
            return 0;
        case WM_GETOBJECT:
            // On a form that describes what it draws, the form's object answers for its marks: a reader
            // that finds this window under the pointer asks the form which element lies there.
            if (asksForClient(lParam) && control_.form().accessibleView())
                return ::SendMessageW(::GetParent(window), WM_GETOBJECT, wParam, lParam);
            return Subclass::original(window, message, wParam, lParam);
        default:
            return Subclass::original(window, message, wParam, lParam);
    }
}

}  // namespace win32
