#pragma once
// The hex editor's options: the translation of the character column, bytes
// per group and bytes per row.

#include "ui/tools/tool_window.h"

class QComboBox;
class QLineEdit;
class QPushButton;

namespace kiv {

class HexOptionsDialog : public ToolWindow {
  Q_OBJECT
 public:
  explicit HexOptionsDialog(MainWindow* main);
  QComboBox* translationBox() const { return translation_; }
  QLineEdit* bytesPerColumnEdit() const { return perColumn_; }
  QLineEdit* bytesPerLineEdit() const { return perLine_; }
  QPushButton* setBytesPerColumnButton() const { return setPerColumn_; }
  QPushButton* setBytesPerLineButton() const { return setPerLine_; }

 private:
  void applyBytesPerColumn();
  void applyBytesPerLine();

  MainWindow* main_;
  QComboBox* translation_;
  QLineEdit* perColumn_;
  QLineEdit* perLine_;
  QPushButton* setPerColumn_;
  QPushButton* setPerLine_;
};

}  // namespace kiv
