#pragma once

#include <ole2.h>
#include <windows.h>

#include "forms/Control.h"
#include "forms/Form.h"
#include "forms/Geometry.h"
#include "platform/win32/Handles.h"

namespace win32 {

class Win32Backend;

// The shell's file list (CF_HDROP) of dragged data, every path in list order; no list without it.
forms::DropData readDropData(IDataObject* data);

// The Button and Shift of a drag event from the key state that OLE reports.
forms::MouseArgs dragArgs(DWORD keyState, POINT inControl);

// The control whose child window a mouse click at the screen point would reach (the topmost visible one),
// or nullptr over the form's background or outside it. `inControl` gets the point in its client pixels.
forms::Control* controlAtScreenPoint(forms::Form& form, HWND formWindow, POINT screen, POINT& inControl);

// The OLE drop target of a form window. Drops go to the control under the mouse when it accepts them;
// everywhere else the drag is refused.
class DropTarget final : public IDropTarget {
  public:
    DropTarget(Win32Backend& backend, forms::Form& form, HWND window);
    DropTarget(const DropTarget&) = delete;
    DropTarget& operator=(const DropTarget&) = delete;

    // The form is going: OLE may hold a reference a little longer, but no event reaches the form any more.
    void detach() { form_ = nullptr; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

  private:
    ~DropTarget() = default;
    // Tells the control under the point about the drag when the control or the point changed since the
    // last time; returns that control if it accepts drops.
    forms::Control* track(DWORD keyState, POINTL point, forms::MouseArgs& args);
    DWORD answer(const forms::Control* target, DWORD allowed) const;
    template <class Step>
    HRESULT guarded(DWORD* effect, Step&& step);
    void forget();

    LONG references_ = 1;
    Win32Backend& backend_;
    forms::Form* form_;
    HWND window_;
    forms::DropData data_;
    HWND lastWindow_ = nullptr;  // the control window last told about the drag, and where
    POINT lastPoint_{};
};

// Registers a form window as a drop target for as long as this lives; revoked before the window goes.
// Without OLE on the thread nothing is registered and the window simply takes no drops.
class DropRegistration {
  public:
    DropRegistration(Win32Backend& backend, forms::Form& form, HWND window);
    ~DropRegistration();
    DropRegistration(const DropRegistration&) = delete;
    DropRegistration& operator=(const DropRegistration&) = delete;

    bool registered() const { return registered_; }

  private:
    HWND window_;
    ComPtr<DropTarget> target_;
    bool registered_ = false;
};

}  // namespace win32
