#pragma once
// The enclose dialog ("Опции"): the text to put before and after each line.
// Both fields keep what was typed in them for the whole run.

#include "ui/tools/tool_window.h"

class QEventLoop;
class QLineEdit;

namespace kiv {

class EncloseDialog : public ToolWindow {
  Q_OBJECT
 public:
  explicit EncloseDialog(MainWindow* main);
  // Shows the dialog modally until "OK" or the window is closed.
  void execModal();
  QLineEdit* before() const { return before_; }
  QLineEdit* after() const { return after_; }

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  QLineEdit* before_;
  QLineEdit* after_;
  QEventLoop* loop_ = nullptr;
};

}  // namespace kiv
