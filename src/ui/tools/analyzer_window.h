#pragma once
// The universal text analyzer window: counts the words of the active
// document's working text on a worker thread and prints the report into its
// output area. The worker can be paused, resumed and stopped, and its
// scheduling priority is set with a slider.

#include "ui/common/background_worker.h"
#include "ui/tools/tool_window.h"

class QPlainTextEdit;
class QPushButton;
class QSlider;

namespace kiv {

class AnalyzerWindow : public ToolWindow {
  Q_OBJECT
 public:
  explicit AnalyzerWindow(MainWindow* main);
  ~AnalyzerWindow() override;

  void analyze();
  void stop();
  void pause();
  void resume();
  void clearOutput();
  void copyOutput();
  void setPriorityLevel(int level);

  QString output() const;
  QPlainTextEdit* outputArea() const { return out_; }
  QSlider* prioritySlider() const { return priority_; }
  BackgroundWorker& worker() { return worker_; }
  QPushButton* button(const QString& objectName) const;

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void append(const QString& line);

  QPlainTextEdit* out_;
  QSlider* priority_;
  BackgroundWorker worker_;
};

}  // namespace kiv
