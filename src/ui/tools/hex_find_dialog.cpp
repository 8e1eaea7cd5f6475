#include "ui/tools/hex_find_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/charsets/code_page.h"
#include "core/hex/byte_translation.h"
#include "ui/app/main_window.h"
#include "ui/common/dialogs.h"
#include "ui/tools/hex_editor_window.h"
#include "ui/tools/hex_view.h"

namespace kiv {

std::optional<std::string> parseHexBytes(const QString& text) {
  std::string out;
  int high = -1;
  for (const QChar c : text) {
    if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
      if (high >= 0) return std::nullopt;  // a lone digit
      continue;
    }
    const int digit = c.unicode() < 128 ? QStringLiteral("0123456789ABCDEF").indexOf(c.toUpper()) : -1;
    if (digit < 0) return std::nullopt;
    if (high < 0) {
      high = digit;
    } else {
      out += static_cast<char>(high * 16 + digit);
      high = -1;
    }
  }
  if (high >= 0) return std::nullopt;
  return out;
}

namespace {
// A whole number typed in a range field; the standard message otherwise.
std::optional<std::int64_t> rangeNumber(QWidget* parent, const QString& text) {
  bool ok = false;
  const qlonglong v = text.trimmed().toLongLong(&ok);
  if (!ok) {
    showError(parent, QStringLiteral("'%1' is not a valid integer value").arg(text));
    return std::nullopt;
  }
  return v;
}
}  // namespace

HexFindDialog::HexFindDialog(MainWindow* main)
    : ToolWindow(main, QStringLiteral("HexFindDialog"), QStringLiteral("HEx find"), true), main_(main) {
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  pattern_ = new QComboBox(this);
  pattern_->setObjectName(QStringLiteral("hexFindText"));
  pattern_->setEditable(true);
  pattern_->setInsertPolicy(QComboBox::NoInsert);
  pattern_->setMinimumWidth(220);
  form->addRow(QStringLiteral("Что найти"), pattern_);
  layout->addLayout(form);
  layout->addWidget(new QLabel(QStringLiteral("Искать в диапазоне:"), this));
  auto* range = new QHBoxLayout;
  from_ = new QLineEdit(QStringLiteral("0"), this);
  from_->setObjectName(QStringLiteral("hexFindFrom"));
  to_ = new QLineEdit(QStringLiteral("0"), this);
  to_->setObjectName(QStringLiteral("hexFindTo"));
  range->addWidget(from_);
  range->addWidget(new QLabel(QStringLiteral("—"), this));
  range->addWidget(to_);
  layout->addLayout(range);
  ignoreCase_ = new QCheckBox(QStringLiteral("Игнорировать регистр"), this);
  ignoreCase_->setObjectName(QStringLiteral("hexFindIgnoreCase"));
  asText_ = new QCheckBox(QStringLiteral("Искать текст, а не HEX"), this);
  asText_->setObjectName(QStringLiteral("hexFindAsText"));
  layout->addWidget(ignoreCase_);
  layout->addWidget(asText_);
  find_ = new QPushButton(QStringLiteral("Искать"), this);
  find_->setObjectName(QStringLiteral("hexFindButton"));
  find_->setDefault(true);
  layout->addWidget(find_);
  result_ = new QLabel(this);
  result_->setObjectName(QStringLiteral("hexFindResult"));
  layout->addWidget(result_);
  connect(find_, &QPushButton::clicked, this, &HexFindDialog::find);
  connect(pattern_->lineEdit(), &QLineEdit::returnPressed, this, &HexFindDialog::find);
}

void HexFindDialog::find() {
  auto* hex = main_->tools().get<HexEditorWindow>(QStringLiteral("HexEditorWindow"));
  if (!hex) return;
  const QString text = pattern_->currentText();
  if (!text.isEmpty() && pattern_->findText(text) < 0) pattern_->insertItem(0, text);
  const auto from = rangeNumber(this, from_->text());
  if (!from) return;
  const auto to = rangeNumber(this, to_->text());
  if (!to) return;
  HexView* view = hex->view();
  std::optional<std::string> pattern;
  if (asText_->isChecked()) {
    std::size_t unmapped = 0;
    const std::string ansi = CodePage::get(CodePageId::Win1251).encodeFromUtf8(text.toStdString(), '?', &unmapped);
    if (unmapped == 0) pattern = patternInTranslation(view->translation(), ansi);
  } else {
    pattern = parseHexBytes(text);
    if (!pattern) {
      showError(this, QStringLiteral("Это не HEX-строка: \"%1\". Введите байты парами шестнадцатеричных цифр, "
                                     "например 4D 5A, или отметьте \"Искать текст, а не HEX\".")
                          .arg(text));
      return;
    }
  }
  const bool found = pattern && view->find(*pattern, *from, *to, ignoreCase_->isChecked());
  result_->setText(found ? QStringLiteral("Найдено: 0x%1").arg(QString::number(view->caret(), 16).toUpper())
                         : QStringLiteral("Не найдено"));
}

}  // namespace kiv
