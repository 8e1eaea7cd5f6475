#pragma once
// The find-in-files window ("Поиск в файлах"): a mask, a start folder and a
// text; the search runs on a worker thread that can be paused, resumed and
// stopped, and lists the full path of every file that holds the text. A
// double-click opens the file. The fields and results survive hiding.

#include "ui/common/background_worker.h"
#include "ui/tools/tool_window.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace kiv {

class FindInFilesWindow : public ToolWindow {
  Q_OBJECT
 public:
  explicit FindInFilesWindow(MainWindow* main);
  ~FindInFilesWindow() override;

  void startSearch();
  void pause();
  void resume();
  void stop();

  QComboBox* maskBox() const { return mask_; }
  QLineEdit* folderEdit() const { return folder_; }
  QComboBox* textBox() const { return text_; }
  QListWidget* results() const { return results_; }
  QString status() const;
  QStringList resultPaths() const;
  BackgroundWorker& worker() { return worker_; }
  QPushButton* button(const QString& objectName) const;

 private:
  void setStatus(const QString& text);
  void chooseFolder();
  void openResult(QListWidgetItem* item);
  // One of two texts; the second one time in four.
  static QString oneOf(const char* usual, const char* sometimes);

  QComboBox* mask_;
  QLineEdit* folder_;
  QComboBox* text_;
  QListWidget* results_;
  QLabel* status_;
  BackgroundWorker worker_;
};

}  // namespace kiv
