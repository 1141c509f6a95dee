#pragma once

#include <optional>
#include <string>
#include <utility>

namespace platform {

// What went wrong, as the one who asked can show it: a sentence for the person, or for a text
// conversion the character or bytes at fault.
struct Problem {
    std::string text;
};

// What every operation that can fail in an expected way returns: its value, or the problem. A failed
// outcome is not an error of the program; the caller decides how to tell the person.
template <class T = void>
class [[nodiscard]] Outcome {
  public:
    Outcome(T value) : value_(std::move(value)) {}
    Outcome(Problem problem) : problem_(std::move(problem.text)) {}

    explicit operator bool() const { return value_.has_value(); }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    const T* operator->() const { return &*value_; }
    // Empty when the operation succeeded.
    const std::string& problem() const { return problem_; }

  private:
    std::optional<T> value_;
    std::string problem_;
};

template <>
class [[nodiscard]] Outcome<void> {
  public:
    Outcome() = default;
    Outcome(Problem problem) : ok_(false), problem_(std::move(problem.text)) {}

    explicit operator bool() const { return ok_; }
    const std::string& problem() const { return problem_; }

  private:
    bool ok_ = true;
    std::string problem_;
};

}  // namespace platform
