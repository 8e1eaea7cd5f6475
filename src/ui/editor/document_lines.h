#pragma once
// A live view of a document's lines: reading and writing act on the
// document itself. A final line break does not start another line.

#include <string>
#include <string_view>

namespace kiv {

class EditingControl;

class DocumentLines {
 public:
  DocumentLines() = default;
  explicit DocumentLines(EditingControl* control) : control_(control) {}
  bool valid() const { return control_ != nullptr; }
  int count() const;
  std::string get(int index) const;
  void set(int index, std::string_view text);
  // All lines, each followed by CR LF.
  std::string text() const;

 private:
  EditingControl* control_ = nullptr;
};

}  // namespace kiv
