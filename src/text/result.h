#pragma once

#include <string>
#include <utility>
#include <variant>

namespace korvex {

// Why an operation failed, in words the user can read as they stand.
struct Failure {
  std::string reason;
};

// What an operation that can fail for reasons outside the program (a file, a folder, a
// command line) hands back: its value, or the failure. Such failures are expected, so
// they travel as values and are told where they are read; an exception means a fault.
// A request keeps its own result, FetchedAnswer, since a failed one still carries the
// part of the answer that arrived.
template <typename T>
class [[nodiscard]] Result {
 public:
  Result(T value) : state_(std::in_place_index<0>, std::move(value)) {}
  Result(Failure failure) : state_(std::in_place_index<1>, std::move(failure)) {}

  bool ok() const { return state_.index() == 0; }
  explicit operator bool() const { return ok(); }
  T& operator*() { return std::get<0>(state_); }
  const T& operator*() const { return std::get<0>(state_); }
  T* operator->() { return &std::get<0>(state_); }
  const T* operator->() const { return &std::get<0>(state_); }
  // Only for a failed result.
  const std::string& reason() const { return std::get<1>(state_).reason; }

 private:
  std::variant<T, Failure> state_;
};

template <>
class [[nodiscard]] Result<void> {
 public:
  Result() = default;
  Result(Failure failure) : failure_(std::move(failure)), failed_(true) {}

  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  const std::string& reason() const { return failure_.reason; }

 private:
  Failure failure_;
  bool failed_ = false;
};

}  // namespace korvex
