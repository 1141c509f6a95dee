#pragma once

#include <memory>
#include <utility>

#include "forms/Form.h"

namespace forms {

// Deletes a form only after it has unloaded. Form's own destructor cannot unload it: by then the
// derived form and its unload handler, which gives back what the form took, are gone already.
struct UnloadThenDelete {
    void operator()(Form* form) const {
        form->unload();
        delete form;
    }
};

// A form that its owner holds for the whole run, such as the strip.
template <class T>
using OwnedForm = std::unique_ptr<T, UnloadThenDelete>;

template <class T, class... Args>
OwnedForm<T> makeOwnedForm(Args&&... args) {
    return OwnedForm<T>(new T(std::forward<Args>(args)...));
}

}  // namespace forms
