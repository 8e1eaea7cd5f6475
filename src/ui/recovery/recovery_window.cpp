#include "ui/recovery/recovery_window.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "core/recovery/left_journals.h"
#include "ui/app/main_window.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/recovery/recovery_keeper.h"

namespace kiv {

RecoveryWindow::RecoveryWindow(MainWindow* main, RecoveryKeeper* keeper,
                               std::vector<std::unique_ptr<LeftJournal>> journals)
    : QDialog(main), main_(main), keeper_(keeper), journals_(std::move(journals)) {
  setObjectName(QStringLiteral("RecoveryWindow"));
  setWindowTitle(QStringLiteral("Восстановление документов"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(
      QStringLiteral("Программа в прошлый раз завершилась, не сохранив эти документы. Их можно восстановить:"), this));
  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("RecoveryList"));
  list_->setRootIsDecorated(false);
  list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  list_->setHeaderLabels({QStringLiteral("Документ"), QStringLiteral("Изменён"), QStringLiteral("Файл на диске")});
  layout->addWidget(list_, 1);
  auto* buttons = new QHBoxLayout;
  recover_ = new QPushButton(QStringLiteral("Восстановить"), this);
  recoverAll_ = new QPushButton(QStringLiteral("Восстановить все"), this);
  delete_ = new QPushButton(QStringLiteral("Удалить"), this);
  auto* close = new QPushButton(QStringLiteral("Закрыть"), this);
  buttons->addWidget(recover_);
  buttons->addWidget(recoverAll_);
  buttons->addWidget(delete_);
  buttons->addStretch(1);
  buttons->addWidget(close);
  layout->addLayout(buttons);
  connect(recover_, &QPushButton::clicked, this, &RecoveryWindow::recoverSelected);
  connect(recoverAll_, &QPushButton::clicked, this, &RecoveryWindow::recoverAll);
  connect(delete_, &QPushButton::clicked, this, &RecoveryWindow::deleteSelected);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  connect(list_, &QTreeWidget::itemDoubleClicked, this, [this] { recoverSelected(); });
  fill();
  resize(640, 300);
}

RecoveryWindow::~RecoveryWindow() = default;

void RecoveryWindow::fill() {
  list_->clear();
  const QLocale ru(QLocale::Russian, QLocale::Russia);
  for (const auto& j : journals_) {
    const JournalContent& c = j->content();
    QString name, disk;
    if (!c.readable) {
      name = QStringLiteral("%1 (не читается: %2)").arg(qpath(j->path()), qs(c.problem));
    } else {
      name = qpath(c.header.fileName);
      if (c.cutShort) name += QStringLiteral(" (конец журнала повреждён)");
      disk = !c.header.hasFile ? QStringLiteral("не сохранялся")
             : j->fileChangedOnDisk() ? QStringLiteral("изменён после правки")
                                      : QStringLiteral("не изменялся");
    }
    const QString when = ru.toString(QDateTime::fromSecsSinceEpoch(j->changedAt()), QStringLiteral("dd.MM.yyyy HH:mm:ss"));
    auto* item = new QTreeWidgetItem(list_, {name, when, disk});
    item->setToolTip(0, qpath(j->path()));
  }
  list_->resizeColumnToContents(1);
  list_->header()->setStretchLastSection(true);
  list_->setColumnWidth(0, 360);
  if (list_->topLevelItemCount() > 0) list_->setCurrentItem(list_->topLevelItem(0));
  const bool any = !journals_.empty();
  recover_->setEnabled(any);
  recoverAll_->setEnabled(any);
  delete_->setEnabled(any);
}

std::vector<int> RecoveryWindow::selectedRows() const {
  std::vector<int> rows;
  for (QTreeWidgetItem* item : list_->selectedItems()) rows.push_back(list_->indexOfTopLevelItem(item));
  std::sort(rows.begin(), rows.end());
  return rows;
}

void RecoveryWindow::recoverRows(const std::vector<int>& rows) {
  std::vector<int> done;
  QStringList unreadable;
  for (int r : rows) {
    if (r < 0 || r >= static_cast<int>(journals_.size())) continue;
    if (keeper_->recover(*journals_[r])) done.push_back(r);
    else unreadable << qpath(journals_[r]->path());
  }
  for (auto it = done.rbegin(); it != done.rend(); ++it) journals_.erase(journals_.begin() + *it);
  fill();
  if (!unreadable.isEmpty())
    showError(this, QStringLiteral("Журнал не читается, документ не восстановлен: %1").arg(unreadable.join(QStringLiteral(", "))));
  if (journals_.empty()) close();
}

void RecoveryWindow::recoverSelected() { recoverRows(selectedRows()); }

void RecoveryWindow::recoverAll() {
  std::vector<int> rows(journals_.size());
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = static_cast<int>(i);
  recoverRows(rows);
}

void RecoveryWindow::deleteSelected() {
  const std::vector<int> rows = selectedRows();
  if (rows.empty()) return;
  if (!askYesNo(this, QStringLiteral("Удалить выбранные журналы? Их документы нельзя будет восстановить."))) return;
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    journals_[*it]->remove();
    journals_.erase(journals_.begin() + *it);
  }
  fill();
  if (journals_.empty()) close();
}

}  // namespace kiv
