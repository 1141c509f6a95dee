#include "DragData.h"

#include <shlobj.h>

#include <cstring>

namespace winsupport {
namespace {

// Counts references for the small COM objects of a drag.
template <class Interface>
class Unknown : public Interface {
  public:
    explicit Unknown(REFIID iid) : iid_(iid) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, iid_)) {
            *object = static_cast<Interface*>(this);
            this->AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references_));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

  protected:
    virtual ~Unknown() = default;

  private:
    IID iid_;
    LONG references_ = 1;
};

// Offers one clipboard format as an HGLOBAL, as the shell's data objects do.
class OneFormatData final : public Unknown<IDataObject> {
  public:
    OneFormatData(CLIPFORMAT format, std::string bytes)
        : Unknown(IID_IDataObject), format_(format), bytes_(std::move(bytes)) {}

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (QueryGetData(format) != S_OK)
            return DV_E_FORMATETC;
        HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
        if (!copy)
            return E_OUTOFMEMORY;
        std::memcpy(GlobalLock(copy), bytes_.data(), bytes_.size());
        GlobalUnlock(copy);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = copy;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        return format && format->cfFormat == format_ && (format->tymed & TYMED_HGLOBAL) ? S_OK
                                                                                        : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** formats) override {
        if (direction != DATADIR_GET)
            return E_NOTIMPL;
        FORMATETC offered{format_, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        return SHCreateStdEnumFmtEtc(1, &offered, formats);
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

  private:
    CLIPFORMAT format_;
    std::string bytes_;
};

class SteadySource final : public Unknown<IDropSource> {
  public:
    SteadySource(POINT target, std::chrono::steady_clock::time_point deadline)
        : Unknown(IID_IDropSource), target_(target), deadline_(deadline) {}

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
        if (escape || std::chrono::steady_clock::now() >= deadline_)
            return DRAGDROP_S_CANCEL;
        POINT now{};
        GetCursorPos(&now);
        if (now.x != target_.x || now.y != target_.y) {
            SetCursorPos(target_.x, target_.y);
            ticks_ = 0;
            return S_OK;
        }
        return ++ticks_ >= 3 ? DRAGDROP_S_DROP : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }

  private:
    POINT target_;
    std::chrono::steady_clock::time_point deadline_;
    int ticks_ = 0;
};

}  // namespace

Ref<IDataObject> FileListData(const std::vector<std::wstring>& paths) {
    DROPFILES header{};
    header.pFiles = sizeof header;
    header.fWide = TRUE;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    for (const std::wstring& path : paths)
        bytes.append(reinterpret_cast<const char*>(path.c_str()), (path.size() + 1) * sizeof(wchar_t));
    bytes.append(sizeof(wchar_t), '\0');
    return Ref<IDataObject>(new OneFormatData(CF_HDROP, std::move(bytes)));
}

Ref<IDataObject> TextData(const std::wstring& text) {
    std::string bytes(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t));
    return Ref<IDataObject>(new OneFormatData(CF_UNICODETEXT, std::move(bytes)));
}

Ref<IDropSource> SteadyDropSource(POINT target, std::chrono::steady_clock::time_point deadline) {
    return Ref<IDropSource>(new SteadySource(target, deadline));
}

}  // namespace winsupport
