#include "ui/tools/mask_dialog.h"

#include <QComboBox>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/common/dialogs.h"

namespace kiv {

bool nameMatchesMask(const QString& name, const QString& mask) {
  if (mask.isEmpty()) return false;
  const qsizetype n = name.size(), m = mask.size();
  for (qsizetype start = 0; start + m <= n; ++start) {
    qsizetype i = 0;
    for (; i < m; ++i) {
      const QChar c = mask[i];
      if (c == QLatin1Char('?') || c == QLatin1Char('*')) continue;
      if (c.toCaseFolded() != name[start + i].toCaseFolded()) break;
    }
    if (i == m) return true;
  }
  return false;
}

MaskDialog::MaskDialog(MainWindow* main) : ToolWindow(main, QStringLiteral("MaskDialog"), QStringLiteral("Выбор файлов"), true) {
  auto* l = new QVBoxLayout(this);
  l->addWidget(new QLabel(QStringLiteral("Введите маску"), this));
  mask_ = new QComboBox(this);
  mask_->setObjectName(QStringLiteral("cbMask"));
  mask_->setEditable(true);
  mask_->setInsertPolicy(QComboBox::NoInsert);
  l->addWidget(mask_);
  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  ok->setDefault(true);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  l->addLayout(buttons);
  connect(ok, &QPushButton::clicked, this, [this] {
    accepted_ = true;
    hide();
  });
  connect(cancel, &QPushButton::clicked, this, &QWidget::hide);
  connect(mask_->lineEdit(), &QLineEdit::returnPressed, ok, &QPushButton::click);
  resize(260, 110);
}

std::optional<QString> MaskDialog::ask() {
  const QString last = mask_->currentText();
  std::optional<QString> mask;
  if (dialogScript()) {
    mask = inputQuery(this, windowTitle(), QStringLiteral("Введите маску"), last);
  } else {
    accepted_ = false;
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    mask_->setFocus();
    mask_->lineEdit()->selectAll();
    QEventLoop loop;
    while (isVisible()) loop.processEvents(QEventLoop::WaitForMoreEvents);
    setWindowModality(Qt::NonModal);
    if (accepted_) mask = mask_->currentText();
  }
  if (mask && !mask->isEmpty() && mask_->findText(*mask) < 0) mask_->insertItem(0, *mask);
  if (mask) mask_->setCurrentText(*mask);
  return mask;
}

}  // namespace kiv
