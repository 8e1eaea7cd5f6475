#pragma once
// The information console: a read-only log to which commands append
// "con> " lines (text statistics, hyperlink analysis, program information).

#include "ui/tools/tool_window.h"

class QPlainTextEdit;

namespace kiv {

class ConsoleWindow : public ToolWindow {
  Q_OBJECT
 public:
  explicit ConsoleWindow(MainWindow* main);
  // Adds one line "con> " + text (UTF-8) at the end.
  void appendLine(const QString& text);
  // "CLEAR": empties the text box, the starting lines too.
  void clear();
  QString text() const;
  QPlainTextEdit* box() const { return box_; }

 protected:
  bool event(QEvent* e) override;

 private:
  void scrollToEnd();
  QPlainTextEdit* box_;
};

}  // namespace kiv
