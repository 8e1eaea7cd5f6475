#pragma once
// The file browser's "Свойства": what the system knows of a file or folder
// (name, place, kind, size, times, owner and permissions), in a window of
// the program's own.

#include <QDialog>

namespace kiv {

class EntryPropertiesDialog : public QDialog {
  Q_OBJECT
 public:
  EntryPropertiesDialog(const QString& path, QWidget* parent);
  // The lines the window shows ("Имя: …"), for tests.
  static QStringList describe(const QString& path);
};

}  // namespace kiv
