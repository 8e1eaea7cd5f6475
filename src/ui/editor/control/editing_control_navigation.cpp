// Moving the caret in a large wrapped document. The library wraps the lines
// on screen at once and the rest bit by bit while the program is idle; but
// its own caret keys (arrows, Home, End, Page Up/Down, Ctrl+Home/End) first
// wrap every line still waiting when the caret lands past them, which for a
// large file freezes the window for seconds. In a large wrapped document
// those keys are carried out here, with the library's calls that move the
// caret and the view without waiting for the whole document to be wrapped.
// Vertical moves keep the column the caret had before the first of them.

#include <QKeyEvent>

#include "ui/editor/control/editing_control.h"

namespace kiv {

namespace {
// From this size on a full wrap takes long enough to be felt.
constexpr long kLargeDocument = 1L << 20;
}  // namespace

bool EditingControl::navigateWhileWrapping(QKeyEvent* e) {
  if (columnMode_ || !wordWrapOn() || SendScintilla(SCI_GETLENGTH) < kLargeDocument) return false;
  const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  if (mods & (Qt::AltModifier | Qt::MetaModifier)) return false;
  const bool extend = mods & Qt::ShiftModifier;
  const bool ctrl = mods & Qt::ControlModifier;

  const long caret = SendScintilla(SCI_GETCURRENTPOS);
  const long length = SendScintilla(SCI_GETLENGTH);
  const long line = SendScintilla(SCI_LINEFROMPOSITION, caret);
  const long lineHeight = std::max(1L, SendScintilla(SCI_TEXTHEIGHT, line));
  long target = -1;
  // Vertical moves keep the column chosen before the first of them.
  const bool vertical = e->key() == Qt::Key_Up || e->key() == Qt::Key_Down || e->key() == Qt::Key_PageUp ||
                        e->key() == Qt::Key_PageDown;
  const long caretX = SendScintilla(SCI_POINTXFROMPOSITION, 0UL, caret) + SendScintilla(SCI_GETXOFFSET);
  if (!vertical || chosenCaret_ != caret) chosenX_ = caretX;
  auto byRows = [&](long rows) {
    const long x = chosenX_ - SendScintilla(SCI_GETXOFFSET);
    long y = SendScintilla(SCI_POINTYFROMPOSITION, 0UL, caret) + rows * lineHeight;
    const long shown = SendScintilla(SCI_LINESONSCREEN);
    if (y < 0 || y >= shown * lineHeight) {
      // Scroll so that the row the caret goes to is on screen.
      const long scroll = y < 0 ? y / lineHeight - (y % lineHeight ? 1 : 0) : y / lineHeight - shown + 1;
      SendScintilla(SCI_LINESCROLL, 0UL, scroll);
      y = SendScintilla(SCI_POINTYFROMPOSITION, 0UL, caret) + rows * lineHeight;
      y = std::clamp(y, 0L, std::max(0L, (shown - 1) * lineHeight));
    }
    return SendScintilla(SCI_POSITIONFROMPOINT, static_cast<unsigned long>(std::max(0L, x)), y + lineHeight / 2);
  };

  switch (e->key()) {
    case Qt::Key_End:
      target = ctrl ? length : SendScintilla(SCI_GETLINEENDPOSITION, line);
      break;
    case Qt::Key_Home:
      if (ctrl) {
        target = 0;
      } else {
        const long indent = SendScintilla(SCI_GETLINEINDENTPOSITION, line);
        target = caret == indent ? SendScintilla(SCI_POSITIONFROMLINE, line) : indent;
      }
      break;
    case Qt::Key_PageDown:
    case Qt::Key_PageUp: {
      if (ctrl) return false;
      const long page = std::max(1L, SendScintilla(SCI_LINESONSCREEN) - 1);
      const long dir = e->key() == Qt::Key_PageDown ? 1 : -1;
      const long x = chosenX_ - SendScintilla(SCI_GETXOFFSET);
      const long y = SendScintilla(SCI_POINTYFROMPOSITION, 0UL, caret);
      SendScintilla(SCI_LINESCROLL, 0UL, dir * page);
      const long shown = SendScintilla(SCI_LINESONSCREEN);
      const long row = std::clamp(y, 0L, std::max(0L, (shown - 1) * lineHeight));
      target = SendScintilla(SCI_POSITIONFROMPOINT, static_cast<unsigned long>(std::max(0L, x)), row + lineHeight / 2);
      // At the ends of the document the caret goes all the way.
      if (target == caret) target = dir > 0 ? length : 0;
      break;
    }
    case Qt::Key_Up:
    case Qt::Key_Down:
      if (ctrl) return false;
      target = byRows(e->key() == Qt::Key_Down ? 1 : -1);
      if (target == caret) target = e->key() == Qt::Key_Down ? SendScintilla(SCI_GETLINEENDPOSITION, line) : caret;
      break;
    case Qt::Key_Left:
      if (!extend && SendScintilla(SCI_GETSELECTIONEMPTY) == 0) target = SendScintilla(SCI_GETSELECTIONSTART);
      else if (ctrl) target = SendScintilla(SCI_WORDSTARTPOSITION, static_cast<unsigned long>(SendScintilla(SCI_POSITIONBEFORE, caret)), 1L);
      else target = SendScintilla(SCI_POSITIONBEFORE, caret);
      break;
    case Qt::Key_Right:
      if (!extend && SendScintilla(SCI_GETSELECTIONEMPTY) == 0) target = SendScintilla(SCI_GETSELECTIONEND);
      else if (ctrl) target = SendScintilla(SCI_WORDENDPOSITION, static_cast<unsigned long>(SendScintilla(SCI_POSITIONAFTER, caret)), 1L);
      else target = SendScintilla(SCI_POSITIONAFTER, caret);
      break;
    default:
      return false;
  }
  target = std::clamp(target, 0L, length);
  if (extend) SendScintilla(SCI_SETSEL, SendScintilla(SCI_GETANCHOR), target);
  else SendScintilla(SCI_SETEMPTYSELECTION, target);
  SendScintilla(SCI_SCROLLCARET);
  // Only a vertical move keeps the column for the next one; after any other
  // the next vertical move starts from where the caret is.
  chosenCaret_ = vertical ? SendScintilla(SCI_GETCURRENTPOS) : -1;
  return true;
}

}  // namespace kiv
