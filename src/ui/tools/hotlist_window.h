#pragma once
// The hotlist: favourite folders for the file browser. "+" adds the
// browser's folder, "-" drops the chosen entry, Enter or a double-click
// sends the browser there. The list is read from "Dizorud/hotlist.txt" of
// the parts folder when the window is created and written back, with its
// folder made when missing, when the window goes at the end of the program.

#include <QStringList>

#include "ui/tools/tool_window.h"

class QListWidget;

namespace kiv {

class HotlistWindow : public ToolWindow {
  Q_OBJECT
 public:
  explicit HotlistWindow(MainWindow* main);
  ~HotlistWindow() override;

  QStringList folders() const;
  QListWidget* listWidget() const { return list_; }
  const QString& filePath() const { return path_; }
  void addBrowserFolder();   // "+"
  void removeCurrent();      // "-"
  void openCurrent();        // Enter, double-click
  // Writes the list now; false (with a message) when that fails.
  bool save();

 protected:
  bool event(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QListWidget* list_;
  QString path_;
  bool loaded_ = true;  // false: the file is there but unreadable, never written over
};

}  // namespace kiv
