#include "ui/tools/enclose_dialog.h"

#include <QEventLoop>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>

#include "ui/common/dialogs.h"

namespace kiv {

EncloseDialog::EncloseDialog(MainWindow* main) : ToolWindow(main, QStringLiteral("EncloseDialog"), QStringLiteral("Опции"), false) {
  auto* l = new QFormLayout(this);
  before_ = new QLineEdit(this);
  before_->setObjectName(QStringLiteral("edbefore"));
  after_ = new QLineEdit(this);
  after_->setObjectName(QStringLiteral("edAfter"));
  l->addRow(QStringLiteral("ДО"), before_);
  l->addRow(QStringLiteral("ПОСЛЕ"), after_);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("Button1"));
  ok->setDefault(true);
  l->addRow(ok);
  connect(ok, &QPushButton::clicked, this, &QWidget::close);
  connect(before_, &QLineEdit::returnPressed, this, &QWidget::close);
  connect(after_, &QLineEdit::returnPressed, this, &QWidget::close);
  resize(320, 120);
  hide();
}

void EncloseDialog::execModal() {
  if (dialogScript()) return;  // scripted runs take the fields as they are
  setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  activateWindow();
  before_->setFocus();
  QEventLoop loop;
  loop_ = &loop;
  loop.exec();
  loop_ = nullptr;
  setWindowModality(Qt::NonModal);
}

void EncloseDialog::closeEvent(QCloseEvent* e) {
  ToolWindow::closeEvent(e);
  if (loop_) loop_->quit();
}

}  // namespace kiv
