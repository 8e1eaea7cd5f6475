#pragma once
// The window that offers the documents of journals left by a crash: each
// with its name, when it was last changed and whether its file changed on
// disk since. "Восстановить" opens the chosen ones, "Восстановить все" all,
// "Удалить" deletes the chosen journals; closing the window keeps the rest
// for the next start. A journal that cannot be read is listed and kept
// unless the user deletes it.

#include <QDialog>
#include <memory>
#include <vector>

class QPushButton;
class QTreeWidget;

namespace kiv {

class LeftJournal;
class MainWindow;
class RecoveryKeeper;

class RecoveryWindow : public QDialog {
  Q_OBJECT
 public:
  RecoveryWindow(MainWindow* main, RecoveryKeeper* keeper, std::vector<std::unique_ptr<LeftJournal>> journals);
  ~RecoveryWindow() override;

  QTreeWidget* list() const { return list_; }
  std::size_t journalCount() const { return journals_.size(); }
  // The buttons' actions.
  void recoverSelected();
  void recoverAll();
  void deleteSelected();

 private:
  void fill();
  void recoverRows(const std::vector<int>& rows);
  std::vector<int> selectedRows() const;

  MainWindow* main_;
  RecoveryKeeper* keeper_;
  std::vector<std::unique_ptr<LeftJournal>> journals_;
  QTreeWidget* list_;
  QPushButton* recover_;
  QPushButton* recoverAll_;
  QPushButton* delete_;
};

}  // namespace kiv
