#include "platform/win32/backend/Win32Backend.h"

#include <commctrl.h>

#include "forms/Form.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Screens.h"
#include "platform/win32/backend/ButtonWindows.h"
#include "platform/win32/backend/ComboBoxWindow.h"
#include "platform/win32/backend/FormWindow.h"
#include "platform/win32/backend/FrameWindow.h"
#include "platform/win32/backend/KeyRouting.h"
#include "platform/win32/backend/ListBoxWindow.h"
#include "platform/win32/backend/PictureBoxWindow.h"
#include "platform/win32/backend/SkinControl.h"
#include "platform/win32/backend/TextBoxWindow.h"
#include "platform/win32/backend/WindowMessages.h"
#include "platform/win32/backend/WindowTimer.h"

namespace win32 {

Win32Backend::Win32Backend() {
    // The standard controls in the look of common controls 6, which the manifest asks for.
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES;
    ::InitCommonControlsEx(&controls);
    // Registering a class twice fails harmlessly; the classes live as long as the process.
    FormWindow::registerClass();
    SkinControl::registerClasses();
    FrameWindow::registerClass();
    PictureBoxWindow::registerClass();
    const WindowDc screen(nullptr);
    dpiX_ = ::GetDeviceCaps(screen.get(), LOGPIXELSX);
    dpiY_ = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
    if (dpiX_ <= 0)
        dpiX_ = 96;
    if (dpiY_ <= 0)
        dpiY_ = 96;
}

Win32Backend::~Win32Backend() = default;

std::unique_ptr<forms::FormPeer> Win32Backend::createForm(forms::Form& form) {
    return std::make_unique<FormWindow>(*this, form);
}

// Stacks a new child of a form below the edit and combo boxes made before it, which keep the order
// they were made in (their tab order), and above every label and image. So a label laid over another,
// as the marks over the caption strip, is seen and clicked, and no label ever covers an edit or combo box.
// Where that place is, is kept for each parent (see lowestStandard_), so that stacking takes one
// request instead of a walk through the window order, a server request per step in Wine.
template <class Peer>
std::unique_ptr<Peer> Win32Backend::stacked(std::unique_ptr<Peer> peer) {
    HWND control = toHwnd(peer->handle());
    HWND parent = ::GetParent(control);
    HWND after = HWND_TOP;
    const auto kept = lowestStandard_.find(parent);
    if (kept != lowestStandard_.end() &&
        (!kept->second || (::IsWindow(kept->second) && ::GetParent(kept->second) == parent))) {
        after = kept->second;
    } else {
        for (HWND sibling = ::GetWindow(control, GW_HWNDFIRST); sibling;
             sibling = ::GetWindow(sibling, GW_HWNDNEXT)) {
            if (sibling != control && !SkinControl::isSkinControl(sibling))
                after = sibling;
        }
    }
    ::SetWindowPos(control, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    lowestStandard_[parent] = SkinControl::isSkinControl(control) ? after : control;
    return peer;
}

// A control that is not stacked lies wherever the system put it: the next one stacked in the same
// parent walks the window order again.
template <class Peer>
std::unique_ptr<Peer> Win32Backend::unstacked(std::unique_ptr<Peer> peer) {
    lowestStandard_.erase(::GetParent(toHwnd(peer->handle())));
    return peer;
}

std::unique_ptr<forms::ControlPeer> Win32Backend::createLabel(forms::Form& form, forms::Control& label) {
    return stacked(std::make_unique<SkinControl>(*this, form, label, SkinControl::Kind::Label));
}

std::unique_ptr<forms::ControlPeer> Win32Backend::createImage(forms::Form& form, forms::Control& image) {
    return stacked(std::make_unique<SkinControl>(*this, form, image, SkinControl::Kind::Image));
}

std::unique_ptr<forms::EditPeer> Win32Backend::createTextBox(forms::Form& form, forms::TextBox& textBox) {
    return stacked(std::make_unique<TextBoxWindow>(*this, form, textBox));
}

std::unique_ptr<forms::ComboPeer> Win32Backend::createComboBox(forms::Form& form, forms::ComboBox& comboBox) {
    return stacked(std::make_unique<ComboBoxWindow>(*this, form, comboBox));
}

std::unique_ptr<forms::ControlPeer> Win32Backend::createCommandButton(forms::Form& form,
                                                                      forms::Control& button) {
    return unstacked(std::make_unique<CommandButtonWindow>(*this, form, button));
}

std::unique_ptr<forms::CheckPeer> Win32Backend::createCheckBox(forms::Form& form, forms::CheckBox& checkBox) {
    return unstacked(std::make_unique<CheckBoxWindow>(*this, form, checkBox));
}

std::unique_ptr<forms::ControlPeer> Win32Backend::createFrame(forms::Form& form, forms::Control& frame) {
    return unstacked(std::make_unique<FrameWindow>(*this, form, frame));
}

std::unique_ptr<forms::ListPeer> Win32Backend::createListBox(forms::Form& form, forms::ListBox& listBox) {
    return unstacked(std::make_unique<ListBoxWindow>(*this, form, listBox));
}

std::unique_ptr<forms::PicturePeer> Win32Backend::createPictureBox(forms::Form& form,
                                                                   forms::PictureBox& pictureBox) {
    return unstacked(std::make_unique<PictureBoxWindow>(*this, form, pictureBox));
}

std::unique_ptr<forms::TimerPeer> Win32Backend::createTimer(forms::Form& form, forms::Timer& timer) {
    return std::make_unique<WindowTimer>(*this, toHwnd(form.handle()), timer);
}

int Win32Backend::runMessageLoop() {
    MSG msg{};
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        // Keys reach the runtime before they are translated into characters: a key it used types nothing.
        if (!routeKeyToRuntime(msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        for (FormWindow* window : accessibleWindows_)
            window->announceAccessibleChanges();
        if (pending_)
            std::rethrow_exception(std::exchange(pending_, nullptr));
    }
    return static_cast<int>(msg.wParam);
}

void Win32Backend::formWindowDestroyed() {
    // With the last window gone nothing can happen any more: the message loop ends.
    if (--liveForms_ == 0)
        ::PostQuitMessage(0);
}

UINT_PTR Win32Backend::addTimer(WindowTimer& timer) {
    const UINT_PTR id = nextTimerId_++;
    timers_[id] = &timer;
    return id;
}

void Win32Backend::tick(UINT_PTR id) {
    if (auto found = timers_.find(id); found != timers_.end())
        found->second->tick();
}

namespace {

forms::PointerArgs pointerAt(POINT screen, bool over) {
    const platform::Point design = currentScreens().pointToDesign(screen.x, screen.y);
    return {design.x, design.y, over};
}

}  // namespace

bool Win32Backend::overForm(HWND formWindow, HWND window) {
    return window && (window == formWindow || ::IsChild(formWindow, window));
}

void Win32Backend::pointerMoved(HWND window, forms::Form& form) {
    if (!form.onPointer)
        return;
    // Where the pointer is now, as the system says: a move may come from another program, or be one
    // that the pointer has left behind already.
    POINT screen{};
    ::GetCursorPos(&screen);
    bool over = true;
    if (pointerWindow_ != window) {
        HWND under = ::WindowFromPoint(screen);
        over = overForm(toHwnd(form.handle()), under);
        if (over)
            watchPointerLeaving(under);
    }
    form.notifyPointer(pointerAt(screen, over));
}

void Win32Backend::watchPointerLeaving(HWND window) {
    if (pointerWindow_ == window)
        return;
    // The hover time also sets how often Wine looks whether the pointer has left (it has no event for
    // it): within 150 ms, as the clock's caption switched when it polled every 200 ms. Windows tells
    // at once; its WM_MOUSEHOVER goes to the default handling.
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE | TME_HOVER, window, 150};
    pointerWindow_ = ::TrackMouseEvent(&track) ? window : nullptr;
}

void Win32Backend::pointerLeft(HWND window, forms::Form& form) {
    // The system also tells a window that is watched no more, once another one is: the pointer went
    // from it to that one, which has reported it already.
    if (window != pointerWindow_)
        return;
    pointerWindow_ = nullptr;
    if (!form.onPointer)
        return;
    POINT screen{};
    ::GetCursorPos(&screen);
    // Still over a window of the form: the pointer went on to another one of them, or the system told
    // too early (Wine does for a child window, at every look). That window is watched now, and the form
    // hears where the pointer is: a move onto it need not follow (Wine sends none for a pointer placed
    // by a program), and the strip's edge counts as outside though it lies on the form's window.
    HWND under = ::WindowFromPoint(screen);
    if (overForm(toHwnd(form.handle()), under)) {
        watchPointerLeaving(under);
        form.notifyPointer(pointerAt(screen, true));
        return;
    }
    form.notifyPointer(pointerAt(screen, false));
}

void Win32Backend::formPlaced(HWND window, forms::Form& form) {
    if (!form.onPointer || !pointerWindow_ ||
        (pointerWindow_ != window && !::IsChild(window, pointerWindow_)))
        return;
    POINT screen{};
    ::GetCursorPos(&screen);
    if (overForm(window, ::WindowFromPoint(screen)))
        return;
    TRACKMOUSEEVENT cancel{sizeof(cancel), TME_LEAVE | TME_CANCEL, pointerWindow_, 0};
    ::TrackMouseEvent(&cancel);
    pointerWindow_ = nullptr;
    form.notifyPointer(pointerAt(screen, false));
}

void Win32Backend::windowGoing(HWND window) {
    lowestStandard_.erase(window);
    if (pointerWindow_ && (pointerWindow_ == window || ::IsChild(window, pointerWindow_)))
        pointerWindow_ = nullptr;
}

void Win32Backend::keepException(std::exception_ptr error) noexcept {
    if (!pending_)
        pending_ = std::move(error);
}

}  // namespace win32
