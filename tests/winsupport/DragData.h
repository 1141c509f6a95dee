// What a drag carries, as a test program offers it: the shell's file list (CF_HDROP) or plain text,
// and a drop source that lets go only once the cursor has settled over the target.
#pragma once

#include <ole2.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

namespace winsupport {

// One reference to a COM object, released at the end of the scope.
template <class T>
class Ref {
  public:
    Ref() = default;
    explicit Ref(T* adopted) : ptr_(adopted) {}
    ~Ref() {
        if (ptr_)
            ptr_->Release();
    }
    Ref(Ref&& other) noexcept : ptr_(std::exchange(other.ptr_, nullptr)) {}
    Ref& operator=(Ref&& other) noexcept {
        std::swap(ptr_, other.ptr_);
        return *this;
    }
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;

    T* get() const { return ptr_; }
    T* operator->() const { return ptr_; }
    // For calls that hand out a new reference.
    T** put() {
        if (ptr_)
            std::exchange(ptr_, nullptr)->Release();
        return &ptr_;
    }

  private:
    T* ptr_ = nullptr;
};

// The shell's file list as Explorer offers it: a DROPFILES header, then the wide paths, each ended by a
// NUL, and one more NUL at the end; in CF_HDROP only.
Ref<IDataObject> FileListData(const std::vector<std::wstring>& paths);
// Plain text (CF_UNICODETEXT) and no file list.
Ref<IDataObject> TextData(const std::wstring& text);

// Lets go over the screen point only after the cursor has been there for three ticks, putting it back
// whenever it is elsewhere (Wine may move it away at the start of a drag); cancels at the deadline.
Ref<IDropSource> SteadyDropSource(POINT target, std::chrono::steady_clock::time_point deadline);

}  // namespace winsupport
