#pragma once
// What the file browser asks before it replaces in files: a find text and
// its replacement, or a list of replacement pairs ("find=replacement", one a
// line). The browser asks through a ReplacementAsker; the program's
// replacement window can stand in for this small dialog by giving the same
// answer.

#include <QDialog>
#include <functional>
#include <optional>

#include "core/filebrowser/whole_file_ops.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace kiv {

// Asks what to replace; nullopt when the user cancelled.
using ReplacementAsker = std::function<std::optional<ReplaceRequest>(QWidget* parent)>;

// The typed texts as a request over Windows-1251 bytes; nullopt with the
// reason in *why when a character has no Windows-1251 byte.
std::optional<ReplaceRequest> replaceRequestFrom(bool multi, const QString& find, const QString& replacement,
                                                 const QString& pairs, QString* why);

class FileReplaceDialog : public QDialog {
  Q_OBJECT
 public:
  explicit FileReplaceDialog(QWidget* parent);
  // The dialog's answer, shown modally.
  static std::optional<ReplaceRequest> ask(QWidget* parent);

  QCheckBox* multiBox() const { return multi_; }
  QLineEdit* findEdit() const { return find_; }
  QLineEdit* replaceEdit() const { return replace_; }
  QPlainTextEdit* pairsEdit() const { return pairs_; }
  std::optional<ReplaceRequest> request(QString* why) const;

 private:
  QCheckBox* multi_;
  QLineEdit* find_;
  QLineEdit* replace_;
  QPlainTextEdit* pairs_;
};

}  // namespace kiv
