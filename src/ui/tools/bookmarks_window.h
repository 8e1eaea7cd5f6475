#pragma once
// The bookmarks window: a tree of bookmarks to a file and a line, edited
// freely, kept in "Engine/bookmarx/bmxtree.bmx" beside the program. The
// tree is read when the window is created and written when it is
// destroyed at the program's end.

#include "ui/tools/tool_window.h"

class QLineEdit;
class QMenuBar;
class QTreeWidget;
class QTreeWidgetItem;
class QToolButton;

namespace kiv {

class BookmarksWindow : public ToolWindow {
  Q_OBJECT
 public:
  explicit BookmarksWindow(MainWindow* main);
  ~BookmarksWindow() override;

  QTreeWidget* tree() const { return tree_; }
  QLineEdit* captionEdit() const { return caption_; }
  QLineEdit* fileEdit() const { return file_; }
  QToolButton* chooseFileButton() const { return chooseFile_; }
  QMenuBar* menuBar() const { return menuBar_; }
  QString treeFile() const { return treeFile_; }

  // The menu "Закладка".
  void addItem();
  void addChild();
  void updateCurrent();
  void deleteCurrent();
  // Double-click: opens the file and scrolls to the line.
  void openBookmark(QTreeWidgetItem* item);
  // Writes the tree; false (after a message) when it could not be written.
  bool saveTree();

  // A node's bookmark.
  static QString fileOf(const QTreeWidgetItem* item);
  static int lineOf(const QTreeWidgetItem* item);

 private:
  void loadTree();
  QTreeWidgetItem* newBookmark();
  void showCurrent();

  MainWindow* main_;
  QString treeFile_;
  QMenuBar* menuBar_;
  QTreeWidget* tree_;
  QLineEdit* caption_;
  QLineEdit* file_;
  QToolButton* chooseFile_;
  int counter_ = 0;
  bool refusedFile_ = false;  // the file there could not be read: kept aside before writing
};

}  // namespace kiv
