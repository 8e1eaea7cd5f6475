#pragma once
// "Свойства типа файлов": edits one entry of the file type table for the
// options dialog: the extension, the colour of such file names in the file
// browser, the viewer (F3) and the editor (F4) programs.

#include "core/filetypes/file_types.h"
#include "ui/tools/tool_window.h"

class QLineEdit;
class QPushButton;

namespace kiv {

class FilePropertiesDialog : public ToolWindow {
  Q_OBJECT
 public:
  explicit FilePropertiesDialog(MainWindow* main);
  // Shows the window modally, filled with the type ("TXT" and white for a
  // new one); on OK the fields go into the type and the result is true.
  // The caller stores it through FileTypes::add or FileTypes::change, which
  // lower-case and check the extension.
  bool edit(FileType& type, bool adding);

  // The fields, for tests and the options dialog.
  QLineEdit* extensionEdit() const { return extension_; }
  QLineEdit* viewerEdit() const { return viewer_; }
  QLineEdit* editorEdit() const { return editor_; }
  int color() const { return color_; }
  void setColor(int color);
  void accept();
  void reject();

 private:
  QLineEdit* extension_;
  QLineEdit* viewer_;
  QLineEdit* editor_;
  QPushButton* colorButton_;
  int color_ = FileTypes::kDefaultColor;
  bool accepted_ = false;
};

}  // namespace kiv
