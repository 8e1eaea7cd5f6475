#pragma once
// The character table: the 256 bytes of the active document's code page in
// a 16 × 16 grid, in the document's font. A click shows the code and
// inserts that byte at the document's caret; code 0 inserts nothing.

#include "ui/tools/tool_window.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace kiv {

class CharacterTableWindow : public ToolWindow {
  Q_OBJECT
 public:
  explicit CharacterTableWindow(MainWindow* main);
  QTableWidget* grid() const { return grid_; }
  QLabel* preview() const { return preview_; }
  QLineEdit* codeEdit() const { return code_; }
  QPushButton* copyCharButton() const { return copyChar_; }
  QPushButton* copyCodeButton() const { return copyCode_; }
  // Decodes the cells in the active document's code page and takes its font.
  void refresh();
  // A click on the cell of that code.
  void clickCode(int code);

 protected:
  bool event(QEvent* e) override;

 private:
  MainWindow* main_;
  QTableWidget* grid_;
  QLabel* preview_;
  QLineEdit* code_;
  QPushButton* copyChar_;
  QPushButton* copyCode_;
};

}  // namespace kiv
