#pragma once

#include <memory>
#include <utility>

namespace forms {

// Holds the one instance of a dialog. open() loads a fresh dialog unless one is loaded already, which
// it then only brings back. The slot unloads its dialog when the slot goes, so a dialog always runs
// its unload steps before it is destroyed. An unloaded dialog is kept until the next open(): its own
// handlers may still be running when it unloads.
template <class T>
class DialogSlot {
  public:
    DialogSlot() = default;
    ~DialogSlot() { close(); }
    DialogSlot(const DialogSlot&) = delete;
    DialogSlot& operator=(const DialogSlot&) = delete;

    // `make` builds a new, not yet loaded dialog; it runs only when none is loaded.
    template <class Make>
    T& open(Make make) {
        if (!form_ || !form_->loaded()) {
            form_.reset();
            form_ = make();
            form_->load();
        }
        return *form_;
    }

    // The loaded dialog, or nullptr.
    T* get() const { return form_ && form_->loaded() ? form_.get() : nullptr; }

    // Unloads the dialog (a close by code). False when it refused to close.
    bool close() { return !form_ || form_->unload(); }

  private:
    std::unique_ptr<T> form_;
};

}  // namespace forms
