#pragma once
// The file browser: a small window on top that lists one folder at a time
// (FileList), walks the tree with the keyboard, opens files in the editor,
// runs whole-file operations (recoding, replacing) on the selected files,
// renames, deletes (to the trash), shows an entry's properties and starts
// the viewer or editor program of a file's type.

#include <QPointer>
#include <QStringList>

#include "ui/tools/file_list.h"
#include "ui/tools/replacement_asker.h"
#include "ui/tools/tool_window.h"

class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QMenuBar;

namespace kiv {

class FileTypes;

class FileBrowserWindow : public ToolWindow {
  Q_OBJECT
 public:
  explicit FileBrowserWindow(MainWindow* main);

  // Reads the folder and shows it (the caption is the folder).
  void goToFolder(const QString& folder);
  // The folder shown.
  QString folder() const { return list_.folder(); }
  const FileList& fileList() const { return list_; }
  QListWidget* listWidget() const { return view_; }
  QLabel* sizeLabel() const { return sizeLabel_; }
  QComboBox* drives() const { return drives_; }
  QMenuBar* menuBar() const { return menuBar_; }
  QMenu* popupMenu() const { return popup_; }
  // Where the answer of "Замена/Мультизамена" comes from; the default is the
  // program's replacement window.
  void setReplacementAsker(ReplacementAsker asker) { askReplacement_ = std::move(asker); }

  // --- Commands (menus, keys and the pop-up menu call these) ---
  void activateCurrent();          // Enter, double-click
  void backToParent();             // Backspace
  void toggleCurrentAndMoveDown(); // Insert
  void selectByMask();             // Numpad +
  void recodeSelected(int recoding);  // a Recoding value
  void replaceInSelected();
  void deleteSelected();
  void renameCurrent();
  void showProperties();
  void openWithViewer();
  void openWithEditor();
  void refresh();                  // Ctrl+R
  void goToLastFolder();           // "Last dir"
  // The full paths of the selected files (no folders, never ".."), in list order.
  QStringList selectedFiles() const;
  // Takes the font, columns and colours from the settings and repaints.
  void applyLook();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* e) override;
  bool event(QEvent* e) override;

 private:
  void fillView(int focusIndex);
  void updateGrid();
  void showSizeOf(int index);
  void fillDrives();
  void openWithProgram(bool viewer);
  void reportWholeFileRun(const QString& what, const WholeFileReport& report);
  int currentIndex() const;

  FileList list_;
  QListWidget* view_ = nullptr;
  QLabel* sizeLabel_ = nullptr;
  QComboBox* drives_ = nullptr;
  QMenuBar* menuBar_ = nullptr;
  QMenu* popup_ = nullptr;
  int lastActivatedIndex_ = 0;
  ReplacementAsker askReplacement_;
};

}  // namespace kiv
