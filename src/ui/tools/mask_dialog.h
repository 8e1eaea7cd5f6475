#pragma once
// "Выбор файлов": asks the file browser's selection mask ("Введите маску"),
// with the masks typed before in its list. Created once, hidden; its
// history lives as long as the program.

#include <optional>

#include "ui/tools/tool_window.h"

class QComboBox;

namespace kiv {

class MaskDialog : public ToolWindow {
  Q_OBJECT
 public:
  explicit MaskDialog(MainWindow* main);
  // Shows the window modally; the mask, or nullopt for Cancel.
  std::optional<QString> ask();
  QComboBox* maskBox() const { return mask_; }

 private:
  QComboBox* mask_;
  bool accepted_ = false;
};

// A name holds the mask as a run of characters: "?" and "*" each stand for
// exactly one character, other characters compare without regard to case.
bool nameMatchesMask(const QString& name, const QString& mask);

}  // namespace kiv
