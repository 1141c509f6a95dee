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

    void onMouseDown(std::function<void(int, const MouseArgs&)> handler) {
        bind(&Control::onMouseDown, std::move(handler));
    }
    void onMouseMove(std::function<void(int, const MouseArgs&)> handler) {
        bind(&Control::onMouseMove, std::move(handler));
    }
    void onDragOver(std::function<void(int, const DropData&, const MouseArgs&)> handler) {
        bindDrop(&Control::onDragOver, std::move(handler));
    }
    void onDragDrop(std::function<void(int, const DropData&, const MouseArgs&)> handler) {
        bindDrop(&Control::onDragDrop, std::move(handler));
    }
    void setAcceptsDrops(bool accepts) {
        for (int i = 0; i < count(); ++i)
            (*this)[i].setAcceptsDrops(accepts);
    }
    void onClick(std::function<void(int)> handler) {
        for (int i = 0; i < count(); ++i)
            (*this)[i].onClick = [handler, i] { handler(i); };
    }

  private:
    void bind(std::function<void(const MouseArgs&)> Control::*event,
              std::function<void(int, const MouseArgs&)> handler) {
        for (int i = 0; i < count(); ++i) {
            (*this)[i].*event = [handler, i](const MouseArgs& args) { handler(i, args); };
        }
    }
    void bindDrop(std::function<void(const DropData&, const MouseArgs&)> Control::*event,
                  std::function<void(int, const DropData&, const MouseArgs&)> handler) {
        for (int i = 0; i < count(); ++i) {
            (*this)[i].*
                event = [handler, i](const DropData& data, const MouseArgs& args) { handler(i, data, args); };
        }
    }
    std::vector<std::unique_ptr<T>> items_;
};

}  // namespace forms
