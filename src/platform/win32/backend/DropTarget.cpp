#include "platform/win32/backend/DropTarget.h"

#include <shellapi.h>

#include "platform/win32/Wide.h"
#include "platform/win32/backend/CallbackGuard.h"
#include "platform/win32/backend/Dpi.h"
#include "platform/win32/backend/FrameWindow.h"
#include "platform/win32/backend/Win32Backend.h"
#include "platform/win32/backend/WindowMessages.h"

namespace win32 {
namespace {

// A storage medium that GetData handed out, released once it has been read.
class StorageMedium {
  public:
    StorageMedium() = default;
    ~StorageMedium() {
        if (filled_)
            ::ReleaseStgMedium(&medium_);
    }
    StorageMedium(const StorageMedium&) = delete;
    StorageMedium& operator=(const StorageMedium&) = delete;

    bool fill(IDataObject* data, FORMATETC& format) {
        filled_ = SUCCEEDED(data->GetData(&format, &medium_));
        return filled_;
    }
    const STGMEDIUM& get() const { return medium_; }

  private:
    STGMEDIUM medium_{};
    bool filled_ = false;
};

// Keeps a COM object alive through a call whose handlers might let go of it.
class Hold {
  public:
    explicit Hold(IUnknown* object) : object_(object) { object_->AddRef(); }
    ~Hold() { object_->Release(); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

  private:
    IUnknown* object_;
};

}  // namespace

forms::DropData readDropData(IDataObject* data) {
    forms::DropData result;
    if (!data)
        return result;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    StorageMedium medium;
    if (!medium.fill(data, format) || medium.get().tymed != TYMED_HGLOBAL || !medium.get().hGlobal)
        return result;
    auto drop = static_cast<HDROP>(medium.get().hGlobal);
    result.hasFileList = true;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = ::DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        const UINT copied = ::DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(copied);
        result.files.push_back(narrow(path));
    }
    return result;
}

forms::MouseArgs dragArgs(DWORD keyState, POINT inControl) {
    forms::MouseArgs args{0, 0, inControl.x, inControl.y};
    if (keyState & MK_LBUTTON)
        args.button |= forms::kLeftButton;
    if (keyState & MK_RBUTTON)
        args.button |= forms::kRightButton;
    if (keyState & MK_MBUTTON)
        args.button |= forms::kMiddleButton;
    if (keyState & MK_SHIFT)
        args.shift |= forms::kShiftMask;
    if (keyState & MK_CONTROL)
        args.shift |= forms::kCtrlMask;
    if (keyState & MK_ALT)
        args.shift |= forms::kAltMask;
    return args;
}

forms::Control* controlAtScreenPoint(forms::Form& form, HWND formWindow, POINT screen, POINT& inControl) {
    POINT client = screen;
    ::ScreenToClient(formWindow, &client);
    // The first child in the z-order, as a click would find it: the run buttons lie over the slot icons.
    HWND child = ::ChildWindowFromPointEx(formWindow, client, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
    if (!child || child == formWindow)
        return nullptr;
    // Inside a frame, the control under the point; the frame itself where none is.
    while (FrameWindow::isFrame(child)) {
        POINT inFrame = screen;
        ::ScreenToClient(child, &inFrame);
        HWND inner = ::ChildWindowFromPointEx(child, inFrame, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
        if (!inner || inner == child)
            break;
        child = inner;
    }
    for (forms::Control* control : form.controls()) {
        if (toHwnd(control->handle()) == child) {
            inControl = screen;
            ::ScreenToClient(child, &inControl);
            // Design pixels relative to the control, as the mouse events have them.
            const Scale scale = scaleOf(child);
            inControl = {scale.toDesign(inControl.x), scale.toDesign(inControl.y)};
            return control;
        }
    }
    return nullptr;
}

DropTarget::DropTarget(Win32Backend& backend, forms::Form& form, HWND window)
    : backend_(backend), form_(&form), window_(window) {}

HRESULT DropTarget::QueryInterface(REFIID iid, void** object) {
    if (!object)
        return E_POINTER;
    if (::IsEqualIID(iid, IID_IUnknown) || ::IsEqualIID(iid, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG DropTarget::AddRef() {
    return static_cast<ULONG>(::InterlockedIncrement(&references_));
}

ULONG DropTarget::Release() {
    const LONG left = ::InterlockedDecrement(&references_);
    if (left == 0)
        delete this;
    return static_cast<ULONG>(left);
}

void DropTarget::forget() {
    lastWindow_ = nullptr;
    lastPoint_ = {};
}

forms::Control* DropTarget::track(DWORD keyState, POINTL point, forms::MouseArgs& args) {
    POINT inControl{};
    forms::Control* control = controlAtScreenPoint(*form_, window_, {point.x, point.y}, inControl);
    const bool accepts = control && control->acceptsDrops() && control->enabled();
    args = dragArgs(keyState, inControl);
    if (!accepts) {
        forget();
        return nullptr;
    }
    HWND controlWindow = toHwnd(control->handle());
    if (controlWindow == lastWindow_ && inControl.x == lastPoint_.x && inControl.y == lastPoint_.y)
        return control;
    lastWindow_ = controlWindow;
    lastPoint_ = inControl;
    control->notifyDragOver(data_, args);
    // The handler may have unloaded the form.
    return form_ ? control : nullptr;
}

DWORD DropTarget::answer(const forms::Control* target, DWORD allowed) const {
    return target && data_.hasFileList ? (allowed & DROPEFFECT_COPY) : DROPEFFECT_NONE;
}

// Each COM call runs under the callback guard. The effect stays "none" unless the step answers
// otherwise, and an answer given stands even if a handler throws after it.
template <class Step>
HRESULT DropTarget::guarded(DWORD* effect, Step&& step) {
    if (!effect)
        return E_INVALIDARG;
    const Hold hold(this);
    const DWORD allowed = *effect;
    *effect = DROPEFFECT_NONE;
    if (!form_)
        return S_OK;
    return guardedCallback(backend_, S_OK, [&] {
        step(allowed, *effect);
        return S_OK;
    });
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
    return guarded(effect, [&](DWORD allowed, DWORD& answered) {
        forget();
        data_ = readDropData(data);
        forms::MouseArgs args;
        answered = answer(track(keyState, point, args), allowed);
    });
}

HRESULT DropTarget::DragOver(DWORD keyState, POINTL point, DWORD* effect) {
    return guarded(effect, [&](DWORD allowed, DWORD& answered) {
        forms::MouseArgs args;
        answered = answer(track(keyState, point, args), allowed);
    });
}

HRESULT DropTarget::DragLeave() {
    forget();
    data_ = {};
    return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
    return guarded(effect, [&](DWORD allowed, DWORD& answered) {
        data_ = readDropData(data);
        // A drop where the last drag-over was not is a drag over that place first, as the handlers expect.
        forms::MouseArgs args;
        forms::Control* target = track(keyState, point, args);
        answered = answer(target, allowed);
        const forms::DropData dropped = std::move(data_);
        forget();
        data_ = {};
        if (target)
            target->notifyDragDrop(dropped, args);
    });
}

DropRegistration::DropRegistration(Win32Backend& backend, forms::Form& form, HWND window) : window_(window) {
    *target_.put() = new DropTarget(backend, form, window);
    registered_ = SUCCEEDED(::RegisterDragDrop(window_, target_.get()));
}

DropRegistration::~DropRegistration() {
    if (registered_)
        ::RevokeDragDrop(window_);
    target_->detach();
}

}  // namespace win32
