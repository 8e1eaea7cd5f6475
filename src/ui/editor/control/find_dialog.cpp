#include "ui/editor/control/find_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/common/dialogs.h"
#include "ui/editor/control/editing_control.h"

namespace kiv {

SearchOptions& lastSearch() {
  static SearchOptions options;
  return options;
}

QString notFoundMessage(const QString& text) {
  return QStringLiteral("Строка поиска '%1' не найдена").arg(text);
}

namespace {

struct Scope {
  long from, to;
};

Scope scopeOf(EditingControl* m, const SearchOptions& o) {
  if (o.selectedOnly && m->hasSelectedText())
    return {m->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART),
            m->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND)};
  return {0, m->SendScintilla(QsciScintillaBase::SCI_GETLENGTH)};
}

bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

// The text of [from, to) as a string whose characters stand one for one
// for the control's characters, folded when case does not matter.
QString haystack(EditingControl* m, long from, long to, bool fold) {
  std::string buf(static_cast<std::size_t>(std::max(0L, to - from)) + 1, '\0');
  if (to > from) m->SendScintilla(QsciScintillaBase::SCI_GETTEXTRANGE, from, to, buf.data());
  buf.resize(static_cast<std::size_t>(std::max(0L, to - from)));
  QString s = QString::fromUtf8(buf.data(), static_cast<qsizetype>(buf.size()));
  if (fold)
    for (QChar& c : s) c = c.toCaseFolded();
  return s;
}

QString foldedNeedle(const SearchOptions& o) {
  QString n = o.text;
  if (!o.caseSensitive)
    for (QChar& c : n) c = c.toCaseFolded();
  return n;
}

bool wholeWordAt(const QString& hay, qsizetype at, qsizetype len) {
  if (at > 0 && isWordChar(hay.at(at - 1))) return false;
  if (at + len < hay.size() && isWordChar(hay.at(at + len))) return false;
  return true;
}

// Every match in [from, to) as control positions (start, end).
std::vector<std::pair<long, long>> allMatches(EditingControl* m, const SearchOptions& o, long from, long to) {
  std::vector<std::pair<long, long>> out;
  const QString needle = foldedNeedle(o);
  if (needle.isEmpty() || to <= from) return out;
  const QString hay = haystack(m, from, to, !o.caseSensitive);
  qsizetype at = 0;
  long pos = from;
  qsizetype posIndex = 0;
  while ((at = hay.indexOf(needle, at)) >= 0) {
    if (!o.wholeWords || wholeWordAt(hay, at, needle.size())) {
      pos = m->SendScintilla(QsciScintillaBase::SCI_POSITIONRELATIVE, pos, static_cast<long>(at - posIndex));
      posIndex = at;
      const long end = m->SendScintilla(QsciScintillaBase::SCI_POSITIONRELATIVE, pos, static_cast<long>(needle.size()));
      out.emplace_back(pos, end);
      at += needle.size();
    } else {
      ++at;
    }
  }
  return out;
}

// The first match after `start` (or the last before it, backward) in the scope.
bool findOne(EditingControl* m, const SearchOptions& o, long start, const Scope& scope, long& a, long& b) {
  const QString needle = foldedNeedle(o);
  if (needle.isEmpty()) return false;
  const long from = o.backward ? scope.from : std::max(start, scope.from);
  const long to = o.backward ? std::min(start, scope.to) : scope.to;
  if (to <= from) return false;
  const QString hay = haystack(m, from, to, !o.caseSensitive);
  qsizetype at = o.backward ? hay.size() : 0;
  for (;;) {
    if (o.backward) {
      if (at <= 0) return false;
      at = hay.lastIndexOf(needle, at - 1);
    } else {
      at = hay.indexOf(needle, at);
    }
    if (at < 0) return false;
    if (!o.wholeWords || wholeWordAt(hay, at, needle.size())) break;
    if (!o.backward) ++at;
  }
  a = m->SendScintilla(QsciScintillaBase::SCI_POSITIONRELATIVE, from, static_cast<long>(at));
  b = m->SendScintilla(QsciScintillaBase::SCI_POSITIONRELATIVE, a, static_cast<long>(needle.size()));
  return true;
}

void replaceRange(EditingControl* m, long a, long b, const QByteArray& rep) {
  m->SendScintilla(QsciScintillaBase::SCI_SETTARGETRANGE, a, b);
  m->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, static_cast<uintptr_t>(rep.size()), rep.constData());
}

}  // namespace

bool findAndSelect(EditingControl* m, const SearchOptions& o, bool reportNotFound) {
  if (o.text.isEmpty()) return false;
  const Scope scope = scopeOf(m, o);
  long start;
  if (o.entireScope) start = o.backward ? scope.to : scope.from;
  else start = o.backward ? m->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART)
                          : m->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND);
  long a = 0, b = 0;
  if (!findOne(m, o, start, scope, a, b)) {
    if (reportNotFound) showMessage(m, notFoundMessage(o.text));
    return false;
  }
  m->SendScintilla(QsciScintillaBase::SCI_SETSEL, a, b);
  m->SendScintilla(QsciScintillaBase::SCI_SCROLLRANGE, b, a);
  return true;
}

namespace {
bool selectionIsMatch(EditingControl* m, const SearchOptions& o) {
  if (!m->hasSelectedText()) return false;
  const QString sel = m->selectedText();
  return o.caseSensitive ? sel == o.text : sel.compare(o.text, Qt::CaseInsensitive) == 0;
}
}  // namespace

bool replaceNext(EditingControl* m, const SearchOptions& o) {
  if (o.text.isEmpty()) return false;
  SearchOptions next = o;
  next.entireScope = false;
  if (!selectionIsMatch(m, o) && !findAndSelect(m, o)) return false;
  if (o.prompt && !askYesNo(m, QStringLiteral("Заменить это вхождение '%1'?").arg(o.text))) {
    findAndSelect(m, next, false);
    return true;
  }
  const QByteArray rep = o.replacement.toUtf8();
  const long a = m->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART);
  const long b = m->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND);
  m->SendScintilla(QsciScintillaBase::SCI_BEGINUNDOACTION);
  replaceRange(m, a, b, rep);
  m->SendScintilla(QsciScintillaBase::SCI_ENDUNDOACTION);
  const long after = o.backward ? a : a + rep.size();
  m->SendScintilla(QsciScintillaBase::SCI_SETSEL, after, after);
  findAndSelect(m, next, false);
  return true;
}

int replaceAll(EditingControl* m, const SearchOptions& o) {
  if (o.text.isEmpty()) return 0;
  const QByteArray rep = o.replacement.toUtf8();
  const Scope scope = scopeOf(m, o);
  const long from = o.entireScope || o.selectedOnly ? scope.from
                                                    : m->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART);
  const auto matches = allMatches(m, o, from, scope.to);
  int count = 0;
  long shift = 0;
  m->SendScintilla(QsciScintillaBase::SCI_BEGINUNDOACTION);
  for (const auto& [a0, b0] : matches) {
    const long a = a0 + shift, b = b0 + shift;
    if (o.prompt) {
      m->SendScintilla(QsciScintillaBase::SCI_SETSEL, a, b);
      m->SendScintilla(QsciScintillaBase::SCI_SCROLLRANGE, b, a);
      const int answer = askYesNoCancel(m, QStringLiteral("Заменить это вхождение '%1'?").arg(o.text));
      if (answer == QMessageBox::Cancel) break;
      if (answer != QMessageBox::Yes) continue;
    }
    replaceRange(m, a, b, rep);
    shift += rep.size() - (b - a);
    ++count;
  }
  m->SendScintilla(QsciScintillaBase::SCI_ENDUNDOACTION);
  if (matches.empty()) showMessage(m, notFoundMessage(o.text));
  return count;
}

// ---------------------------------------------------------------------------

FindDialog::FindDialog(QWidget* parent, bool withReplace) : QDialog(parent), replace_(withReplace) {
  setWindowTitle(withReplace ? QStringLiteral("Замена текста") : QStringLiteral("Поиск текста"));
  auto* layout = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  find_ = new QComboBox(this);
  find_->setEditable(true);
  find_->setMinimumWidth(280);
  auto* findLabel = new QLabel(QStringLiteral("&Искать:"), this);
  findLabel->setBuddy(find_);
  grid->addWidget(findLabel, 0, 0);
  grid->addWidget(find_, 0, 1);
  if (withReplace) {
    with_ = new QComboBox(this);
    with_->setEditable(true);
    auto* withLabel = new QLabel(QStringLiteral("&Заменить на:"), this);
    withLabel->setBuddy(with_);
    grid->addWidget(withLabel, 1, 0);
    grid->addWidget(with_, 1, 1);
  }
  layout->addLayout(grid);

  auto* options = new QGroupBox(QStringLiteral("Параметры"), this);
  auto* ol = new QVBoxLayout(options);
  case_ = new QCheckBox(QStringLiteral("С учётом &регистра"), options);
  words_ = new QCheckBox(QStringLiteral("Только &слова целиком"), options);
  regex_ = new QCheckBox(QStringLiteral("Р&егулярные выражения"), options);
  regex_->setEnabled(false);
  ol->addWidget(case_);
  ol->addWidget(words_);
  ol->addWidget(regex_);
  if (withReplace) {
    prompt_ = new QCheckBox(QStringLiteral("&Подтверждать замену"), options);
    ol->addWidget(prompt_);
  }
  auto* row = new QHBoxLayout;
  row->addWidget(options);

  auto* dir = new QGroupBox(QStringLiteral("Направление"), this);
  auto* dl = new QVBoxLayout(dir);
  forward_ = new QRadioButton(QStringLiteral("&Вперёд"), dir);
  backward_ = new QRadioButton(QStringLiteral("&Назад"), dir);
  forward_->setChecked(true);
  dl->addWidget(forward_);
  dl->addWidget(backward_);
  row->addWidget(dir);
  layout->addLayout(row);

  auto* row2 = new QHBoxLayout;
  auto* origin = new QGroupBox(QStringLiteral("Начало"), this);
  auto* orl = new QVBoxLayout(origin);
  fromCursor_ = new QRadioButton(QStringLiteral("От &курсора"), origin);
  entire_ = new QRadioButton(QStringLiteral("Во всей &области"), origin);
  fromCursor_->setChecked(true);
  orl->addWidget(fromCursor_);
  orl->addWidget(entire_);
  row2->addWidget(origin);
  auto* scope = new QGroupBox(QStringLiteral("Область"), this);
  auto* sl = new QVBoxLayout(scope);
  global_ = new QRadioButton(QStringLiteral("Весь &текст"), scope);
  selected_ = new QRadioButton(QStringLiteral("Вы&деленный текст"), scope);
  global_->setChecked(true);
  sl->addWidget(global_);
  sl->addWidget(selected_);
  row2->addWidget(scope);
  layout->addLayout(row2);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("ОК"), QDialogButtonBox::AcceptRole);
  if (withReplace) {
    QPushButton* all = buttons->addButton(QStringLiteral("Заменить &все"), QDialogButtonBox::ActionRole);
    connect(all, &QPushButton::clicked, this, [this] {
      replaceAll_ = true;
      accept();
    });
  }
  buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

void FindDialog::load(const SearchOptions& o) {
  find_->setEditText(o.text);
  if (with_) with_->setEditText(o.replacement);
  case_->setChecked(o.caseSensitive);
  words_->setChecked(o.wholeWords);
  (o.backward ? backward_ : forward_)->setChecked(true);
  (o.entireScope ? entire_ : fromCursor_)->setChecked(true);
  (o.selectedOnly ? selected_ : global_)->setChecked(true);
  if (prompt_) prompt_->setChecked(o.prompt);
  find_->lineEdit()->selectAll();
  find_->setFocus();
}

SearchOptions FindDialog::options() const {
  SearchOptions o = lastSearch();
  o.text = find_->currentText();
  if (with_) o.replacement = with_->currentText();
  o.caseSensitive = case_->isChecked();
  o.wholeWords = words_->isChecked();
  o.backward = backward_->isChecked();
  o.entireScope = entire_->isChecked();
  o.selectedOnly = selected_->isChecked();
  if (prompt_) o.prompt = prompt_->isChecked();
  return o;
}

}  // namespace kiv
