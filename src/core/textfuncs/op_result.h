#pragma once
// Result of a text command that may refuse its input. When `error` is not
// empty the command refused: the interface shows `error` (UTF-8) in a
// message box and leaves the document as it is; otherwise `value` is the
// new text (or list of lines).

#include <string>
#include <utility>
#include <vector>

namespace kiv {

template <typename T>
struct Refusable {
  T value{};
  std::string error;

  bool ok() const { return error.empty(); }

  static Refusable success(T v) { return Refusable{std::move(v), {}}; }
  static Refusable refused(std::string message) { return Refusable{T{}, std::move(message)}; }
};

using TextResult = Refusable<std::string>;
using LinesResult = Refusable<std::vector<std::string>>;

}  // namespace kiv
