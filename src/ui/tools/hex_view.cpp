#include "ui/tools/hex_view.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <QWheelEvent>
#include <algorithm>

#include "core/charsets/code_page.h"
#include "core/common/file_bytes.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"

namespace kiv {

namespace {

// The vertical scroll bar's range when the rows outnumber it.
constexpr int kScrollRange = 1 << 30;

const char kHexDigits[] = "0123456789ABCDEF";

QColor inverse(const QColor& c) { return QColor(255 - c.red(), 255 - c.green(), 255 - c.blue()); }

int markerDigit(int key) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return key - Qt::Key_0;
  // With Shift held the keyboard may report the shifted sign of the digit key.
  static const int shifted[10] = {Qt::Key_ParenRight, Qt::Key_Exclam,  Qt::Key_At,        Qt::Key_NumberSign,
                                  Qt::Key_Dollar,     Qt::Key_Percent, Qt::Key_AsciiCircum, Qt::Key_Ampersand,
                                  Qt::Key_Asterisk,   Qt::Key_ParenLeft};
  for (int d = 0; d < 10; ++d)
    if (key == shifted[d]) return d;
  return -1;
}

}  // namespace

HexView::HexView(QWidget* parent) : QAbstractScrollArea(parent) {
  setObjectName(QStringLiteral("HexView"));
  QFont f(QStringLiteral("Courier"), 12);
  f.setStyleHint(QFont::TypeWriter);
  f.setFixedPitch(true);
  setFont(f);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setCursor(Qt::IBeamCursor);
  viewport()->setAutoFillBackground(false);
  updateMetrics();
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    if (settingScrollBar_) return;
    const std::uint64_t rows = rowCount();
    const std::uint64_t visible = static_cast<std::uint64_t>(std::max(1, visibleRows()));
    const std::uint64_t maxTop = rows > visible ? rows - visible : 0;
    if (maxTop > static_cast<std::uint64_t>(kScrollRange))
      topRow_ = static_cast<std::uint64_t>(static_cast<unsigned __int128>(value) * maxTop / kScrollRange);
    else
      topRow_ = static_cast<std::uint64_t>(value);
    viewport()->update();
  });
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, viewport(), [this] { viewport()->update(); });
  updateScrollBars();
}

void HexView::updateMetrics() {
  const QFontMetrics fm(font());
  charWidth_ = std::max(1, fm.horizontalAdvance(QLatin1Char('w')));
  rowHeight_ = fm.boundingRect(QStringLiteral("yY")).height() + 2;
  rowHeight_ = std::max(rowHeight_, fm.height() + 2);
}

void HexView::documentReset() {
  anchor_.reset();
  pressed_.reset();
  caret_ = std::min(caret_, lastOffset());
  if (doc_.size() == 0) caret_ = 0;
  updateScrollBars();
  ensureCaretVisible();
  viewport()->update();
  emit caretMoved();
  emit modifiedChanged();
}

std::uint64_t HexView::rowCount() const {
  const std::uint64_t bpl = static_cast<std::uint64_t>(bytesPerLine_);
  return std::max<std::uint64_t>(1, (doc_.size() + bpl - 1) / bpl);
}

std::uint64_t HexView::lastOffset() const { return doc_.size() ? doc_.size() - 1 : 0; }

int HexView::visibleRows() const { return std::max(1, viewport()->height() / rowHeight_); }

int HexView::offsetDigits() const {
  const std::uint64_t last = (rowCount() - 1) * static_cast<std::uint64_t>(bytesPerLine_);
  int digits = 1;
  for (std::uint64_t v = last >> 4; v; v >>= 4) ++digits;
  return digits;
}

QString HexView::offsetText(std::uint64_t row) const {
  QString digits = QString::number(row * static_cast<std::uint64_t>(bytesPerLine_), 16).toUpper();
  return QStringLiteral("0x") + digits.rightJustified(offsetDigits(), QLatin1Char('0')) + QLatin1Char(':');
}

int HexView::fixedWidth() const { return (offsetDigits() + 3) * charWidth_ + charWidth_; }

int HexView::hexAreaWidth() const {
  const int groups = (bytesPerLine_ + bytesPerColumn_ - 1) / bytesPerColumn_;
  return 2 * charWidth_ * bytesPerLine_ + charWidth_ * groups;
}

int HexView::dataWidth() const { return hexAreaWidth() + charWidth_ + charWidth_ * bytesPerLine_; }

int HexView::hexX(int i) const { return 2 * charWidth_ * i + charWidth_ * (i / bytesPerColumn_); }

int HexView::charX(int i) const { return hexAreaWidth() + charWidth_ + charWidth_ * i; }

void HexView::updateScrollBars() {
  settingScrollBar_ = true;
  const std::uint64_t rows = rowCount();
  const std::uint64_t visible = static_cast<std::uint64_t>(visibleRows());
  const std::uint64_t maxTop = rows > visible ? rows - visible : 0;
  topRow_ = std::min(topRow_, maxTop);
  QScrollBar* v = verticalScrollBar();
  if (maxTop > static_cast<std::uint64_t>(kScrollRange)) {
    v->setRange(0, kScrollRange);
    v->setPageStep(std::max(1, static_cast<int>(static_cast<unsigned __int128>(visible) * kScrollRange / maxTop)));
    v->setValue(static_cast<int>(static_cast<unsigned __int128>(topRow_) * kScrollRange / maxTop));
  } else {
    v->setRange(0, static_cast<int>(maxTop));
    v->setPageStep(static_cast<int>(visible));
    v->setValue(static_cast<int>(topRow_));
  }
  v->setSingleStep(1);
  QScrollBar* h = horizontalScrollBar();
  h->setRange(0, std::max(0, dataWidth() - (viewport()->width() - fixedWidth())));
  h->setPageStep(std::max(1, viewport()->width() - fixedWidth()));
  h->setSingleStep(charWidth_);
  settingScrollBar_ = false;
}

void HexView::scrollToRow(std::uint64_t row) {
  topRow_ = row;
  updateScrollBars();
  viewport()->update();
}

void HexView::scrollContentsBy(int, int) { viewport()->update(); }

void HexView::resizeEvent(QResizeEvent* e) {
  QAbstractScrollArea::resizeEvent(e);
  updateScrollBars();
}

void HexView::setBytesPerLine(int n) {
  bytesPerLine_ = std::clamp(n, 1, 256);
  updateScrollBars();
  ensureCaretVisible();
  viewport()->update();
}

void HexView::setBytesPerColumn(int n) {
  bytesPerColumn_ = std::max(1, n);
  updateScrollBars();
  viewport()->update();
}

void HexView::setTranslation(ByteTranslation t) {
  translation_ = t;
  viewport()->update();
}

void HexView::setCaret(std::uint64_t offset, bool inCharacters) {
  inCharacters_ = inCharacters;
  anchor_.reset();
  moveCaretTo(offset, false, false);
}

std::optional<std::pair<std::uint64_t, std::uint64_t>> HexView::selection() const {
  if (!anchor_ || doc_.size() == 0) return std::nullopt;
  return std::make_pair(std::min(*anchor_, caret_), std::max(*anchor_, caret_));
}

void HexView::select(std::uint64_t first, std::uint64_t last) {
  anchor_ = std::min(first, lastOffset());
  caret_ = std::min(last, lastOffset());
  lowDigit_ = false;
  ensureCaretVisible();
  viewport()->update();
  emit caretMoved();
}

void HexView::moveCaretTo(std::uint64_t offset, bool lowDigit, bool extend) {
  if (extend && !anchor_) anchor_ = caret_;
  if (!extend) anchor_.reset();
  caret_ = std::min(offset, lastOffset());
  lowDigit_ = lowDigit && !inCharacters_;
  ensureCaretVisible();
  viewport()->update();
  emit caretMoved();
}

void HexView::moveCaret(std::int64_t bytes, bool lowDigit, bool extend) {
  std::uint64_t target = caret_;
  if (bytes < 0) target = static_cast<std::uint64_t>(-bytes) > caret_ ? 0 : caret_ - static_cast<std::uint64_t>(-bytes);
  else target = std::min(lastOffset(), caret_ + static_cast<std::uint64_t>(bytes));
  moveCaretTo(target, lowDigit, extend);
}

void HexView::ensureCaretVisible() {
  const std::uint64_t row = caret_ / static_cast<std::uint64_t>(bytesPerLine_);
  const std::uint64_t visible = static_cast<std::uint64_t>(visibleRows());
  if (row < topRow_) topRow_ = row;
  else if (row >= topRow_ + visible) topRow_ = row - visible + 1;
  const int index = static_cast<int>(caret_ % static_cast<std::uint64_t>(bytesPerLine_));
  const int x = inCharacters_ ? charX(index) : hexX(index) + (lowDigit_ ? charWidth_ : 0);
  QScrollBar* h = horizontalScrollBar();
  const int width = viewport()->width() - fixedWidth();
  settingScrollBar_ = true;
  if (x < h->value()) h->setValue(x);
  else if (x + 2 * charWidth_ > h->value() + width) h->setValue(x + 2 * charWidth_ - width);
  settingScrollBar_ = false;
  updateScrollBars();
}

bool HexView::focusNextPrevChild(bool) { return false; }  // Tab switches the areas

std::optional<std::pair<std::uint64_t, bool>> HexView::hitTest(const QPoint& p, bool* low) const {
  const std::uint64_t row = topRow_ + static_cast<std::uint64_t>(std::max(0, p.y()) / rowHeight_);
  const int x = p.x() - fixedWidth() + horizontalScrollBar()->value();
  if (x < 0) return std::nullopt;
  const std::uint64_t rowStart = row * static_cast<std::uint64_t>(bytesPerLine_);
  if (x >= charX(0)) {
    const int i = std::min(bytesPerLine_ - 1, (x - charX(0)) / charWidth_);
    *low = false;
    return std::make_pair(std::min(rowStart + static_cast<std::uint64_t>(i), lastOffset()), true);
  }
  int i = 0;
  while (i + 1 < bytesPerLine_ && x >= hexX(i + 1)) ++i;
  *low = x >= hexX(i) + charWidth_;
  return std::make_pair(std::min(rowStart + static_cast<std::uint64_t>(i), lastOffset()), false);
}

void HexView::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) return;
  bool low = false;
  auto hit = hitTest(e->position().toPoint(), &low);
  if (!hit) return;
  inCharacters_ = hit->second;
  const bool extend = (e->modifiers() & Qt::ShiftModifier) != 0;
  moveCaretTo(hit->first, low, extend);
  pressed_ = extend && anchor_ ? *anchor_ : hit->first;
}

void HexView::mouseMoveEvent(QMouseEvent* e) {
  if (!(e->buttons() & Qt::LeftButton) || !pressed_) return;
  bool low = false;
  auto hit = hitTest(e->position().toPoint(), &low);
  if (!hit) return;
  if (hit->first == *pressed_ && !anchor_) return;
  anchor_ = *pressed_;
  caret_ = hit->first;
  lowDigit_ = false;
  ensureCaretVisible();
  viewport()->update();
  emit caretMoved();
}

void HexView::wheelEvent(QWheelEvent* e) {
  const int steps = e->angleDelta().y() / 120;
  if (steps == 0) return;
  const std::uint64_t delta = static_cast<std::uint64_t>(std::abs(steps) * 3);
  if (steps > 0) topRow_ = topRow_ > delta ? topRow_ - delta : 0;
  else topRow_ += delta;
  updateScrollBars();
  viewport()->update();
  e->accept();
}

void HexView::showError(const QString& text) { kiv::showError(this, text); }

void HexView::deleteSelection() {
  if (doc_.size() == 0) return;
  std::uint64_t first = caret_, last = caret_;
  if (auto s = selection()) std::tie(first, last) = *s;
  doc_.erase(first, last - first + 1);
  anchor_.reset();
  caret_ = std::min(caret_, lastOffset());
  if (doc_.size() == 0) caret_ = 0;
  updateScrollBars();
  ensureCaretVisible();
  viewport()->update();
  emit caretMoved();
  emit modifiedChanged();
}

bool HexView::find(std::string_view pattern, std::int64_t from, std::int64_t to, bool ignoreCase) {
  const auto found = doc_.find(pattern, from, to, ignoreCase);
  if (!found) return false;
  setCaret(*found, inCharacters_);
  return true;
}

void HexView::typeText(const QString& text) {
  if (doc_.size() == 0 || caret_ >= doc_.size()) return;
  const bool wasModified = doc_.isModified();
  try {
    for (const QChar c : text) {
      if (caret_ >= doc_.size()) break;
      if (inCharacters_) {
        const int ansi = CodePage::get(CodePageId::Win1251).fromUnicode(c.unicode());
        if (ansi < 0) continue;
        const auto b = fileByteFor(translation_, static_cast<unsigned char>(ansi));
        if (!b) continue;
        doc_.overwrite(caret_, *b);
        if (caret_ + 1 < doc_.size()) ++caret_;
      } else {
        const int digit = QStringLiteral("0123456789ABCDEF").indexOf(c.toUpper());
        if (digit < 0 || c.unicode() > 127) continue;
        const unsigned char old = doc_.byteAt(caret_);
        const unsigned char value = lowDigit_ ? static_cast<unsigned char>((old & 0xF0) | digit)
                                              : static_cast<unsigned char>((old & 0x0F) | (digit << 4));
        doc_.overwrite(caret_, value);
        if (!lowDigit_) {
          lowDigit_ = true;
        } else if (caret_ + 1 < doc_.size()) {
          ++caret_;
          lowDigit_ = false;
        }
      }
    }
  } catch (const FileError& e) {
    showError(qs(e.what()));
  }
  anchor_.reset();
  ensureCaretVisible();
  viewport()->update();
  emit caretMoved();
  if (doc_.isModified() != wasModified) emit modifiedChanged();
}

bool HexView::isGridKey(const QKeyEvent* e) {
  const Qt::KeyboardModifiers mods = e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  const int key = e->key();
  if (mods == Qt::ControlModifier)
    return markerDigit(key) >= 0 || key == Qt::Key_T || key == Qt::Key_Delete || key == Qt::Key_Home ||
           key == Qt::Key_End;
  if (mods != Qt::NoModifier) return false;
  switch (key) {
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Up: case Qt::Key_Down:
    case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Home: case Qt::Key_End:
    case Qt::Key_Tab: case Qt::Key_Backtab: case Qt::Key_Backspace: case Qt::Key_Delete: case Qt::Key_Insert:
      return true;
    default:
      return !e->text().isEmpty() && e->text().at(0).isPrint();
  }
}

bool HexView::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride && isGridKey(static_cast<QKeyEvent*>(e))) {
    e->accept();
    return true;
  }
  return QAbstractScrollArea::event(e);
}

void HexView::keyPressEvent(QKeyEvent* e) {
  const Qt::KeyboardModifiers mods = e->modifiers();
  const bool ctrl = mods & Qt::ControlModifier;
  const bool shift = mods & Qt::ShiftModifier;
  const int key = e->key();
  const std::int64_t bpl = bytesPerLine_;

  if (ctrl) {
    const int digit = markerDigit(key);
    if (digit >= 0 && shift) {
      markers_[static_cast<std::size_t>(digit)] = caret_ / static_cast<std::uint64_t>(bpl);
      viewport()->update();
      return;
    }
    if (digit >= 0) {
      if (auto row = markers_[static_cast<std::size_t>(digit)])
        if (*row < rowCount()) setCaret(*row * static_cast<std::uint64_t>(bpl), inCharacters_);
      return;
    }
    if (key == Qt::Key_T) {
      inCharacters_ = !inCharacters_;
      lowDigit_ = false;
      ensureCaretVisible();
      viewport()->update();
      return;
    }
    if (key == Qt::Key_Delete) {
      deleteSelection();
      return;
    }
  }

  // Left and right step over digits in the hex area, over bytes in the characters.
  auto left = [&] {
    if (!inCharacters_ && lowDigit_) moveCaretTo(caret_, false, shift);
    else if (caret_ > 0) moveCaret(-1, !inCharacters_, shift);
    else moveCaretTo(0, false, shift);
  };
  switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      inCharacters_ = !inCharacters_;
      lowDigit_ = false;
      ensureCaretVisible();
      viewport()->update();
      return;
    case Qt::Key_Left:
    case Qt::Key_Backspace:
      left();
      return;
    case Qt::Key_Right:
      if (!inCharacters_ && !lowDigit_) moveCaretTo(caret_, true, shift);
      else if (caret_ < lastOffset()) moveCaret(1, false, shift);
      return;
    case Qt::Key_Up: moveCaret(-bpl, lowDigit_, shift); return;
    case Qt::Key_Down:
      if (caret_ + static_cast<std::uint64_t>(bpl) <= lastOffset()) moveCaret(bpl, lowDigit_, shift);
      return;
    case Qt::Key_PageUp: moveCaret(-bpl * visibleRows(), lowDigit_, shift); return;
    case Qt::Key_PageDown: {
      const std::uint64_t step = static_cast<std::uint64_t>(bpl) * static_cast<std::uint64_t>(visibleRows());
      if (caret_ + step <= lastOffset()) {
        topRow_ += static_cast<std::uint64_t>(visibleRows());
        moveCaret(static_cast<std::int64_t>(step), lowDigit_, shift);
      } else {
        moveCaretTo(lastOffset() - (lastOffset() - caret_) % static_cast<std::uint64_t>(bpl), lowDigit_, shift);
      }
      return;
    }
    case Qt::Key_Home:
      if (ctrl) moveCaretTo(0, false, shift);
      else moveCaretTo(caret_ - caret_ % static_cast<std::uint64_t>(bpl), false, shift);
      return;
    case Qt::Key_End:
      if (ctrl) moveCaretTo(lastOffset(), false, shift);
      else moveCaretTo(caret_ - caret_ % static_cast<std::uint64_t>(bpl) + static_cast<std::uint64_t>(bpl - 1), false, shift);
      return;
    case Qt::Key_Insert:
      doc_.clearChangedMarks();
      viewport()->update();
      return;
    case Qt::Key_Delete: return;
    default: break;
  }
  if (!ctrl && !(mods & Qt::AltModifier) && !e->text().isEmpty() && e->text().at(0).isPrint()) {
    typeText(e->text());
    return;
  }
  QAbstractScrollArea::keyPressEvent(e);
}

void HexView::paintEvent(QPaintEvent*) {
  QPainter p(viewport());
  const QPalette& pal = palette();
  const QColor background = pal.color(QPalette::Base);
  const QColor fontColor = pal.color(QPalette::Text);
  p.fillRect(viewport()->rect(), background);
  p.setFont(font());
  const QFontMetrics fm(font());
  const int w = charWidth_;
  const int h = rowHeight_;
  const int ascent = fm.ascent() + 1;
  const int fixed = fixedWidth();
  const int offsetWidth = (offsetDigits() + 3) * w;
  const int scrollX = horizontalScrollBar()->value();
  const std::uint64_t bpl = static_cast<std::uint64_t>(bytesPerLine_);
  const auto sel = selection();
  const CodePage& ansi = CodePage::get(CodePageId::Win1251);
  QFont markerFont(QStringLiteral("Arial"));
  markerFont.setPointSizeF(font().pointSizeF() * 0.75);

  const int rows = viewport()->height() / h + 1;
  const std::uint64_t total = rowCount();
  for (int r = 0; r < rows; ++r) {
    const std::uint64_t row = topRow_ + static_cast<std::uint64_t>(r);
    if (row >= total) break;
    const int y = r * h;
    const std::uint64_t rowStart = row * bpl;
    const std::string_view bytes = doc_.bytesAt(rowStart, static_cast<std::size_t>(bpl));

    // Bytes first, clipped to the scrolling part; the fixed columns go over them.
    p.save();
    p.setClipRect(QRect(fixed, y, viewport()->width() - fixed, h));
    for (int i = 0; i < static_cast<int>(bytes.size()); ++i) {
      const std::uint64_t offset = rowStart + static_cast<std::uint64_t>(i);
      const auto value = static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
      const bool changed = doc_.isChanged(offset);
      const bool selected = sel && offset >= sel->first && offset <= sel->second;
      const QColor group = (i / bytesPerColumn_) % 2 == 0 ? colors_.oddColumn : colors_.evenColumn;
      QColor hexText = changed ? colors_.changedText : group;
      QColor hexBack = changed ? colors_.changedBackground : background;
      QColor charText = changed ? colors_.changedText : fontColor;
      QColor charBack = changed ? colors_.changedBackground : background;
      if (selected) {
        if (changed) std::swap(hexText, hexBack);
        else hexBack = group, hexText = inverse(group);
        std::swap(charText, charBack);
      }
      const bool groupEnd = (i + 1) % bytesPerColumn_ == 0 || i + 1 == bytesPerLine_;
      const int hx = fixed - scrollX + hexX(i);
      p.fillRect(QRect(hx, y, w * (groupEnd ? 3 : 2), h), hexBack);
      p.setPen(hexText);
      p.drawText(hx, y + ascent, QString(QLatin1Char(kHexDigits[value >> 4])));
      p.drawText(hx + w, y + ascent, QString(QLatin1Char(kHexDigits[value & 15])));
      const int cx = fixed - scrollX + charX(i);
      p.fillRect(QRect(cx, y, w, h), charBack);
      p.setPen(charText);
      const unsigned char shown = displayByte(translation_, value, static_cast<unsigned char>(maskChar_));
      char32_t cp = ansi.toUnicode(shown);
      if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0)) cp = static_cast<unsigned char>(maskChar_);  // no glyph
      p.drawText(cx, y + ascent, QString(QChar(static_cast<char16_t>(cp))));
    }
    // The caret and the frame of the same byte in the other area.
    if (caret_ / bpl == row && doc_.size() > 0) {
      const int i = static_cast<int>(caret_ % bpl);
      const QRect hexCell(fixed - scrollX + hexX(i) + (lowDigit_ ? w : 0), y, w, h);
      const QRect hexByte(fixed - scrollX + hexX(i), y, 2 * w, h);
      const QRect charCell(fixed - scrollX + charX(i), y, w, h);
      const QRect caretCell = inCharacters_ ? charCell : hexCell;
      const QRect other = inCharacters_ ? hexByte : charCell;
      if (hasFocus()) {
        QStyleOptionFocusRect o;
        o.initFrom(this);
        o.rect = other.adjusted(0, 0, -1, -1);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &o, &p, this);
      } else {
        p.setPen(colors_.cursorFrame);
        p.drawRect(other.adjusted(0, 0, -1, -1));
      }
      p.fillRect(QRect(caretCell.left(), y + 1, 2, h - 2), fontColor);
    }
    p.restore();

    // The fixed columns: offset and marker.
    p.fillRect(QRect(0, y, fixed, h), background);
    p.setPen(colors_.offset);
    p.drawText(0, y + ascent, offsetText(row));
    for (int d = 0; d < 10; ++d) {
      if (markers_[static_cast<std::size_t>(d)] != row) continue;
      const QRect cell(offsetWidth, y, w, h);
      p.fillRect(cell, colors_.positionBackground);
      p.setPen(colors_.positionText);
      p.setFont(markerFont);
      p.drawText(cell, Qt::AlignCenter, QString::number(d));
      p.setFont(font());
      break;
    }
  }
}

}  // namespace kiv
