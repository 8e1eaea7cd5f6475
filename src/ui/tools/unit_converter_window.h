#pragma once
// The unit converter: a number, a conversion chosen from the list or
// typed, and "Перевести", which puts the result in place of the number so
// it can be converted further.

#include "ui/tools/tool_window.h"

class QComboBox;
class QPushButton;

namespace kiv {

class UnitConverterWindow : public ToolWindow {
  Q_OBJECT
 public:
  explicit UnitConverterWindow(MainWindow* main);
  QComboBox* numberBox() const { return number_; }
  QComboBox* conversionBox() const { return conversion_; }
  QPushButton* convertButton() const { return convert_; }
  // "Перевести".
  void convert();

 private:
  QComboBox* number_;
  QComboBox* conversion_;
  QPushButton* convert_;
};

}  // namespace kiv
