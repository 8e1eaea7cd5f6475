#include "ui/editor/document_lines.h"

#include "ui/editor/control/editing_control.h"

namespace kiv {

int DocumentLines::count() const { return control_ ? control_->lineListCount() : 0; }
std::string DocumentLines::get(int index) const { return control_ ? control_->lineBytes(index) : std::string(); }
void DocumentLines::set(int index, std::string_view text) {
  if (control_) control_->setLineBytes(index, text);
}
std::string DocumentLines::text() const { return control_ ? control_->textCrLf() : std::string(); }

}  // namespace kiv
