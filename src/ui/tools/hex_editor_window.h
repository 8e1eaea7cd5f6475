#pragma once
// The hex editor window: a menu (file, find, options) over the grid of
// one file opened in its own dialog. Hiding the window keeps the file;
// opening another file and closing the program ask about unsaved changes.

#include "ui/tools/tool_window.h"

class QAction;
class QLabel;
class QMenuBar;

namespace kiv {

class HexView;

class HexEditorWindow : public ToolWindow {
  Q_OBJECT
 public:
  explicit HexEditorWindow(MainWindow* main);
  HexView* view() const { return view_; }
  QMenuBar* menuBar() const { return menuBar_; }

  // "Открыть": the dialog, then openFile.
  void chooseAndOpen();
  // Loads the file after asking about unsaved changes; false when nothing
  // was loaded.
  bool openFile(const QString& path);
  // "Сохранить": to the file last opened or saved to.
  bool save();
  // "Сохранить как".
  bool saveAs();
  bool saveTo(const QString& path);
  // Asks whether to save unsaved changes; false when the user cancelled
  // (or the save failed).
  bool confirmDiscard();

 private:
  void updateState();

  MainWindow* main_;
  QMenuBar* menuBar_;
  HexView* view_;
  QLabel* status_;
  QAction* save_;
  QAction* saveAs_;
};

}  // namespace kiv
