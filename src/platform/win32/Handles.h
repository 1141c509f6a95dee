#pragma once

#include <ole2.h>
#include <unknwn.h>
#include <windows.h>

#include <cstdint>
#include <utility>

namespace win32 {

// An owning handle: released exactly once, by the deleter, when it goes out of scope. The invalid value
// is given as a number because INVALID_HANDLE_VALUE, a cast, cannot be a template argument.
template <class H, class Deleter, std::intptr_t InvalidValue = 0>
class UniqueHandle {
    static H invalid() { return reinterpret_cast<H>(InvalidValue); }

  public:
    UniqueHandle() = default;
    explicit UniqueHandle(H handle) : handle_(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    H get() const { return handle_; }
    explicit operator bool() const { return handle_ != invalid(); }
    H release() { return std::exchange(handle_, invalid()); }
    void reset(H handle = invalid()) {
        if (handle_ != invalid())
            Deleter{}(handle_);
        handle_ = handle;
    }

  private:
    H handle_ = invalid();
};

// The system function that releases a handle, as a deleter.
template <auto Release>
struct Releaser {
    template <class H>
    void operator()(H handle) const {
        Release(handle);
    }
};

using UniqueKernelHandle = UniqueHandle<HANDLE, Releaser<::CloseHandle>>;
using UniqueFileHandle = UniqueHandle<HANDLE, Releaser<::CloseHandle>, -1>;
using UniqueFindHandle = UniqueHandle<HANDLE, Releaser<::FindClose>, -1>;
using UniqueIcon = UniqueHandle<HICON, Releaser<::DestroyIcon>>;
using UniqueBitmap = UniqueHandle<HBITMAP, Releaser<::DeleteObject>>;
using UniqueFont = UniqueHandle<HFONT, Releaser<::DeleteObject>>;
using UniqueBrush = UniqueHandle<HBRUSH, Releaser<::DeleteObject>>;
using UniqueWindow = UniqueHandle<HWND, Releaser<::DestroyWindow>>;
using UniqueMemoryDc = UniqueHandle<HDC, Releaser<::DeleteDC>>;

// A device context obtained with GetDC, given back with ReleaseDC.
class WindowDc {
  public:
    explicit WindowDc(HWND window) : window_(window), dc_(::GetDC(window)) {}
    ~WindowDc() {
        if (dc_)
            ::ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// Selects a GDI object into a DC for the scope and puts the old one back.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(::SelectObject(dc, object)) {}
    ~SelectedObject() { ::SelectObject(dc_, old_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// An owning COM interface pointer.
template <class T>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            ptr_ = std::exchange(other.ptr_, nullptr);
        }
        return *this;
    }
    T* get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    explicit operator bool() const { return ptr_ != nullptr; }
    // For functions that hand out a new reference.
    T** put() {
        reset();
        return &ptr_;
    }
    void** putVoid() { return reinterpret_cast<void**>(put()); }
    void reset() {
        if (ptr_)
            std::exchange(ptr_, nullptr)->Release();
    }

  private:
    T* ptr_ = nullptr;
};

// CoInitializeEx for the scope of one thread; CoUninitialize only when it succeeded.
class ComApartment {
  public:
    ComApartment() : ok_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (ok_)
            ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

  private:
    bool ok_;
};

// OleInitialize for the scope of one thread (drag and drop, the shell's link object, the browser
// object); OleUninitialize only when it succeeded.
class OleSession {
  public:
    OleSession() : ok_(SUCCEEDED(::OleInitialize(nullptr))) {}
    ~OleSession() {
        if (ok_)
            ::OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;
    bool ok() const { return ok_; }

  private:
    bool ok_;
};

}  // namespace win32
