#pragma once
// The table wizard: column and row counts with a preview grid that follows
// them. One instance lives for the whole run, so the counts are kept
// between uses.

#include <QDialog>

class QSpinBox;
class QTableWidget;

namespace kiv {

class TableWizardDialog : public QDialog {
  Q_OBJECT
 public:
  explicit TableWizardDialog(QWidget* parent);
  // The dialog of this main window, made on first use.
  static TableWizardDialog* of(QWidget* mainWindow);

  int columns() const;
  int rows() const;
  QSpinBox* columnsBox() const { return columns_; }
  QSpinBox* rowsBox() const { return rows_; }
  QTableWidget* grid() const { return grid_; }

 private:
  QSpinBox* columns_;
  QSpinBox* rows_;
  QTableWidget* grid_;
};

}  // namespace kiv
