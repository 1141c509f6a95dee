#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "forms/Control.h"

namespace forms {

// Controls that share a name and one set of handlers; the handler learns which one by its Index.
template <class T>
class ControlArray {
  public:
    ControlArray(Form& owner, const std::string& name, int count) {
        for (int i = 0; i < count; ++i)
            items_.push_back(std::make_unique<T>(owner, name, i));
    }

    T& operator[](int index) { return *items_.at(static_cast<std::size_t>(index)); }
    const T& operator[](int index) const { return *items_.at(static_cast<std::size_t>(index)); }
    int count() const { return static_cast<int>(items_.size()); }

    // Binds one handler to an event of every control of the array; the handler gets the Index first:
    //   RUN_B.on(&forms::Control::onMouseDown, [](int index, const forms::MouseArgs& args) { ... });
    template <class... Args, class Handler>
    void on(std::function<void(Args...)> Control::*event, Handler handler) {
        for (int i = 0; i < count(); ++i) {
            (*this)[i].*event = [handler, i](Args... args) { handler(i, std::forward<Args>(args)...); };
        }
    }

    void onMouseDown(std::function<void(int, const MouseArgs&)> handler) {
        on(&Control::onMouseDown, handler);
    }
    void onMouseMove(std::function<void(int, const MouseArgs&)> handler) {
        on(&Control::onMouseMove, handler);
    }
    void onDragOver(std::function<void(int, const DropData&, const MouseArgs&)> handler) {
        on(&Control::onDragOver, handler);
    }
    void onDragDrop(std::function<void(int, const DropData&, const MouseArgs&)> handler) {
        on(&Control::onDragDrop, handler);
    }
    void onClick(std::function<void(int)> handler) { on(&Control::onClick, handler); }
    void setAcceptsDrops(bool accepts) {
        for (int i = 0; i < count(); ++i)
            (*this)[i].setAcceptsDrops(accepts);
    }

  private:
    std::vector<std::unique_ptr<T>> items_;
};

}  // namespace forms
