#pragma once
// The hex editor's find window: a pattern as hexadecimal bytes or as
// text, a range of offsets, case folding.

#include <optional>
#include <string>

#include "ui/tools/tool_window.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kiv {

class HexFindDialog : public ToolWindow {
  Q_OBJECT
 public:
  explicit HexFindDialog(MainWindow* main);
  QComboBox* patternBox() const { return pattern_; }
  QLineEdit* fromEdit() const { return from_; }
  QLineEdit* toEdit() const { return to_; }
  QCheckBox* ignoreCaseBox() const { return ignoreCase_; }
  QCheckBox* textBox() const { return asText_; }
  QPushButton* findButton() const { return find_; }
  QLabel* resultLabel() const { return result_; }
  // "Искать".
  void find();

 private:
  MainWindow* main_;
  QComboBox* pattern_;
  QLineEdit* from_;
  QLineEdit* to_;
  QCheckBox* ignoreCase_;
  QCheckBox* asText_;
  QPushButton* find_;
  QLabel* result_;
};

// Hexadecimal digits in pairs, blanks between pairs allowed: "4D 5A90".
// Nothing for anything else.
std::optional<std::string> parseHexBytes(const QString& text);

}  // namespace kiv
