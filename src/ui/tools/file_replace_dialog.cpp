#include "ui/tools/file_replace_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/charsets/code_page.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"

namespace kiv {

namespace {
std::optional<std::string> to1251(const QString& text) {
  std::size_t unmapped = 0;
  std::string bytes = CodePage::get(CodePageId::Win1251).encodeFromUtf8(u8(text), '?', &unmapped);
  if (unmapped) return std::nullopt;
  return bytes;
}
}  // namespace

std::optional<ReplaceRequest> replaceRequestFrom(bool multi, const QString& find, const QString& replacement,
                                                 const QString& pairs, QString* why) {
  ReplaceRequest r;
  r.multi = multi;
  const auto f = to1251(find), rep = to1251(replacement), p = to1251(pairs);
  if (!f || !rep || !p) {
    if (why) *why = QStringLiteral("В тексте замены есть символы, которых нет в кодировке Windows-1251.");
    return std::nullopt;
  }
  r.find = *f;
  r.replacement = *rep;
  if (multi) r.pairs = parseReplacePairs(*p);
  return r;
}

FileReplaceDialog::FileReplaceDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FileReplaceDialog"));
  setWindowTitle(QStringLiteral("Найти и заменить"));
  auto* l = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  find_ = new QLineEdit(this);
  find_->setObjectName(QStringLiteral("findto"));
  replace_ = new QLineEdit(this);
  replace_->setObjectName(QStringLiteral("replaceon"));
  form->addRow(QStringLiteral("Найти"), find_);
  form->addRow(QStringLiteral("Заменить на:"), replace_);
  l->addLayout(form);
  multi_ = new QCheckBox(QStringLiteral("Мультизамена"), this);
  multi_->setObjectName(QStringLiteral("CheckBox1"));
  l->addWidget(multi_);
  pairs_ = new QPlainTextEdit(this);
  pairs_->setObjectName(QStringLiteral("Memo1"));
  pairs_->setPlaceholderText(QStringLiteral("найти=заменить, по паре в строке"));
  l->addWidget(pairs_, 1);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("Делать"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    QString why;
    if (request(&why)) accept();
    else showError(this, why);
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  l->addWidget(buttons);
  resize(420, 320);
}

std::optional<ReplaceRequest> FileReplaceDialog::request(QString* why) const {
  return replaceRequestFrom(multi_->isChecked(), find_->text(), replace_->text(), pairs_->toPlainText(), why);
}

std::optional<ReplaceRequest> FileReplaceDialog::ask(QWidget* parent) {
  FileReplaceDialog dlg(parent);
  if (dlg.exec() != QDialog::Accepted) return std::nullopt;
  return dlg.request(nullptr);
}

}  // namespace kiv
