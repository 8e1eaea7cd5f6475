#pragma once
// A live view of a document's lines: reading and writing act on the
// document itself. A final line break does not start another line.

#include <string>
#include <string_view>

namespace kiv {

class MemoControl;

class DocumentLines {
 public:
  DocumentLines() = default;
  explicit DocumentLines(MemoControl* memo) : memo_(memo) {}
  bool valid() const { return memo_ != nullptr; }
  int count() const;
  std::string get(int index) const;
  void set(int index, std::string_view text);
  // All lines, each followed by CR LF.
  std::string text() const;

 private:
  MemoControl* memo_ = nullptr;
};

}  // namespace kiv
