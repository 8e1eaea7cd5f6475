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

long& searchStepBytes() {
  static long bytes = 64 * 1024;
  return bytes;
}

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

// The control's bytes [from, to), narrowed to whole UTF-8 characters:
// continuation bytes at the start skipped, a character cut by the end left out.
QByteArray bytesOf(EditingControl* m, long& from, long& to) {
  QByteArray buf(std::max(0L, to - from) + 1, Qt::Uninitialized);
  if (to > from) m->SendScintilla(QsciScintillaBase::SCI_GETTEXTRANGE, from, to, buf.data());
  buf.resize(std::max(0L, to - from));
  auto continuation = [](char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; };
  qsizetype skip = 0;
  while (skip < buf.size() && skip < 3 && continuation(buf[skip])) ++skip;
  buf.remove(0, skip);
  from += static_cast<long>(skip);
  qsizetype lead = buf.size();
  for (int back = 0; back < 4 && lead > 0; ++back) {
    --lead;
    if (!continuation(buf[lead])) break;
  }
  if (lead < buf.size()) {
    const auto c = static_cast<unsigned char>(buf[lead]);
    const qsizetype need = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (lead + need > buf.size()) {
      to -= static_cast<long>(buf.size() - lead);
      buf.resize(lead);
    }
  }
  return buf;
}

long utf8Length(QStringView s) {
  long n = 0;
  for (qsizetype i = 0; i < s.size(); ++i) {
    const char16_t c = s.at(i).unicode();
    if (c < 0x80) n += 1;
    else if (c < 0x800) n += 2;
    else if (QChar::isHighSurrogate(c) && i + 1 < s.size() && QChar::isLowSurrogate(s.at(i + 1).unicode())) {
      n += 4;
      ++i;
    } else n += 3;
  }
  return n;
}

// QChar::toCaseFolded for every unit, with Latin and Cyrillic capitals
// folded inline (the bulk of a Russian text).
void foldInPlace(QString& s) {
  for (QChar& c : s) {
    const char16_t u = c.unicode();
    if (u < 0x80) {
      if (u >= u'A' && u <= u'Z') c = QChar(static_cast<char16_t>(u + 32));
    } else if (u >= 0x410 && u <= 0x42F) {
      c = QChar(static_cast<char16_t>(u + 32));
    } else if (u >= 0x400 && u <= 0x40F) {
      c = QChar(static_cast<char16_t>(u + 80));
    } else if (u < 0x430 || u > 0x45F) {
      c = c.toCaseFolded();
    }
  }
}

enum class Probe { Found, NotHere };

// One step of findOne: the text read from the control at `from` is `raw`,
// folded into `hay`; `fromStart`/`toEnd` say whether its ends are the ends
// of the searched range (then a whole word may touch them). Steps overlap
// by more than a match: a whole-word candidate at the end the search moves
// towards is left to the next step, which sees its neighbour; one at the
// end it comes from was decided by the step before.
Probe probe(const QString& raw, const QString& hay, const QString& needle, const SearchOptions& o, bool fromStart,
            bool toEnd, long from, long& a, long& b) {
  const qsizetype n = needle.size();
  qsizetype at = o.backward ? hay.size() : 0;
  for (;;) {
    if (o.backward) {
      if (at <= 0) return Probe::NotHere;
      at = hay.lastIndexOf(needle, at - 1);
    } else {
      at = hay.indexOf(needle, at);
    }
    if (at < 0) return Probe::NotHere;
    const bool openStart = at == 0 && !fromStart;
    const bool openEnd = at + n == hay.size() && !toEnd;
    if (o.wholeWords && (o.backward ? openStart : openEnd)) return Probe::NotHere;
    if (!o.wholeWords || (!openStart && !openEnd && wholeWordAt(hay, at, n))) break;
    if (!o.backward) ++at;
  }
  a = from + utf8Length(QStringView(raw).left(at));
  b = a + utf8Length(QStringView(raw).mid(at, n));
  return Probe::Found;
}

// The first match after `start` (or the last before it, backward) in the
// scope. The text is read in steps moving away from `start`, each twice
// the one before and overlapping it by more than a match, so the time goes
// with the distance to the match, not the size of the document.
bool findOne(EditingControl* m, const SearchOptions& o, long start, const Scope& scope, long& a, long& b) {
  const QString needle = foldedNeedle(o);
  if (needle.isEmpty()) return false;
  const long from = o.backward ? scope.from : std::max(start, scope.from);
  const long to = o.backward ? std::min(start, scope.to) : scope.to;
  if (to <= from) return false;
  // A match and a character on either side, in UTF-8 bytes.
  const long overlap = 3 * static_cast<long>(needle.size()) + 8;
  long stepFrom = from, stepTo = to;
  for (long step = std::max(1L, searchStepBytes());; step = std::min(step, (to - from) / 2 + 1) * 2) {
    if (o.backward) stepFrom = std::max(from, stepTo - step);
    else stepTo = std::min(to, stepFrom + step);
    long readFrom = stepFrom, readTo = stepTo;
    const QByteArray bytes = bytesOf(m, readFrom, readTo);
    const QString raw = QString::fromUtf8(bytes);
    QString hay = raw;
    if (!o.caseSensitive) foldInPlace(hay);
    if (probe(raw, hay, needle, o, readFrom == from, readTo == to, readFrom, a, b) == Probe::Found) return true;
    if (o.backward ? stepFrom == from : stepTo == to) return false;
    if (o.backward) stepTo = std::min(to, stepFrom + overlap);
    else stepFrom = std::max(from, stepTo - overlap);
  }
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
