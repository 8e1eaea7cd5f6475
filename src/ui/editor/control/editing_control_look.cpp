// Appearance of the editing control: font, colours, highlighter, margins,
// gutter, fills, marks.

#include <Qsci/qscilexer.h>

#include <QFileInfo>
#include <QPainter>

#include "ui/common/font_fallback.h"
#include "ui/editor/control/background_fill.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/control/lexers.h"

namespace kiv {

namespace {
constexpr int kNumberMargin = 0;
constexpr int kSymbolMargin = 1;
constexpr int kBreakPointMarker = 10;
constexpr int kBreakPointLineMarker = 11;
constexpr int kMarkerMask = 0xFFE;  // markers 1…11

// A picture fill loads its file; one that cannot be loaded drops the fill.
bool loadFillPicture(AreaFill& fill, QPixmap& picture) {
  picture = QPixmap();
  if (fill.kind != 1) return true;
  const QString file = QString::fromUtf8(fill.picture.c_str());
  if (QFileInfo(file).isFile()) picture.load(file);
  if (!picture.isNull()) return true;
  fill.kind = 0;
  return false;
}

QPixmap bookmarkPixmap(int n) {
  QPixmap pm(14, 14);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  p.setBrush(QColor(0x20, 0x60, 0xC0));
  p.setPen(QColor(0x10, 0x30, 0x70));
  p.drawRoundedRect(QRectF(0.5, 0.5, 13, 13), 3, 3);
  QFont f;
  f.setPixelSize(11);
  f.setBold(true);
  p.setFont(f);
  p.setPen(Qt::white);
  p.drawText(QRect(0, 0, 14, 14), Qt::AlignCenter, QString::number(n));
  return pm;
}
}  // namespace

void EditingControl::defineMarkers() {
  for (int n = 1; n <= 9; ++n) markerDefine(bookmarkPixmap(n), n);
  markerDefine(QsciScintilla::Circle, kBreakPointMarker);
  setMarkerBackgroundColor(QColor(0xD0, 0x10, 0x10), kBreakPointMarker);
  setMarkerForegroundColor(QColor(0x80, 0x00, 0x00), kBreakPointMarker);
  markerDefine(QsciScintilla::Background, kBreakPointLineMarker);
  setMarkerBackgroundColor(QColor(0xFF, 0xC8, 0xC8), kBreakPointLineMarker);
}

void EditingControl::applyMargins() {
  setMarginWidth(kNumberMargin, lineNumbers_ ? QString(std::max(3, static_cast<int>(QString::number(lines()).size())) + 1, QLatin1Char('9')) : QString());
  if (!lineNumbers_) setMarginWidth(kNumberMargin, 0);
  setMarginWidth(kSymbolMargin, std::max(0, gutterWidth_));
  setMarginMarkerMask(kSymbolMargin, kMarkerMask);
  setMarginMarkerMask(kNumberMargin, 0);
  const QColor back = fill_->gutterActive() ? kGutterSentinel : colorOf(fill_->gutter.plainColor);
  setMarginsBackgroundColor(back);
  setMarginsForegroundColor(QColor(0x30, 0x30, 0x30));
  QFont f(fontFamily_, std::max(6, fontSize_ - 1));
  f.setStyleHint(QFont::TypeWriter);
  setMarginsFont(f);
}

void EditingControl::applyPaperColours() {
  const QColor paper = fill_->textActive() ? kPaperSentinel : colorOf(paperColor_);
  const QColor text = colorOf(textColor_);
  setSelectionForegroundColor(colorOf(selTextColor_));
  setSelectionBackgroundColor(colorOf(selPaperColor_));
  SendScintilla(SCI_SETSELALPHA, fill_->textActive() ? 150L : 256L);
  setCaretForegroundColor(text);
  setEdgeColor(QColor(0xC0, 0xC0, 0xC0));
  SendScintilla(SCI_STYLESETBACK, static_cast<unsigned long>(STYLE_DEFAULT), paper);
  (void)paper;
}

void EditingControl::applyLexerLook() {
  QFont font(availableFontFamily(fontFamily_), fontSize_);
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  const QColor paper = fill_->textActive() ? kPaperSentinel : colorOf(paperColor_);
  const QColor text = colorOf(textColor_);

  if (coloring_ && highlighter_ != QStringLiteral("Нет")) {
    if (!lexer_ || QString::fromLatin1(lexer_->language()) != highlighter_) {
      QsciLexer* old = lexer_;
      lexer_ = createHighlighter(highlighter_, this);
      setLexer(nullptr);
      delete old;
    }
  }
  QsciLexer* want = coloring_ ? lexer_ : nullptr;
  const bool hadLexer = lexer() != nullptr;
  setLexer(nullptr);
  // The highlighter's styles give way to the plain text's word styling.
  if (hadLexer && !want) SendScintilla(SCI_CLEARDOCUMENTSTYLE);
  // A document kept without styles takes them now if it can.
  if (want && !keepsStyles()) takeStylesForHighlighting();
  if (want) {
    want->setDefaultFont(font);
    want->setDefaultPaper(paper);
    want->setDefaultColor(text);
    for (int style = 0; style < 128; ++style) {
      if (want->description(style).isEmpty()) continue;
      QFont f = font;
      const QFont own = want->defaultFont(style);
      f.setBold(own.bold());
      f.setItalic(own.italic());
      want->setFont(f, style);
      want->setPaper(paper, style);
      if (want->defaultColor(style) == QColor(0, 0, 0)) want->setColor(text, style);
    }
    setLexer(want);
  } else {
    setFont(font);
    setColor(text);
    setPaper(paper);
  }
  applyPaperColours();
  if (!want) copyWordStyleToBlanks();
  applyMargins();
  setEdgeColumn(marginColumn_);
  setEdgeMode(marginVisible_ ? QsciScintilla::EdgeLine : QsciScintilla::EdgeNone);
  viewport()->update();
}

void EditingControl::setDocumentFont(const QString& family, int pointSize) {
  fontFamily_ = family.isEmpty() ? QStringLiteral("Courier New") : family;
  fontSize_ = pointSize > 0 ? pointSize : 10;
  applyLexerLook();
}

void EditingControl::setColors(ColorRef text, ColorRef paper, ColorRef selText, ColorRef selPaper) {
  textColor_ = text;
  paperColor_ = paper;
  selTextColor_ = selText;
  selPaperColor_ = selPaper;
  fill_->paper = paper;
  fill_->invalidate();
  applyLexerLook();
}

void EditingControl::setHighlighterName(const QString& name) {
  if (name == highlighter_) return;
  highlighter_ = name;
  if (!coloring_ || name == QStringLiteral("Нет")) {
    setLexer(nullptr);
    delete lexer_;
    lexer_ = nullptr;
  }
  applyLexerLook();
}

void EditingControl::setSyntaxColoring(bool on) {
  if (on == coloring_) return;
  coloring_ = on;
  applyLexerLook();
}

void EditingControl::setRightMargin(int column, bool visible) {
  marginColumn_ = column;
  marginVisible_ = visible;
  setEdgeColumn(column);
  setEdgeMode(visible ? QsciScintilla::EdgeLine : QsciScintilla::EdgeNone);
}

void EditingControl::setShowLineNumbers(bool on) {
  if (on == lineNumbers_) return;
  lineNumbers_ = on;
  if (on) connect(this, &QsciScintilla::linesChanged, this, &EditingControl::applyMargins, Qt::UniqueConnection);
  applyMargins();
}

void EditingControl::setGutterWidthPx(int px) {
  gutterWidth_ = std::max(0, px);
  fill_->invalidate();
  applyMargins();
}

void EditingControl::setBlockIndent(int columns) { blockIndent_ = std::max(0, columns); }

void EditingControl::setSpacesPerTab(int n) { setTabWidth(std::max(1, n)); }

void EditingControl::setSeparatorLines(bool on) {
  separators_ = on;
  SendScintilla(SCI_SETEXTRADESCENT, on ? 1L : 0L);
  viewport()->update();
}

void EditingControl::setWordWrapOn(bool on) {
  setWrapMode(on ? QsciScintilla::WrapWord : QsciScintilla::WrapNone);
  // The library keeps the layout of every line of a wrapped document, about
  // thirteen bytes for each byte of text; the lines on screen are enough.
  SendScintilla(SCI_SETLAYOUTCACHE, static_cast<long>(SC_CACHE_PAGE));
  SendScintilla(SCI_SETHSCROLLBAR, on ? 0L : 1L);
}

bool EditingControl::wordWrapOn() const { return wrapMode() != QsciScintilla::WrapNone; }

bool EditingControl::setTextAreaFill(const AreaFill& fill, ColorRef paper) {
  fill_->text = fill;
  fill_->paper = paper;
  const bool ok = loadFillPicture(fill_->text, fill_->textPicture);
  fill_->invalidate();
  SendScintilla(SCI_SETCARETLINEBACKALPHA, fill_->textActive() ? 60L : 256L);
  applyLexerLook();
  return ok;
}

bool EditingControl::setGutterFill(const AreaFill& fill) {
  fill_->gutter = fill;
  const bool ok = loadFillPicture(fill_->gutter, fill_->gutterPicture);
  fill_->invalidate();
  applyMargins();
  viewport()->update();
  return ok;
}

// ---------------------------------------------------------------------------
// Marks

int EditingControl::bookmarkLine(int n) const {
  if (n < 1 || n > 9) return -1;
  return static_cast<int>(SendScintilla(SCI_MARKERNEXT, 0L, static_cast<long>(1 << n)));
}

void EditingControl::toggleBookmark(int n) {
  if (n < 1 || n > 9) return;
  const int line = caretLine();
  const int current = bookmarkLine(n);
  SendScintilla(SCI_MARKERDELETEALL, static_cast<long>(n));
  if (current != line) SendScintilla(SCI_MARKERADD, static_cast<long>(line), static_cast<long>(n));
}

void EditingControl::gotoBookmark(int n) {
  const int line = bookmarkLine(n);
  if (line < 0) return;
  moveCaretTo(line, 0);
  SendScintilla(SCI_SCROLLCARET);
}

void EditingControl::removeBookmark(int n) {
  if (n < 1 || n > 9) return;
  SendScintilla(SCI_MARKERDELETEALL, static_cast<long>(n));
}

bool EditingControl::hasBreakPoint(int line) const {
  return (SendScintilla(SCI_MARKERGET, static_cast<long>(line)) & (1 << kBreakPointMarker)) != 0;
}

void EditingControl::toggleBreakPoint() {
  const int line = caretLine();
  if (hasBreakPoint(line)) {
    SendScintilla(SCI_MARKERDELETE, static_cast<long>(line), static_cast<long>(kBreakPointMarker));
    SendScintilla(SCI_MARKERDELETE, static_cast<long>(line), static_cast<long>(kBreakPointLineMarker));
  } else {
    SendScintilla(SCI_MARKERADD, static_cast<long>(line), static_cast<long>(kBreakPointMarker));
    SendScintilla(SCI_MARKERADD, static_cast<long>(line), static_cast<long>(kBreakPointLineMarker));
  }
}

}  // namespace kiv
