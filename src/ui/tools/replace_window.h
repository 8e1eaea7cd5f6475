#pragma once
// The replacement window ("Найти и заменить"): one find text and its
// replacement, or a list of replacement pairs (multi-replace) that can be
// loaded from and saved to a pair file. It is shown modally over a working
// text (the main window's "Заменить все/мультизамена", the file browser);
// the caller learns whether it closed with "Делать" and reads what was set.
// Its fields and histories live as long as the program.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/search/replace_pairs.h"
#include "ui/tools/tool_window.h"

class QCheckBox;
class QComboBox;
class QEventLoop;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace kiv {

class ReplaceWindow : public ToolWindow {
  Q_OBJECT
 public:
  explicit ReplaceWindow(MainWindow* main);

  // Shows the window modally over `workingText` (bytes in `charset`); true
  // when it closed with "Делать". In single mode the working text then holds
  // the replaced text.
  bool execModal(const std::string& workingText, const std::string& charset);
  // Scripted runs (tests): instead of waiting for the user, execModal hands
  // the shown window to this, which fills it and presses its buttons; with
  // none set it closes as "Отмена" does.
  static void setScriptedUse(std::function<void(ReplaceWindow&)> use);

  bool multi() const;
  QString findText() const;
  QString replaceText() const;
  QString pairListText() const;
  const std::string& workingText() const { return workingText_; }
  // The pair list in the bytes of `charset`; nullopt (and the reason in
  // `error`) when a pair holds a character the code page lacks.
  std::optional<std::vector<ReplacePair>> pairs(const std::string& charset, QString* error) const;
  // Loads the pair list from a file; a file that cannot be read leaves the
  // list as it was and says why.
  bool loadPairFile(const QString& path);
  bool savePairFile(const QString& path);

  QComboBox* findBox() const { return find_; }
  QComboBox* replaceBox() const { return replace_; }
  QCheckBox* multiBox() const { return multi_; }
  QPlainTextEdit* pairList() const { return list_; }
  QLineEdit* pairFileEdit() const { return fileEdit_; }
  QPushButton* doButton() const { return do_; }
  QPushButton* cancelButton() const { return cancel_; }
  QPushButton* saveButton() const { return save_; }

 protected:
  void closeEvent(QCloseEvent* e) override;

 private:
  void doReplace();
  void finish(bool ok);
  void choosePairFile();
  void saveWithDialog();

  QComboBox* find_;
  QComboBox* replace_;
  QCheckBox* multi_;
  QPlainTextEdit* list_;
  QLineEdit* fileEdit_;
  QPushButton* do_;
  QPushButton* cancel_;
  QPushButton* save_;
  QEventLoop* loop_ = nullptr;
  bool accepted_ = false;
  std::string workingText_;
  std::string charset_;
};

}  // namespace kiv
