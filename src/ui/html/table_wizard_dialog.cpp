#include "ui/html/table_wizard_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/html/table_markup.h"

namespace kiv {

TableWizardDialog::TableWizardDialog(QWidget* parent) : QDialog(parent, Qt::Tool) {
  setObjectName(QStringLiteral("tablewizard"));
  setWindowTitle(QStringLiteral("tablewizard"));
  setModal(true);
  columns_ = new QSpinBox(this);
  columns_->setObjectName(QStringLiteral("SpinEdit1"));
  rows_ = new QSpinBox(this);
  rows_->setObjectName(QStringLiteral("SpinEdit2"));
  for (QSpinBox* box : {columns_, rows_}) {
    box->setRange(1, kMaxTableSide);
    box->setValue(2);
  }
  grid_ = new QTableWidget(2, 2, this);
  grid_->setObjectName(QStringLiteral("table"));
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->horizontalHeader()->setDefaultSectionSize(40);
  grid_->verticalHeader()->setDefaultSectionSize(20);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setMinimumSize(260, 160);
  connect(columns_, &QSpinBox::valueChanged, grid_, &QTableWidget::setColumnCount);
  connect(rows_, &QSpinBox::valueChanged, grid_, &QTableWidget::setRowCount);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Колонок:"), columns_);
  form->addRow(QStringLiteral("Рядов"), rows_);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BitBtn1"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BitBtn2"));
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(grid_, 1);
  layout->addWidget(buttons);
}

TableWizardDialog* TableWizardDialog::of(QWidget* mainWindow) {
  auto* d = mainWindow->findChild<TableWizardDialog*>(QStringLiteral("tablewizard"), Qt::FindDirectChildrenOnly);
  return d ? d : new TableWizardDialog(mainWindow);
}

int TableWizardDialog::columns() const { return grid_->columnCount(); }
int TableWizardDialog::rows() const { return grid_->rowCount(); }

}  // namespace kiv
