#include "ui/editor/control/editing_control.h"

#include <QTimer>

#include <Qsci/qscicommand.h>
#include <Qsci/qscicommandset.h>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

#include "core/charsets/charset_id.h"
#include "core/charsets/code_page.h"
#include "core/common/text_lines.h"
#include "core/fileio/document_file_stream.h"
#include "core/fileio/saved_bytes_maker.h"
#include "ui/editor/control/background_fill.h"

namespace kiv {

namespace {
// A change this large (bytes of the control's text) goes in unwrapped and
// is wrapped lazily afterwards.
constexpr long kLargeChange = 1L << 20;

constexpr int kSymbolMargin = 1;
constexpr int kNumberMargin = 0;

std::string strictLines(std::string_view text, std::vector<std::string>& out) {
  // Splits at CR LF (and lone CR/LF), keeping a final empty piece.
  out.clear();
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    out.emplace_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  out.emplace_back(text.substr(start));
  return {};
}

QString codePageText(const std::string& id) {
  const std::string_view name = charset::codePageName(id);
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
}

}  // namespace

const QColor EditingControl::kPaperSentinel(0xFE, 0x01, 0xFD);
const QColor EditingControl::kGutterSentinel(0xFD, 0x02, 0xFE);

EditingControl::EditingControl(QWidget* parent) : QsciScintilla(parent), fill_(std::make_unique<BackgroundFill>()) {
  describeSimplyWhileNoOneListens();
  setUtf8(true);
  setEolMode(QsciScintilla::EolWindows);
  SendScintilla(SCI_SETCODEPAGE, SC_CP_UTF8);
  SendScintilla(SCI_SETBUFFEREDDRAW, 0L);
  SendScintilla(SCI_SETENDATLASTLINE, 1L);
  SendScintilla(SCI_SETMULTIPLESELECTION, 1L);
  SendScintilla(SCI_SETADDITIONALSELECTIONTYPING, 1L);
  SendScintilla(SCI_SETMOUSESELECTIONRECTANGULARSWITCH, 1L);
  SendScintilla(SCI_SETRECTANGULARSELECTIONMODIFIER, static_cast<long>(SCMOD_ALT));
  SendScintilla(SCI_SETVIRTUALSPACEOPTIONS, static_cast<long>(SCVS_RECTANGULARSELECTION));
  setCaretLineVisible(false);
  setAutoIndent(true);
  setIndentationsUseTabs(false);
  setTabWidth(3);
  setMarginType(kNumberMargin, QsciScintilla::NumberMargin);
  setMarginType(kSymbolMargin, QsciScintilla::SymbolMargin);
  setMarginSensitivity(kSymbolMargin, true);
  setFolding(QsciScintilla::NoFoldStyle);
  defineMarkers();
  applyMargins();
  setWordWrapOn(true);
  setContextMenuPolicy(Qt::DefaultContextMenu);
  setUpPlainTextStyling();

  connect(this, &QsciScintilla::cursorPositionChanged, this,
          [this](int, int) { emit caretMoved(caretLine(), caretColumn()); });
  connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
          [this](int, int type, const char*, int, int, int, int, int, int token, int) {
            if (type & SC_MOD_CONTAINER) containerUndo(token, (type & SC_PERFORMED_UNDO) != 0);
          });
  // Undoing or redoing a change of megabytes (a revert, a command over the
  // whole text) goes in unwrapped, as the change itself did, and is wrapped
  // lazily afterwards: with wrapping on the control would lay out every
  // line of it before answering.
  connect(this, &QsciScintillaBase::SCN_MODIFIED, this,
          [this](int, int type, const char*, int length, int, int, int, int, int, int) {
            if (!(type & (SC_PERFORMED_UNDO | SC_PERFORMED_REDO)) ||
                !(type & (SC_MOD_BEFOREINSERT | SC_MOD_BEFOREDELETE)) || length < kLargeChange ||
                wrapAfterUndo_ != SC_WRAP_NONE)
              return;
            const long wrap = SendScintilla(SCI_GETWRAPMODE);
            if (wrap == SC_WRAP_NONE) return;
            wrapAfterUndo_ = wrap;
            SendScintilla(SCI_SETWRAPMODE, static_cast<long>(SC_WRAP_NONE));
            QTimer::singleShot(0, this, [this] {
              SendScintilla(SCI_SETWRAPMODE, wrapAfterUndo_);
              wrapAfterUndo_ = SC_WRAP_NONE;
              SendScintilla(SCI_SCROLLCARET);
            });
          });
  connect(this, &QsciScintillaBase::SCN_MARGINCLICK, this, [this](int position, int, int margin) {
    if (margin != kSymbolMargin) return;
    const int line = static_cast<int>(SendScintilla(SCI_LINEFROMPOSITION, static_cast<long>(position)));
    SendScintilla(SCI_GOTOLINE, static_cast<long>(line));
    toggleBreakPoint();
  });
  applyLexerLook();
}

EditingControl::~EditingControl() = default;

// ---------------------------------------------------------------------------
// Bytes and Unicode

std::string EditingControl::utf8OfBytes(std::string_view bytes) const {
  return CodePage::ofCharset(charset_).decodeToUtf8(bytes);
}

std::string EditingControl::bytesOfUtf8(std::string_view utf8) const {
  return CodePage::ofCharset(charset_).encodeFromUtf8(utf8);
}

std::string EditingControl::bytesOfShown(std::string_view utf8) const {
  if (!linesCut_ || utf8.find('\n') == std::string_view::npos) return bytesOfUtf8(utf8);
  // Leave out the display's cuts: LFs that do not end a CR LF.
  std::string kept;
  kept.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i)
    if (utf8[i] != '\n' || (i > 0 && utf8[i - 1] == '\r')) kept += utf8[i];
  return bytesOfUtf8(kept);
}

std::string EditingControl::utf8Range(long from, long to) const {
  const long length = SendScintilla(SCI_GETLENGTH);
  from = std::clamp(from, 0L, length);
  to = std::clamp(to, from, length);
  if (from == to) return {};
  if (from == 0 && to == length) {
    const char* p = static_cast<const char*>(SendScintillaPtrResult(SCI_GETCHARACTERPOINTER));
    return std::string(p, static_cast<std::size_t>(length));
  }
  std::string buf(static_cast<std::size_t>(to - from) + 1, '\0');
  SendScintilla(SCI_GETTEXTRANGE, from, to, buf.data());
  buf.resize(static_cast<std::size_t>(to - from));
  return buf;
}

QString EditingControl::representable(const QString& text, int* dropped, char32_t* first) const {
  const CodePage& page = CodePage::ofCharset(charset_);
  QString out;
  out.reserve(text.size());
  int count = 0;
  for (auto it = text.begin(); it != text.end(); ++it) {
    char32_t cp = it->unicode();
    if (it->isHighSurrogate() && it + 1 != text.end() && (it + 1)->isLowSurrogate()) {
      cp = QChar::surrogateToUcs4(*it, *(it + 1));
      ++it;
    }
    if (page.fromUnicode(cp) >= 0) {
      out += QChar::fromUcs4(cp);
    } else {
      if (count++ == 0 && first) *first = cp;
    }
  }
  if (dropped) *dropped = count;
  return out;
}

void EditingControl::refuseTyped(char32_t character) {
  const QString code = QString::number(static_cast<uint>(character), 16).toUpper().rightJustified(4, QLatin1Char('0'));
  const QString shown = character < 32 ? QString() : QStringLiteral("«%1» ").arg(QString::fromUcs4(&character, 1));
  emit textRefused(
      QStringLiteral("Символа %1(U+%2) нет в кодировке %3: он не набран").arg(shown, code, codePageText(charset_)));
}

QString EditingControl::pastable(const QString& text) const {
  const CodePage& page = CodePage::ofCharset(charset_);
  QString out;
  out.reserve(text.size());
  int replaced = 0;
  for (auto it = text.begin(); it != text.end(); ++it) {
    char32_t cp = it->unicode();
    if (it->isHighSurrogate() && it + 1 != text.end() && (it + 1)->isLowSurrogate()) {
      cp = QChar::surrogateToUcs4(*it, *(it + 1));
      ++it;
    }
    if (page.fromUnicode(cp) >= 0) {
      out += QChar::fromUcs4(cp);
    } else {
      out += QLatin1Char('?');
      ++replaced;
    }
  }
  if (replaced)
    emit const_cast<EditingControl*>(this)->textRefused(
        QStringLiteral("Символов, которых нет в кодировке %1, заменено на «?»: %2")
            .arg(codePageText(charset_))
            .arg(replaced));
  return out;
}

void EditingControl::replaceRangeUtf8(long from, long to, std::string_view utf8) {
  // With wrapping on, the control lays out every changed line at once; a
  // large change goes in unwrapped and is wrapped lazily afterwards.
  const long wrap = SendScintilla(SCI_GETWRAPMODE);
  const bool large = to - from > kLargeChange || utf8.size() > static_cast<std::size_t>(kLargeChange);
  if (large && wrap != SC_WRAP_NONE) SendScintilla(SCI_SETWRAPMODE, static_cast<long>(SC_WRAP_NONE));
  SendScintilla(SCI_SETTARGETRANGE, from, to);
  SendScintilla(SCI_REPLACETARGET, static_cast<uintptr_t>(utf8.size()), utf8.data());
  if (large && wrap != SC_WRAP_NONE) SendScintilla(SCI_SETWRAPMODE, wrap);
}

std::string EditingControl::rawBytes() const { return bytesOfShown(utf8Range(0, SendScintilla(SCI_GETLENGTH))); }

// The control holds the lines joined by line breaks, with no break after the
// last one: a text whose lines all end in CR LF shows no empty line after its
// last line, and a line break typed at the very end is a line of its own.
std::string EditingControl::textCrLf() const {
  std::string text = unifyLineBreaks(rawBytes());
  if (!text.empty()) text += kCrLf;
  return text;
}

std::array<std::string_view, 2> EditingControl::textInPlace() const {
  // The control keeps its text in two runs around a gap.
  const long length = SendScintilla(SCI_GETLENGTH);
  const long gap = std::clamp(SendScintilla(SCI_GETGAPPOSITION), 0L, length);
  std::array<std::string_view, 2> runs;
  const std::pair<long, long> bounds[2] = {{0L, gap}, {gap, length}};
  for (int i = 0; i < 2; ++i) {
    const auto [from, to] = bounds[i];
    if (from == to) continue;
    const char* p = reinterpret_cast<const char*>(SendScintilla(SCI_GETRANGEPOINTER, from, to - from));
    if (p) runs[i] = std::string_view(p, static_cast<std::size_t>(to - from));
  }
  return runs;
}

std::string EditingControl::fileBytes(const TextFileShape& shape) const {
  const auto runs = textInPlace();
  return makeSavedBytes(charset_, shape, linesCut_, runs);
}

std::unique_ptr<SavedBytePieces> EditingControl::filePieces(const TextFileShape& shape) const {
  return std::make_unique<SavedBytePieces>(charset_, shape, linesCut_, textInPlace());
}

std::string EditingControl::shownText(std::string_view bytes) {
  std::string text = unifyLineBreaks(bytes);
  if (text.ends_with(kCrLf)) text.resize(text.size() - 2);
  return text;
}

void EditingControl::setTextBytes(std::string_view bytes) {
  std::string utf8 = utf8OfBytes(shownText(bytes));
  if (linesCut_) utf8 = cutLongLines(utf8);
  SendScintilla(SCI_BEGINUNDOACTION);
  replaceRangeUtf8(0, SendScintilla(SCI_GETLENGTH), utf8);
  SendScintilla(SCI_ENDUNDOACTION);
  SendScintilla(SCI_GOTOPOS, 0L);
  SendScintilla(SCI_CHOOSECARETX);
}

void EditingControl::loadTextBytes(std::string_view bytes) {
  SendScintilla(SCI_SETUNDOCOLLECTION, 0L);
  setTextBytes(bytes);
  SendScintilla(SCI_SETUNDOCOLLECTION, 1L);
  SendScintilla(SCI_EMPTYUNDOBUFFER);
}

bool EditingControl::hasSelectedText() const {
  const long n = SendScintilla(SCI_GETSELECTIONS);
  for (long i = 0; i < n; ++i)
    if (SendScintilla(SCI_GETSELECTIONNSTART, i) != SendScintilla(SCI_GETSELECTIONNEND, i)) return true;
  return false;
}

namespace {
struct Range {
  long line, from, to;
};

// The ranges of a multiple (column) selection, top row first.
std::vector<Range> selectionRanges(const EditingControl* m) {
  std::vector<Range> rows;
  const long n = m->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONS);
  for (long i = 0; i < n; ++i) {
    const long a = m->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONNSTART, i);
    const long b = m->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONNEND, i);
    rows.push_back({m->SendScintilla(QsciScintillaBase::SCI_LINEFROMPOSITION, a), a, b});
  }
  std::sort(rows.begin(), rows.end(), [](const Range& x, const Range& y) { return x.from < y.from; });
  return rows;
}
}  // namespace

std::string EditingControl::selectedBytes() const {
  if (!hasSelectedText()) return {};
  if (SendScintilla(SCI_SELECTIONISRECTANGLE) || SendScintilla(SCI_GETSELECTIONS) > 1) {
    const std::vector<Range> rows = selectionRanges(this);
    std::string out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (i) out += "\r\n";
      out += bytesOfShown(utf8Range(rows[i].from, rows[i].to));
    }
    return out;
  }
  const long a = SendScintilla(SCI_GETSELECTIONSTART), b = SendScintilla(SCI_GETSELECTIONEND);
  return unifyLineBreaks(bytesOfShown(utf8Range(a, b)));
}

void EditingControl::replaceSelectionBytes(std::string_view bytes) {
  const std::string clean = unifyLineBreaks(bytes);
  SendScintilla(SCI_BEGINUNDOACTION);
  if (SendScintilla(SCI_SELECTIONISRECTANGLE) || SendScintilla(SCI_GETSELECTIONS) > 1) {
    // Last row first, so earlier positions stay valid while rows change.
    std::vector<Range> rows = selectionRanges(this);
    std::reverse(rows.begin(), rows.end());
    std::vector<std::string> pieces;
    strictLines(clean, pieces);
    if (pieces.size() == rows.size()) {
      // One piece per row: column editing replaces each row's part.
      for (std::size_t i = 0; i < rows.size(); ++i)
        replaceRangeUtf8(rows[i].from, rows[i].to, utf8OfBytes(pieces[rows.size() - 1 - i]));
      const long first = rows.back().from;
      SendScintilla(SCI_SETEMPTYSELECTION, first);
    } else {
      for (const auto& r : rows) replaceRangeUtf8(r.from, r.to, std::string());
      const long at = rows.back().from;
      const std::string utf8 = utf8OfBytes(clean);
      replaceRangeUtf8(at, at, utf8);
      SendScintilla(SCI_SETEMPTYSELECTION, at + static_cast<long>(utf8.size()));
    }
  } else {
    const long a = SendScintilla(SCI_GETSELECTIONSTART), b = SendScintilla(SCI_GETSELECTIONEND);
    const std::string utf8 = utf8OfBytes(clean);
    replaceRangeUtf8(a, b, utf8);
    SendScintilla(SCI_SETEMPTYSELECTION, a + static_cast<long>(utf8.size()));
  }
  SendScintilla(SCI_ENDUNDOACTION);
  SendScintilla(SCI_CHOOSECARETX);
  SendScintilla(SCI_SCROLLCARET);
}

void EditingControl::insertBytesAtCaret(std::string_view bytes) {
  const std::string utf8 = utf8OfBytes(unifyLineBreaks(bytes));
  const long at = SendScintilla(SCI_GETCURRENTPOS);
  SendScintilla(SCI_BEGINUNDOACTION);
  replaceRangeUtf8(at, at, utf8);
  SendScintilla(SCI_ENDUNDOACTION);
  SendScintilla(SCI_SETEMPTYSELECTION, at + static_cast<long>(utf8.size()));
  SendScintilla(SCI_CHOOSECARETX);
  SendScintilla(SCI_SCROLLCARET);
}

int EditingControl::lineListCount() const {
  if (SendScintilla(SCI_GETLENGTH) == 0) return 0;
  return static_cast<int>(SendScintilla(SCI_GETLINECOUNT));
}

std::string EditingControl::lineBytes(int line) const {
  if (line < 0 || line >= SendScintilla(SCI_GETLINECOUNT)) return {};
  return bytesOfShown(utf8Range(SendScintilla(SCI_POSITIONFROMLINE, static_cast<long>(line)),
                               SendScintilla(SCI_GETLINEENDPOSITION, static_cast<long>(line))));
}

void EditingControl::setLineBytes(int line, std::string_view bytes) {
  if (line < 0 || line >= SendScintilla(SCI_GETLINECOUNT)) return;
  SendScintilla(SCI_BEGINUNDOACTION);
  replaceRangeUtf8(SendScintilla(SCI_POSITIONFROMLINE, static_cast<long>(line)),
                   SendScintilla(SCI_GETLINEENDPOSITION, static_cast<long>(line)),
                   utf8OfBytes(unifyLineBreaks(bytes)));
  SendScintilla(SCI_ENDUNDOACTION);
}

std::vector<std::string> EditingControl::selectedLineList() const {
  std::vector<std::string> lines;
  if (!hasSelectedText()) return lines;
  const std::string sel = selectedBytes();
  strictLines(sel, lines);
  // A selection that ends at the start of a line does not touch that line.
  if (lines.size() > 1 && lines.back().empty()) lines.pop_back();
  return lines;
}

void EditingControl::insertLineBlock(const std::vector<std::string>& lines) {
  insertBytesAtCaret(joinLinesCrLf(lines));
}

// ---------------------------------------------------------------------------
// Positions

int EditingControl::caretLine() const {
  return static_cast<int>(SendScintilla(SCI_LINEFROMPOSITION, SendScintilla(SCI_GETCURRENTPOS)));
}

int EditingControl::caretColumn() const {
  const long pos = SendScintilla(SCI_GETCURRENTPOS);
  const long start = SendScintilla(SCI_POSITIONFROMLINE, SendScintilla(SCI_LINEFROMPOSITION, pos));
  return static_cast<int>(SendScintilla(SCI_COUNTCHARACTERS, start, pos));
}

long EditingControl::positionOfLineColumn(int line, int column) const {
  const long lines = SendScintilla(SCI_GETLINECOUNT);
  const long l = std::clamp<long>(line, 0, lines - 1);
  const long start = SendScintilla(SCI_POSITIONFROMLINE, l);
  const long end = SendScintilla(SCI_GETLINEENDPOSITION, l);
  const long chars = SendScintilla(SCI_COUNTCHARACTERS, start, end);
  const long c = std::clamp<long>(column, 0, chars);
  return c == chars ? end : SendScintilla(SCI_POSITIONRELATIVE, start, c);
}

void EditingControl::moveCaretTo(int line, int column) {
  SendScintilla(SCI_GOTOPOS, positionOfLineColumn(line, column));
  SendScintilla(SCI_CHOOSECARETX);
}

int EditingControl::topLine() const {
  return static_cast<int>(SendScintilla(SCI_DOCLINEFROMVISIBLE, SendScintilla(SCI_GETFIRSTVISIBLELINE)));
}

void EditingControl::setTopLine(int line) {
  const long lines = SendScintilla(SCI_GETLINECOUNT);
  const long l = std::clamp<long>(line, 0, std::max(0L, lines - 1));
  SendScintilla(SCI_SETFIRSTVISIBLELINE, SendScintilla(SCI_VISIBLEFROMDOCLINE, l));
}

void EditingControl::scrollLinesBy(int delta) { setTopLine(topLine() + delta); }

int EditingControl::leftColumn() const {
  const long w = std::max(1L, SendScintilla(SCI_TEXTWIDTH, static_cast<unsigned long>(STYLE_DEFAULT), "W"));
  return static_cast<int>(SendScintilla(SCI_GETXOFFSET) / w);
}

void EditingControl::scrollColumnsBy(int delta) {
  const long w = std::max(1L, SendScintilla(SCI_TEXTWIDTH, static_cast<unsigned long>(STYLE_DEFAULT), "W"));
  const long x = std::max(0L, SendScintilla(SCI_GETXOFFSET) + delta * w);
  SendScintilla(SCI_SETXOFFSET, x);
}

// ---------------------------------------------------------------------------
// Modified flag and charset

bool EditingControl::modifiedFlag() const { return forcedModified_ || SendScintilla(SCI_GETMODIFY) != 0; }

void EditingControl::setModifiedFlag(bool modified) {
  forcedModified_ = modified;
  if (!modified) SendScintilla(SCI_SETSAVEPOINT);
}

void EditingControl::setCharsetId(const std::string& id) {
  if (id == charset_) return;
  const bool wasModified = modifiedFlag();
  const std::string bytes = rawBytes();
  const std::string oldUtf8 = utf8Range(0, SendScintilla(SCI_GETLENGTH));
  std::string newUtf8 = CodePage::ofCharset(id).decodeToUtf8(bytes);
  if (linesCut_) newUtf8 = cutLongLines(newUtf8);

  // Keep caret, selection and scroll position (character offsets are the same).
  const int top = topLine();
  const long caretChars = SendScintilla(SCI_COUNTCHARACTERS, 0L, SendScintilla(SCI_GETCURRENTPOS));
  const long anchorChars = SendScintilla(SCI_COUNTCHARACTERS, 0L, SendScintilla(SCI_GETANCHOR));

  // The code page is part of the undo history, so undo and redo always leave
  // the text and the code page it is read in together.
  SendScintilla(SCI_BEGINUNDOACTION);
  recordCharsetChange(id);
  if (newUtf8 != oldUtf8) replaceRangeUtf8(0, SendScintilla(SCI_GETLENGTH), newUtf8);
  SendScintilla(SCI_ENDUNDOACTION);
  // Reading the same bytes another way does not make them unsaved.
  if (!wasModified) SendScintilla(SCI_SETSAVEPOINT);
  const long caret = SendScintilla(SCI_POSITIONRELATIVE, 0L, caretChars);
  const long anchor = SendScintilla(SCI_POSITIONRELATIVE, 0L, anchorChars);
  SendScintilla(SCI_SETSEL, anchor, caret);
  setTopLine(top);
  emit charsetChanged(QString::fromStdString(charset_));
}

void EditingControl::recordCharsetChange(const std::string& id) {
  charsetHistory_.emplace_back(charset_, id);
  SendScintilla(SCI_ADDUNDOACTION, static_cast<long>(charsetHistory_.size() - 1), 0L);
  charset_ = id;
}

void EditingControl::beginLoading(const std::string& charsetId, std::uint64_t sizeHint, bool highlighted) {
  charset_ = charsetId;
  charsetHistory_.clear();
  chooseStorageFor(sizeHint, highlighted);
  SendScintilla(SCI_SETUNDOCOLLECTION, 0L);
  // Nobody needs to hear about each loaded piece; the control's own handler
  // would otherwise decode every piece again for the accessibility layer.
  modEventMaskWhileLoading_ = SendScintilla(SCI_GETMODEVENTMASK);
  SendScintilla(SCI_SETMODEVENTMASK, 0L);
  // Lines are wrapped when they are shown, and the rest bit by bit later.
  wrapWhileLoading_ = SendScintilla(SCI_GETWRAPMODE);
  if (wrapWhileLoading_ != SC_WRAP_NONE) SendScintilla(SCI_SETWRAPMODE, static_cast<long>(SC_WRAP_NONE));
  SendScintilla(SCI_CLEARALL);
  // Room for the text and for what the user types next, so the first
  // keystroke does not move the whole text into a larger buffer.
  const std::uint64_t room = sizeHint + std::max<std::uint64_t>(sizeHint / 64, 1 << 16);
  SendScintilla(SCI_ALLOCATE, static_cast<unsigned long>(std::min<std::uint64_t>(room, 1UL << 31)));
}

void EditingControl::appendLoaded(std::string_view utf8) {
  SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(utf8.size()), utf8.data());
}

void EditingControl::endLoading() {
  SendScintilla(SCI_SETMODEVENTMASK, modEventMaskWhileLoading_);
  if (wrapWhileLoading_ != SC_WRAP_NONE) SendScintilla(SCI_SETWRAPMODE, wrapWhileLoading_);
  SendScintilla(SCI_SETUNDOCOLLECTION, 1L);
  SendScintilla(SCI_EMPTYUNDOBUFFER);
  SendScintilla(SCI_GOTOPOS, 0L);
  SendScintilla(SCI_CHOOSECARETX);
  setModifiedFlag(false);
  emit charsetChanged(QString::fromStdString(charset_));
}

void EditingControl::replaceDocument(std::string_view bytes, const std::string& charsetId) {
  replaceShownText(CodePage::ofCharset(charsetId).decodeToUtf8(shownText(bytes)), charsetId);
}

void EditingControl::replaceShownText(std::string_view utf8, const std::string& charsetId) {
  const int top = topLine();
  const int line = caretLine(), column = caretColumn();
  SendScintilla(SCI_BEGINUNDOACTION);
  if (charsetId != charset_) recordCharsetChange(charsetId);
  replaceRangeUtf8(0, SendScintilla(SCI_GETLENGTH), utf8);
  SendScintilla(SCI_ENDUNDOACTION);
  // The caret and the view stay where they were, as far as the new text reaches.
  moveCaretTo(line, column);
  setTopLine(top);
  emit charsetChanged(QString::fromStdString(charset_));
}

void EditingControl::containerUndo(int token, bool undo) {
  if (token < 0 || static_cast<std::size_t>(token) >= charsetHistory_.size()) return;
  charset_ = undo ? charsetHistory_[token].first : charsetHistory_[token].second;
  emit charsetChanged(QString::fromStdString(charset_));
}

// ---------------------------------------------------------------------------
// Keys and typed text

void EditingControl::typeRaw(const QString& text) {
  QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, text);
  QsciScintilla::keyPressEvent(&e);
}

void EditingControl::keyPressEvent(QKeyEvent* e) {
  if (keyDownHook && keyDownHook(e)) return;
  if (navigateWhileWrapping(e)) return;
  const Qt::KeyboardModifiers mods = e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier);
  QString text = e->text();
  if (!text.isEmpty() && mods == Qt::NoModifier && text.at(0).unicode() >= 32 && text.at(0).unicode() != 0x7F) {
    if (typedTextHook) typedTextHook(text);
    int dropped = 0;
    char32_t first = 0;
    text = representable(text, &dropped, &first);
    if (dropped) refuseTyped(first);
    if (text.isEmpty()) return;
    if (text != e->text()) {
      QKeyEvent changed(e->type(), e->key(), e->modifiers(), text, e->isAutoRepeat(), static_cast<ushort>(e->count()));
      QsciScintilla::keyPressEvent(&changed);
      return;
    }
  } else if (!text.isEmpty() && mods == Qt::NoModifier && typedTextHook) {
    QString copy = text;  // Enter and other control characters: sounds only
    typedTextHook(copy);
  }
  QsciScintilla::keyPressEvent(e);
}

void EditingControl::inputMethodEvent(QInputMethodEvent* e) {
  if (e->commitString().isEmpty()) return QsciScintilla::inputMethodEvent(e);
  QString text = e->commitString();
  if (typedTextHook) typedTextHook(text);
  int dropped = 0;
  char32_t first = 0;
  text = representable(text, &dropped, &first);
  if (dropped) refuseTyped(first);
  QInputMethodEvent changed(e->preeditString(), e->attributes());
  changed.setCommitString(text, e->replacementStart(), e->replacementLength());
  QsciScintilla::inputMethodEvent(&changed);
}

namespace {
// The control's own copy of copied text: plain text on the system clipboard
// cannot carry a zero byte.
const QString kExactTextFormat = QStringLiteral("application/x-kiv-text");
}  // namespace

QMimeData* EditingControl::toMimeData(const QByteArray& text, bool rectangular) const {
  QMimeData* data = QsciScintilla::toMimeData(text, rectangular);
  data->setData(kExactTextFormat, text);
  return data;
}

void EditingControl::copy() {
  if (!hasSelectedText()) return;
  const bool rectangular = SendScintilla(SCI_SELECTIONISRECTANGLE) != 0;
  const std::string utf8 = utf8OfBytes(selectedBytes());
  QByteArray exact(utf8.data(), static_cast<qsizetype>(utf8.size()));
  QByteArray plain = exact;
  plain.replace('\0', ' ');
  QMimeData* data = QsciScintilla::toMimeData(plain, rectangular);
  data->setData(kExactTextFormat, exact);
  QApplication::clipboard()->setMimeData(data);
}

void EditingControl::paste() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  if (!data || !data->hasFormat(kExactTextFormat)) return QsciScintilla::paste();
  bool rectangular = false;
  const QByteArray utf8 = fromMimeData(data, rectangular);
  if (rectangular) return QsciScintilla::paste();
  replaceSelectionBytes(bytesOfUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()))));
}

void EditingControl::cut() {
  if (!hasSelectedText()) return;
  copy();
  replaceSelectionBytes("");
}

QByteArray EditingControl::fromMimeData(const QMimeData* source, bool& rectangular) const {
  QByteArray utf8 = QsciScintilla::fromMimeData(source, rectangular);
  if (source->hasFormat(kExactTextFormat)) utf8 = source->data(kExactTextFormat);
  return pastable(QString::fromUtf8(utf8)).toUtf8();
}

bool EditingControl::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride) {
    auto* ke = static_cast<QKeyEvent*>(e);
    const QKeySequence seq(ke->keyCombination());
    for (const auto& k : programKeys_) {
      if (k == seq) {
        ke->ignore();
        return true;
      }
    }
  }
  return QsciScintilla::event(e);
}

void EditingControl::releaseKeys(const QList<QKeySequence>& keys) {
  programKeys_ = keys;
  // The document window's own keys take precedence over the control's too.
  QList<QKeySequence> owned = keys;
  for (const QKeyCombination k :
       {QKeyCombination(Qt::CTRL, Qt::Key_Up), QKeyCombination(Qt::CTRL, Qt::Key_Down), QKeyCombination(Qt::CTRL, Qt::Key_Y),
        QKeyCombination(Qt::CTRL, Qt::Key_J), QKeyCombination(Qt::ALT, Qt::Key_Left), QKeyCombination(Qt::ALT, Qt::Key_Right),
        QKeyCombination(Qt::CTRL, Qt::Key_Return), QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Space)})
    owned << QKeySequence(k);
  QsciCommandSet* set = standardCommands();
  for (QsciCommand* cmd : set->commands()) {
    for (const auto& k : owned) {
      if (k.isEmpty()) continue;
      const int combined = k[0].toCombined();
      if (cmd->key() == combined) cmd->setKey(0);
      if (cmd->alternateKey() == combined) cmd->setAlternateKey(0);
    }
  }
}

void EditingControl::contextMenuEvent(QContextMenuEvent* e) { emit contextMenuWanted(e->globalPos()); }

// ---------------------------------------------------------------------------
// Selection mode

void EditingControl::applyColumnKeys() {
  struct Binding {
    int key;
    int stream;
    int column;
  };
  const Binding bindings[] = {
      {SCK_DOWN, SCI_LINEDOWNEXTEND, SCI_LINEDOWNRECTEXTEND},   {SCK_UP, SCI_LINEUPEXTEND, SCI_LINEUPRECTEXTEND},
      {SCK_LEFT, SCI_CHARLEFTEXTEND, SCI_CHARLEFTRECTEXTEND},   {SCK_RIGHT, SCI_CHARRIGHTEXTEND, SCI_CHARRIGHTRECTEXTEND},
      {SCK_HOME, SCI_VCHOMEEXTEND, SCI_VCHOMERECTEXTEND},       {SCK_END, SCI_LINEENDEXTEND, SCI_LINEENDRECTEXTEND},
      {SCK_PRIOR, SCI_PAGEUPEXTEND, SCI_PAGEUPRECTEXTEND},      {SCK_NEXT, SCI_PAGEDOWNEXTEND, SCI_PAGEDOWNRECTEXTEND},
  };
  for (const auto& b : bindings)
    SendScintilla(SCI_ASSIGNCMDKEY, static_cast<unsigned long>(b.key | (SCMOD_SHIFT << 16)),
                  static_cast<long>(columnMode_ ? b.column : b.stream));
}

void EditingControl::setColumnSelection(bool on) {
  columnMode_ = on;
  applyColumnKeys();
}

void EditingControl::mousePressEvent(QMouseEvent* e) {
  if (columnMode_ && e->button() == Qt::LeftButton && !(e->modifiers() & Qt::AltModifier)) {
    QMouseEvent alt(e->type(), e->position(), e->scenePosition(), e->globalPosition(), e->button(), e->buttons(),
                    e->modifiers() | Qt::AltModifier);
    QsciScintilla::mousePressEvent(&alt);
    return;
  }
  QsciScintilla::mousePressEvent(e);
}

void EditingControl::mouseMoveEvent(QMouseEvent* e) {
  if (columnMode_ && (e->buttons() & Qt::LeftButton) && !(e->modifiers() & Qt::AltModifier)) {
    QMouseEvent alt(e->type(), e->position(), e->scenePosition(), e->globalPosition(), e->button(), e->buttons(),
                    e->modifiers() | Qt::AltModifier);
    QsciScintilla::mouseMoveEvent(&alt);
    return;
  }
  QsciScintilla::mouseMoveEvent(e);
}

std::string EditingControl::withStreamLineEnds(std::string_view crlfText) const {
  if (lineEnd_ == LineEnd::Windows) return std::string(crlfText);
  const char* eol = lineEnd_ == LineEnd::Unix ? "\n" : "\r";
  std::string out;
  out.reserve(crlfText.size());
  for (std::size_t i = 0; i < crlfText.size(); ++i) {
    if (crlfText[i] == '\r' && i + 1 < crlfText.size() && crlfText[i + 1] == '\n') {
      out += eol;
      ++i;
    } else {
      out += crlfText[i];
    }
  }
  return out;
}

// ---------------------------------------------------------------------------
// Block indent

void EditingControl::indentSelectedLines(bool right) {
  if (!hasSelectedText()) return;
  const long a = SendScintilla(SCI_GETSELECTIONSTART), b = SendScintilla(SCI_GETSELECTIONEND);
  const long first = SendScintilla(SCI_LINEFROMPOSITION, a);
  long last = SendScintilla(SCI_LINEFROMPOSITION, b);
  if (last > first && SendScintilla(SCI_POSITIONFROMLINE, last) == b) --last;
  const int step = std::max(0, blockIndent_);
  if (step == 0) return;
  SendScintilla(SCI_BEGINUNDOACTION);
  for (long l = first; l <= last; ++l) {
    const long start = SendScintilla(SCI_POSITIONFROMLINE, l);
    if (right) {
      replaceRangeUtf8(start, start, std::string(static_cast<std::size_t>(step), ' '));
    } else {
      const long end = SendScintilla(SCI_GETLINEENDPOSITION, l);
      long n = 0;
      while (n < step && start + n < end && SendScintilla(SCI_GETCHARAT, start + n) == ' ') ++n;
      if (n) replaceRangeUtf8(start, start + n, std::string());
    }
  }
  SendScintilla(SCI_ENDUNDOACTION);
  SendScintilla(SCI_SETSEL, SendScintilla(SCI_POSITIONFROMLINE, first),
                SendScintilla(SCI_GETLINEENDPOSITION, last));
}

}  // namespace kiv
