#pragma once

#include <windows.h>

#include <exception>
#include <map>
#include <vector>

#include "forms/Backend.h"

namespace win32 {

class FormWindow;
class SkinControl;
class WindowTimer;

// The forms runtime on real windows: one top-level window per form, one child window per control.
class Win32Backend : public forms::Backend {
  public:
    Win32Backend();
    ~Win32Backend() override;
    Win32Backend(const Win32Backend&) = delete;
    Win32Backend& operator=(const Win32Backend&) = delete;

    std::unique_ptr<forms::FormPeer> createForm(forms::Form& form) override;
    std::unique_ptr<forms::ControlPeer> createLabel(forms::Form& form, forms::Control& label) override;
    std::unique_ptr<forms::ControlPeer> createImage(forms::Form& form, forms::Control& image) override;
    std::unique_ptr<forms::EditPeer> createTextBox(forms::Form& form, forms::TextBox& textBox) override;
    std::unique_ptr<forms::ComboPeer> createComboBox(forms::Form& form, forms::ComboBox& comboBox) override;
    std::unique_ptr<forms::ControlPeer> createCommandButton(forms::Form& form,
                                                            forms::Control& button) override;
    std::unique_ptr<forms::CheckPeer> createCheckBox(forms::Form& form, forms::CheckBox& checkBox) override;
    std::unique_ptr<forms::ControlPeer> createFrame(forms::Form& form, forms::Control& frame) override;
    std::unique_ptr<forms::ListPeer> createListBox(forms::Form& form, forms::ListBox& listBox) override;
    std::unique_ptr<forms::PicturePeer> createPictureBox(forms::Form& form,
                                                         forms::PictureBox& pictureBox) override;
    std::unique_ptr<forms::TimerPeer> createTimer(forms::Form& form, forms::Timer& timer) override;
    // The runtime's pixels are design pixels, 1/96 inch at every scale (platform/ScreenScale.h).
    double twipsPerPixelX() const override { return 1440.0 / 96; }
    double twipsPerPixelY() const override { return 1440.0 / 96; }

    // Runs until the last form window is gone; returns the exit code of WM_QUIT. Throws the exception
    // that a callback kept (CallbackGuard.h).
    int runMessageLoop();

    // The system's dpi; a window's own scale is scaleOf(window).
    int dpi() const { return dpiY_; }

    // For the peers.
    void formWindowCreated() { ++liveForms_; }
    void formWindowDestroyed();
    UINT_PTR addTimer(WindowTimer& timer);
    void removeTimer(UINT_PTR id) { timers_.erase(id); }
    void tick(UINT_PTR id);
    // The pointer, for the forms that watch it (forms::Form::onPointer). The system watches one window
    // of the thread at a time for the pointer leaving it (TrackMouseEvent): the window that the pointer
    // moved over last. `window` is the form's window or a control's window in it.
    void pointerMoved(HWND window, forms::Form& form);
    void pointerLeft(HWND window, forms::Form& form);
    // A form's window moved or changed its size: the pointer may have come off it without moving, which
    // the system would tell only with its next move.
    void formPlaced(HWND window, forms::Form& form);
    // A window is being destroyed: it (or a window in it) is watched no more.
    void windowGoing(HWND window);
    // For guardedCallback: keeps the first exception until the message loop throws it again.
    void keepException(std::exception_ptr error) noexcept;
    // The labels and placeholders in the order they were made, which is also their window order among
    // their siblings, the lowest first (each is stacked above those made before). Kept here so that a
    // paint finds its neighbours without walking the window order, a server request per step in Wine.
    void addSkinControl(SkinControl* control) { skinControls_.push_back(control); }
    void removeSkinControl(SkinControl* control) { std::erase(skinControls_, control); }
    const std::vector<SkinControl*>& skinControls() const { return skinControls_; }

    // The form windows whose accessible object a reader holds: after each message they tell it what
    // changed.
    void watchAccessible(FormWindow* window) { accessibleWindows_.push_back(window); }
    void forgetAccessible(FormWindow* window) { std::erase(accessibleWindows_, window); }

  private:
    // Stacks a new control's window among its siblings, or notes that it was not (see Win32Backend.cpp).
    template <class Peer>
    std::unique_ptr<Peer> stacked(std::unique_ptr<Peer> peer);
    template <class Peer>
    std::unique_ptr<Peer> unstacked(std::unique_ptr<Peer> peer);
    void watchPointerLeaving(HWND window);
    // Whether `window` is the form's window or one inside it.
    static bool overForm(HWND formWindow, HWND window);

    int dpiX_ = 96;
    int dpiY_ = 96;
    int liveForms_ = 0;
    UINT_PTR nextTimerId_ = 1;
    std::map<UINT_PTR, WindowTimer*> timers_;
    std::exception_ptr pending_;
    std::vector<SkinControl*> skinControls_;
    // For each window that holds stacked controls, the lowest of its edit and combo boxes, above which
    // labels and images go (null: none, they go on top). Forgotten when the window goes.
    std::map<HWND, HWND> lowestStandard_;
    std::vector<FormWindow*> accessibleWindows_;
    HWND pointerWindow_ = nullptr;  // watched for the pointer leaving it
};

}  // namespace win32
