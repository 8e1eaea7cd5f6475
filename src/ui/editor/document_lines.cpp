#include "ui/editor/document_lines.h"

#include "ui/editor/memo/memo_control.h"

namespace kiv {

int DocumentLines::count() const { return memo_ ? memo_->lineListCount() : 0; }
std::string DocumentLines::get(int index) const { return memo_ ? memo_->lineBytes(index) : std::string(); }
void DocumentLines::set(int index, std::string_view text) {
  if (memo_) memo_->setLineBytes(index, text);
}
std::string DocumentLines::text() const { return memo_ ? memo_->textCrLf() : std::string(); }

}  // namespace kiv
