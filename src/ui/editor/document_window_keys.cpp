// Keys of the document window, handled before the editing control sees them.

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

#include "core/charsets/case1251.h"
#include "core/charsets/cyrillic_conversions.h"
#include "core/common/ascii.h"
#include "core/document/document_rules.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/control/find_dialog.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"

namespace kiv {

namespace {

// The Latin letter on the key that produced the event, whatever the layout:
// Russian ЙЦУКЕН letters map to the Latin letter on the same key.
char latinLetterOf(const QKeyEvent* e) {
  const int key = e->key();
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<char>('A' + (key - Qt::Key_A));
  static const struct {
    char16_t cyr;
    char latin;
  } layout[] = {
      {u'Й', 'Q'}, {u'Ц', 'W'}, {u'У', 'E'}, {u'К', 'R'}, {u'Е', 'T'}, {u'Н', 'Y'}, {u'Г', 'U'}, {u'Ш', 'I'},
      {u'Щ', 'O'}, {u'З', 'P'}, {u'Ф', 'A'}, {u'Ы', 'S'}, {u'В', 'D'}, {u'А', 'F'}, {u'П', 'G'}, {u'Р', 'H'},
      {u'О', 'J'}, {u'Л', 'K'}, {u'Д', 'L'}, {u'Я', 'Z'}, {u'Ч', 'X'}, {u'С', 'C'}, {u'М', 'V'}, {u'И', 'B'},
      {u'Т', 'N'}, {u'Ь', 'M'},
  };
  const QChar upper = QChar(static_cast<char16_t>(key)).toUpper();
  for (const auto& l : layout)
    if (upper.unicode() == l.cyr) return l.latin;
  return 0;
}

}  // namespace

// Every key the window acts on is consumed, whether or not its condition
// holds: the control never sees it, so it neither types the key's letter
// after the action nor runs a binding of its own.
bool DocumentWindow::handleKey(QKeyEvent* e) {
  const Qt::KeyboardModifiers mods = e->modifiers();
  const bool ctrl = mods & Qt::ControlModifier;
  const bool alt = mods & Qt::AltModifier;
  const bool shift = mods & Qt::ShiftModifier;
  const int key = e->key();
  const bool selection = control_->hasSelectedText();
  const Settings& s = settings();

  // While the template list is open, Tab chooses its entry, as Enter does.
  if (key == Qt::Key_Tab && templateListShown()) return false;
  if (key == Qt::Key_Delete && !ctrl && !alt && !shift && selection) {
    control_->replaceSelectionBytes("");
    return true;
  }
  if (key == Qt::Key_Tab && !ctrl && !alt && !shift) {
    for (int i = 0; i < s.tabWidth(); ++i) control_->typeRaw(QStringLiteral(" "));
    return true;
  }
  if (key == Qt::Key_Space && ctrl && shift && !alt) {
    control_->insertBytesAtCaret("&nbsp;");
    return true;
  }
  if ((key == Qt::Key_Return || key == Qt::Key_Enter) && ctrl && !alt) {
    control_->insertBytesAtCaret("<br>");
    return true;
  }
  if ((key == Qt::Key_Up || key == Qt::Key_Down) && ctrl && !alt && !shift) {
    if (selection) {
      const long a = control_->SendScintilla(QsciScintillaBase::SCI_GETANCHOR);
      const long c = control_->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
      const std::string win = toWin1251Reversibly(control_->selectedBytes(), charset());
      const std::string mapped = key == Qt::Key_Up ? upperCase1251(win) : lowerCase1251(win);
      control_->replaceSelectionBytes(fromWin1251Reversibly(mapped, charset()));
      control_->SendScintilla(QsciScintillaBase::SCI_SETSEL, a, c);
    }
    return true;
  }
  if (key == Qt::Key_K && ctrl && alt) {
    // The system's keyboard layouts are switched by the desktop, not by programs.
    return true;
  }
  if (key == Qt::Key_J && ctrl && !alt && !shift) {
    expandTemplateAtCaret();
    return true;
  }
  if (key == Qt::Key_Y && ctrl && !alt && !shift) {
    const int line = control_->caretLine();
    const long start = control_->SendScintilla(QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<long>(line));
    const long end = control_->SendScintilla(QsciScintillaBase::SCI_GETLINEENDPOSITION, static_cast<long>(line));
    control_->SendScintilla(QsciScintillaBase::SCI_SETSEL, start, end);
    control_->replaceSelectionBytes("");
    return true;
  }
  if (!alt) return false;

  // The Alt keys, also together with Ctrl.
  if ((key == Qt::Key_Right || key == Qt::Key_Left) && !shift) {
    if (selection) control_->indentSelectedLines(key == Qt::Key_Right);
    return true;
  }
  char tagKey = 0;
  if ((mods & Qt::KeypadModifier) && key == Qt::Key_Plus) tagKey = '+';
  else if ((mods & Qt::KeypadModifier) && key == Qt::Key_Minus) tagKey = '-';
  const char letter = tagKey ? 0 : latinLetterOf(e);
  if (letter == 'P' || letter == 'I' || letter == 'B' || letter == 'H' || letter == 'N') tagKey = letter;
  if (tagKey) {
    if (selection) {
      const auto pair = tagPairForAltKey(tagKey);
      control_->replaceSelectionBytes(std::string(pair->before) + control_->selectedBytes() + std::string(pair->after));
    }
    return true;
  }
  if (letter == 'F') {
    SearchOptions& o = lastSearch();
    o = SearchOptions{};
    o.text = QApplication::clipboard()->text();
    findAndSelect(control_, o);
    return true;
  }
  if (letter == 'G') {
    int n = 0;
    if (parseInt32(QApplication::clipboard()->text().toStdString(), n)) editor_->goToLine(n);
    return true;
  }
  // Alt held with a character key types nothing, as on the desktops where
  // Alt chords are commands (AltGr characters come without the Alt modifier).
  if (!ctrl) {
    const QString text = e->text();
    if (!text.isEmpty() && text.at(0).isPrint()) return true;
  }
  return false;
}

}  // namespace kiv
