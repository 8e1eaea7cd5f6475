#pragma once
// The big-number calculator: two operands of any length with their
// histories, the four operations, comparison and conversion between
// decimal and hexadecimal. A number it cannot read, or a division by zero,
// is told in a message; the result field is then left as it was.

#include "ui/tools/tool_window.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kiv {

struct MegaCalcResult;

class CalculatorWindow : public ToolWindow {
  Q_OBJECT
 public:
  explicit CalculatorWindow(MainWindow* main);
  QComboBox* firstBox() const { return first_; }
  QComboBox* secondBox() const { return second_; }
  QLineEdit* resultEdit() const { return result_; }
  // The buttons by their number 1 to 10.
  QPushButton* button(int number) const { return buttons_[number - 1]; }

 private:
  void remember(bool both);
  void showResult(const MegaCalcResult& r, const char* caption);

  QComboBox* first_;
  QComboBox* second_;
  QLineEdit* result_;
  QPushButton* buttons_[10];
};

}  // namespace kiv
