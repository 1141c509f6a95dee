#pragma once

#include <type_traits>
#include <utility>

namespace dialogs {

// Exchanges two values in place when both are of the same type; values of different types stay as
// they are.
template <class A, class B>
void SwapValues(A& a, B& b) {
    if constexpr (std::is_same_v<A, B>) {
        using std::swap;
        swap(a, b);
    }
}

}  // namespace dialogs
