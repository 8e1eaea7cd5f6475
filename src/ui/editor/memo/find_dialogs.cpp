#include "ui/editor/memo/find_dialogs.h"

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
#include "ui/editor/memo/memo_control.h"

namespace kiv {

SearchOptions& lastSearch() {
  static SearchOptions options;
  return options;
}

QString notFoundMessage(const QString& text) {
  return QStringLiteral("Строка поиска '%1' не найдена").arg(text);
}

namespace {

int flagsOf(const SearchOptions& o) {
  int f = 0;
  if (o.caseSensitive) f |= QsciScintillaBase::SCFIND_MATCHCASE;
  if (o.wholeWords) f |= QsciScintillaBase::SCFIND_WHOLEWORD;
  return f;
}

struct Scope {
  long from, to;
};

Scope scopeOf(MemoControl* m, const SearchOptions& o) {
  if (o.selectedOnly && m->hasSelectedText())
    return {m->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART),
            m->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND)};
  return {0, m->SendScintilla(QsciScintillaBase::SCI_GETLENGTH)};
}

// Searches [from, to) (backward when from > to); returns the match start or -1.
long searchRange(MemoControl* m, const QByteArray& needle, int flags, long from, long to, long& matchEnd) {
  m->SendScintilla(QsciScintillaBase::SCI_SETSEARCHFLAGS, static_cast<long>(flags));
  m->SendScintilla(QsciScintillaBase::SCI_SETTARGETRANGE, from, to);
  const long found = m->SendScintilla(QsciScintillaBase::SCI_SEARCHINTARGET,
                                      static_cast<uintptr_t>(needle.size()), needle.constData());
  if (found >= 0) matchEnd = m->SendScintilla(QsciScintillaBase::SCI_GETTARGETEND);
  return found;
}

}  // namespace

bool searchMemo(MemoControl* m, const SearchOptions& o, bool reportNotFound) {
  if (o.text.isEmpty()) return false;
  const QByteArray needle = o.text.toUtf8();
  const Scope scope = scopeOf(m, o);
  long start;
  if (o.entireScope) start = o.backward ? scope.to : scope.from;
  else start = o.backward ? m->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART)
                          : m->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND);
  long end = 0;
  const long found = o.backward ? searchRange(m, needle, flagsOf(o), start, scope.from, end)
                                : searchRange(m, needle, flagsOf(o), start, scope.to, end);
  if (found < 0) {
    if (reportNotFound) showMessage(m, notFoundMessage(o.text));
    return false;
  }
  m->SendScintilla(QsciScintillaBase::SCI_SETSEL, found, end);
  m->SendScintilla(QsciScintillaBase::SCI_SCROLLRANGE, end, found);
  return true;
}

namespace {
bool selectionIsMatch(MemoControl* m, const SearchOptions& o) {
  if (!m->hasSelectedText()) return false;
  const QString sel = m->selectedText();
  return o.caseSensitive ? sel == o.text : sel.compare(o.text, Qt::CaseInsensitive) == 0;
}
}  // namespace

bool replaceNext(MemoControl* m, const SearchOptions& o) {
  if (o.text.isEmpty()) return false;
  SearchOptions next = o;
  if (!selectionIsMatch(m, o)) {
    if (!searchMemo(m, o)) return false;
    next.entireScope = false;
  }
  if (o.prompt && !askYesNo(m, QStringLiteral("Заменить это вхождение '%1'?").arg(o.text))) {
    next.entireScope = false;
    searchMemo(m, next, false);
    return true;
  }
  const QByteArray rep = o.replacement.toUtf8();
  const long a = m->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART);
  const long b = m->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND);
  m->SendScintilla(QsciScintillaBase::SCI_SETTARGETRANGE, a, b);
  m->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, static_cast<uintptr_t>(rep.size()), rep.constData());
  const long after = o.backward ? a : a + rep.size();
  m->SendScintilla(QsciScintillaBase::SCI_SETSEL, after, after);
  next.entireScope = false;
  searchMemo(m, next, false);
  return true;
}

int replaceAll(MemoControl* m, const SearchOptions& o) {
  if (o.text.isEmpty()) return 0;
  const QByteArray needle = o.text.toUtf8();
  const QByteArray rep = o.replacement.toUtf8();
  Scope scope = scopeOf(m, o);
  long pos = o.entireScope || o.selectedOnly ? scope.from : m->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART);
  int count = 0;
  bool cancelled = false;
  m->SendScintilla(QsciScintillaBase::SCI_BEGINUNDOACTION);
  while (!cancelled) {
    long end = 0;
    const long found = searchRange(m, needle, flagsOf(o), pos, scope.to, end);
    if (found < 0) break;
    if (o.prompt) {
      m->SendScintilla(QsciScintillaBase::SCI_SETSEL, found, end);
      const int answer = askYesNoCancel(m, QStringLiteral("Заменить это вхождение '%1'?").arg(o.text));
      if (answer == QMessageBox::Cancel) break;
      if (answer != QMessageBox::Yes) {
        pos = end > found ? end : found + 1;
        continue;
      }
    }
    m->SendScintilla(QsciScintillaBase::SCI_SETTARGETRANGE, found, end);
    m->SendScintilla(QsciScintillaBase::SCI_REPLACETARGET, static_cast<uintptr_t>(rep.size()), rep.constData());
    ++count;
    pos = found + rep.size();
    scope.to += rep.size() - (end - found);
    if (end == found) ++pos;  // never loop on an empty match
  }
  m->SendScintilla(QsciScintillaBase::SCI_ENDUNDOACTION);
  if (count == 0 && !cancelled) showMessage(m, notFoundMessage(o.text));
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
