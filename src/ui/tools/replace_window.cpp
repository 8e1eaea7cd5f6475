#include "ui/tools/replace_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "core/charsets/code_page.h"
#include "core/charsets/utf8.h"
#include "core/common/file_bytes.h"
#include "core/common/replace_all.h"
#include "core/common/text_lines.h"
#include "ui/app/main_window.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"

namespace kiv {

namespace {

std::function<void(ReplaceWindow&)>& scriptedUse() {
  static std::function<void(ReplaceWindow&)> use;
  return use;
}

// A text in the bytes of a document's code page; nullopt when the code page
// lacks one of its characters (the error names it).
std::optional<std::string> inCodePage(const QString& text, const std::string& charset, QString* error) {
  const std::string utf8 = u8(text);
  std::size_t unmapped = 0;
  std::string bytes = CodePage::ofCharset(charset).encodeFromUtf8(utf8, '?', &unmapped);
  if (unmapped == 0) return bytes;
  if (error) {
    const CodePage& page = CodePage::ofCharset(charset);
    QString lacking;
    for (const QChar* c = text.constData(); !c->isNull(); ++c) {
      const char32_t cp = c->isHighSurrogate() ? QChar::surrogateToUcs4(c[0], c[1]) : c->unicode();
      if (page.fromUnicode(cp) < 0) {
        lacking = QString::fromUcs4(&cp, 1);
        break;
      }
      if (c->isHighSurrogate()) ++c;
    }
    *error = QStringLiteral("В кодовой странице документа нет символа «%1»: замена не сделана.").arg(lacking);
  }
  return std::nullopt;
}

// A pair file's text: UTF-8 when it reads as UTF-8, Windows-1251 otherwise.
QString decodePairFile(std::string bytes) {
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
  if (isValidUtf8(bytes)) return qs(bytes);
  return qs(CodePage::get(CodePageId::Win1251).decodeToUtf8(bytes));
}

}  // namespace

ReplaceWindow::ReplaceWindow(MainWindow* main)
    : ToolWindow(main, QStringLiteral("ReplaceWindow"), QStringLiteral("Найти и заменить"), true) {
  auto* grid = new QGridLayout(this);
  find_ = new QComboBox(this);
  find_->setObjectName(QStringLiteral("findto"));
  replace_ = new QComboBox(this);
  replace_->setObjectName(QStringLiteral("replaceon"));
  for (QComboBox* box : {find_, replace_}) {
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);  // "Делать" keeps the history
    box->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  }
  grid->addWidget(new QLabel(QStringLiteral("Найти"), this), 0, 0);
  grid->addWidget(find_, 0, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("Заменить на:"), this), 1, 0);
  grid->addWidget(replace_, 1, 1, 1, 2);

  multi_ = new QCheckBox(QStringLiteral("Мультизамена"), this);
  multi_->setObjectName(QStringLiteral("CheckBox1"));
  grid->addWidget(multi_, 2, 0, 1, 3);

  fileEdit_ = new QLineEdit(this);
  fileEdit_->setObjectName(QStringLiteral("DCFileNameEdit1"));
  fileEdit_->setToolTip(QStringLiteral("Файл пар: выберите кнопкой или введите имя и нажмите Enter"));
  auto* browse = new QToolButton(this);
  browse->setObjectName(QStringLiteral("DCFileNameEdit1Button"));
  browse->setText(QStringLiteral("..."));
  grid->addWidget(fileEdit_, 3, 0, 1, 2);
  grid->addWidget(browse, 3, 2);

  list_ = new QPlainTextEdit(this);
  list_->setObjectName(QStringLiteral("Memo1"));
  list_->setLineWrapMode(QPlainTextEdit::NoWrap);
  list_->setToolTip(QStringLiteral("Пары замены, по одной в строке: что=на что"));
  grid->addWidget(list_, 4, 0, 1, 3);
  grid->setRowStretch(4, 1);

  auto* buttons = new QHBoxLayout;
  do_ = new QPushButton(QStringLiteral("Делать"), this);
  do_->setObjectName(QStringLiteral("Button1"));
  do_->setDefault(true);
  cancel_ = new QPushButton(QStringLiteral("Отмена"), this);
  cancel_->setObjectName(QStringLiteral("Button2"));
  save_ = new QPushButton(QStringLiteral("SAVE"), this);
  save_->setObjectName(QStringLiteral("Button3"));
  buttons->addWidget(do_);
  buttons->addWidget(cancel_);
  buttons->addStretch(1);
  buttons->addWidget(save_);
  grid->addLayout(buttons, 5, 0, 1, 3);

  connect(do_, &QPushButton::clicked, this, &ReplaceWindow::doReplace);
  connect(cancel_, &QPushButton::clicked, this, [this] { finish(false); });
  connect(save_, &QPushButton::clicked, this, &ReplaceWindow::saveWithDialog);
  connect(browse, &QToolButton::clicked, this, &ReplaceWindow::choosePairFile);
  connect(fileEdit_, &QLineEdit::returnPressed, this, [this] {
    if (!fileEdit_->text().isEmpty()) loadPairFile(fileEdit_->text());
  });
  resize(440, 360);
  hide();
}

void ReplaceWindow::setScriptedUse(std::function<void(ReplaceWindow&)> use) { scriptedUse() = std::move(use); }

bool ReplaceWindow::multi() const { return multi_->isChecked(); }
QString ReplaceWindow::findText() const { return find_->currentText(); }
QString ReplaceWindow::replaceText() const { return replace_->currentText(); }
QString ReplaceWindow::pairListText() const { return list_->toPlainText(); }

bool ReplaceWindow::execModal(const std::string& workingText, const std::string& charset) {
  workingText_ = workingText;
  charset_ = charset;
  accepted_ = false;
  if (QWidget* owner = mainWindow()) move(owner->geometry().center() - rect().center());
  if (dialogScript()) {
    show();
    if (scriptedUse()) scriptedUse()(*this);
    if (isVisible()) finish(false);
    return accepted_;
  }
  setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  activateWindow();
  find_->setFocus();
  QEventLoop loop;
  loop_ = &loop;
  loop.exec();
  loop_ = nullptr;
  setWindowModality(Qt::NonModal);
  return accepted_;
}

void ReplaceWindow::doReplace() {
  find_->addItem(find_->currentText());
  replace_->addItem(replace_->currentText());
  find_->setCurrentIndex(find_->count() - 1);
  replace_->setCurrentIndex(replace_->count() - 1);
  if (!multi()) {
    QString error;
    const auto what = inCodePage(findText(), charset_, &error);
    const auto with = what ? inCodePage(replaceText(), charset_, &error) : std::nullopt;
    if (!what || !with) {
      showError(this, error);
      return;
    }
    workingText_ = replaceAll(workingText_, *what, *with);
  }
  finish(true);
}

std::optional<std::vector<ReplacePair>> ReplaceWindow::pairs(const std::string& charset, QString* error) const {
  std::vector<ReplacePair> out;
  for (const QString& line : list_->toPlainText().split(QLatin1Char('\n'))) {
    const auto bytes = inCodePage(line, charset, error);
    if (!bytes) return std::nullopt;
    out.push_back(parseReplacePair(*bytes));
  }
  return out;
}

void ReplaceWindow::finish(bool ok) {
  accepted_ = ok;
  hide();
  if (loop_) loop_->quit();
}

void ReplaceWindow::closeEvent(QCloseEvent* e) {
  ToolWindow::closeEvent(e);
  accepted_ = false;
  if (loop_) loop_->quit();
}

void ReplaceWindow::choosePairFile() {
  const auto chosen = chooseFilesToOpen(this, QStringLiteral("Файл пар"), fileEdit_->text(), {}, false);
  if (!chosen || chosen->isEmpty()) return;
  fileEdit_->setText(chosen->first());
  loadPairFile(chosen->first());
}

bool ReplaceWindow::loadPairFile(const QString& path) {
  const auto bytes = readFileBytes(spath(path));
  if (!bytes) {
    showError(this, QStringLiteral("Не удалось прочитать файл пар %1; список пар не изменён.").arg(path));
    return false;
  }
  const std::vector<std::string> lines = splitLines(u8(decodePairFile(*bytes)));
  QStringList text;
  for (const std::string& l : lines) text << qs(l);
  list_->setPlainText(text.join(QLatin1Char('\n')));
  return true;
}

bool ReplaceWindow::savePairFile(const QString& path) {
  // Windows-1251 when every character has a byte there (the pair files of
  // Windows programs), UTF-8 otherwise; loading tells them apart.
  std::string bytes;
  for (const QString& line : list_->toPlainText().split(QLatin1Char('\n'))) bytes += u8(line) + "\r\n";
  if (list_->toPlainText().isEmpty()) bytes.clear();
  std::size_t unmapped = 0;
  std::string cp1251 = CodePage::get(CodePageId::Win1251).encodeFromUtf8(bytes, '?', &unmapped);
  if (unmapped == 0) bytes = std::move(cp1251);
  std::string why;
  if (!writeFileAtomically(spath(path), bytes, &why)) {
    showError(this, why.empty() ? QStringLiteral("Cannot create file %1").arg(path) : qs(why));
    return false;
  }
  return true;
}

void ReplaceWindow::saveWithDialog() {
  const auto target = chooseFileToSave(this, QStringLiteral("Сохранить пары"), fileEdit_->text(), {}, 0, QString());
  if (target) savePairFile(*target);
}

}  // namespace kiv
