#pragma once
// The editing control of a document window. It holds the text as Unicode
// for display and editing; everything that crosses its interface is bytes
// in the document's code page (every byte value survives), with CR LF line
// breaks. Column numbers count characters, which are single bytes in the
// document's code page.

#include <Qsci/qsciscintilla.h>

#include <QPixmap>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/charsets/utf8_files.h"
#include "core/config/settings.h"
#include "core/fileio/saved_bytes_maker.h"

class QPaintEvent;

namespace kiv {

struct BackgroundFill;

class EditingControl : public QsciScintilla {
  Q_OBJECT
 public:
  explicit EditingControl(QWidget* parent = nullptr);
  ~EditingControl() override;

  // --- charset -------------------------------------------------------------
  const std::string& charsetId() const { return charset_; }
  // Switches the code page through which the bytes are shown. The bytes stay
  // as they are; the change is one undo step together with any text that
  // reads differently, so undo gives back the old reading and code page
  // (and redo the new ones). Callers may wrap it in a larger UndoGroup.
  void setCharsetId(const std::string& id);

  // --- text as bytes ----------------------------------------------------------
  // Lone LFs in the control's text are cuts in very long lines made for the
  // display only (DocumentFileInfo::cutLinesAt); the text read from the
  // control leaves them out. Once on, it stays on for the control.
  void setLinesCutForDisplay(bool on) { linesCut_ = linesCut_ || on; }
  bool linesCutForDisplay() const { return linesCut_; }
  // The whole text, each line followed by CR LF (an empty document gives "").
  // The control shows the lines without a break after the last one.
  std::string textCrLf() const;
  // The content exactly as stored (line breaks as typed), in bytes.
  std::string rawBytes() const;
  // The bytes of the document's file: the text in the code page, laid out
  // as the file was (its line break, final break, UTF-8 and mark), made in
  // one pass without copying the whole text first.
  std::string fileBytes(const TextFileShape& shape) const;
  // The same bytes made in pieces ahead of whoever writes them; the text
  // must not change while they are taken.
  std::unique_ptr<SavedBytePieces> filePieces(const TextFileShape& shape) const;
  // The control's UTF-8 text where it is stored, in two runs; valid until
  // the next change.
  std::array<std::string_view, 2> textInPlace() const;
  // Replaces the whole text as one undo step; the caret goes to the start.
  void setTextBytes(std::string_view bytes);
  // As setTextBytes, then forgets the undo history (a freshly loaded file).
  void loadTextBytes(std::string_view bytes);
  // Loading a file piece by piece: the text as the control shows it (UTF-8,
  // CR LF between lines, no break after the last line). sizeHint is about
  // the whole text's size; highlighted says a highlighter will colour it.
  // endLoading leaves no undo history and the modified flag clear.
  void beginLoading(const std::string& charsetId, std::uint64_t sizeHint, bool highlighted);
  void appendLoaded(std::string_view utf8);
  void endLoading();
  // Replaces the whole text and the code page as one undo step (revert,
  // conversion to another code page); caret and view keep their place.
  void replaceDocument(std::string_view bytes, const std::string& charsetId);
  // The same with the text as the control shows it.
  void replaceShownText(std::string_view utf8, const std::string& charsetId);

  bool hasSelectedText() const;
  // The selection with its line breaks as CR LF ("" without a selection).
  std::string selectedBytes() const;
  // Replaces the selection (inserts at the caret without one), one undo step.
  void replaceSelectionBytes(std::string_view bytes);
  // Inserts at the caret as one undo step; the caret ends after the text.
  void insertBytesAtCaret(std::string_view bytes);

  // Lines as a list: a final line break does not start another line.
  int lineListCount() const;
  std::string lineBytes(int line) const;
  void setLineBytes(int line, std::string_view bytes);
  // The lines the selection touches, first and last partial.
  std::vector<std::string> selectedLineList() const;
  // Inserts the lines at the caret as a block (each followed by a line break).
  void insertLineBlock(const std::vector<std::string>& lines);

  // --- positions --------------------------------------------------------------
  int caretLine() const;
  int caretColumn() const;
  // Moves the caret, clamping line and column to the document.
  void moveCaretTo(int line, int column);
  int topLine() const;
  void setTopLine(int line);
  void scrollLinesBy(int delta);
  int leftColumn() const;
  void scrollColumnsBy(int delta);

  // --- modified flag ----------------------------------------------------------
  bool modifiedFlag() const;
  // false: the current point of the undo history becomes the saved state.
  // true: modified whatever is undone, until set to false.
  void setModifiedFlag(bool modified);

  // Copy and cut keep every byte (a zero byte too) for pasting here.
  void copy() override;
  void cut() override;
  void paste() override;

  // --- keys -------------------------------------------------------------------
  // Keys that belong to the program: the control's own bindings of them are
  // dropped and they are never taken as the control's shortcut overrides.
  void releaseKeys(const QList<QKeySequence>& keys);
  // Called for every key before the control handles it; true consumes it.
  std::function<bool(QKeyEvent*)> keyDownHook;
  // Called for typed text before it is inserted; may change it.
  std::function<void(QString&)> typedTextHook;
  // Sends typed text straight to the control (no hooks).
  void typeRaw(const QString& text);

  // --- selection mode, line ends ------------------------------------------------
  bool columnSelection() const { return columnMode_; }
  void setColumnSelection(bool on);
  enum class LineEnd { Windows, Unix, Mac };
  LineEnd streamLineEnd() const { return lineEnd_; }
  void setStreamLineEnd(LineEnd e) { lineEnd_ = e; }
  // CR LF text with its line breaks in the stream line-end format.
  std::string withStreamLineEnds(std::string_view crlfText) const;

  // --- marks --------------------------------------------------------------------
  // Bookmark n (1…9): on the caret's line it is removed, otherwise set there.
  void toggleBookmark(int n);
  void gotoBookmark(int n);
  void removeBookmark(int n);
  int bookmarkLine(int n) const;  // -1 when not set
  void toggleBreakPoint();
  bool hasBreakPoint(int line) const;

  // --- appearance ------------------------------------------------------------------
  void setDocumentFont(const QString& family, int pointSize);
  QString documentFontFamily() const { return fontFamily_; }
  int documentFontSize() const { return fontSize_; }
  void setColors(ColorRef text, ColorRef paper, ColorRef selText, ColorRef selPaper);
  ColorRef textColor() const { return textColor_; }
  ColorRef paperColor() const { return paperColor_; }
  ColorRef selectionTextColor() const { return selTextColor_; }
  ColorRef selectionPaperColor() const { return selPaperColor_; }
  // Highlighter by display name ("Нет" for none); colouring on or off.
  void setHighlighterName(const QString& name);
  QString highlighterName() const { return highlighter_; }
  void setSyntaxColoring(bool on);
  bool syntaxColoring() const { return coloring_; }
  // Colouring is on and a highlighter is chosen.
  bool highlights() const { return coloring_ && lexer_; }
  // Whether the text keeps per-character styles; a large document has none
  // and is shown without highlighting (editing_control_storage.cpp).
  bool keepsStyles() const;
  // Too large to keep styles even for a highlighter.
  bool tooLargeToHighlight() const;
  void setRightMargin(int column, bool visible);
  int rightMarginColumn() const { return marginColumn_; }
  void setShowLineNumbers(bool on);
  bool showLineNumbers() const { return lineNumbers_; }
  void setGutterWidthPx(int px);
  int gutterWidthPx() const { return gutterWidth_; }
  void setBlockIndent(int columns);
  int blockIndent() const { return blockIndent_; }
  void setSpacesPerTab(int n);
  void setSeparatorLines(bool on);
  bool separatorLines() const { return separators_; }
  void setWordWrapOn(bool on);
  bool wordWrapOn() const;
  // Fills: the text area (none / gradient / picture) and the gutter (plain
  // colour / gradient / picture). A picture that cannot be loaded returns false.
  bool setTextAreaFill(const AreaFill& fill, ColorRef paper);
  bool setGutterFill(const AreaFill& fill);
  // Shifts the selected lines right or left by the block indent (one undo step).
  void indentSelectedLines(bool right);

  // The text as an HTML or RTF file with the highlighter's colours ("HTML" or
  // "RTF"; anything else gives ""), in the stream line-end format.
  std::string exportStyled(const std::string& format, const std::string& title);

  static const QColor kPaperSentinel;
  static const QColor kGutterSentinel;

 signals:
  void caretMoved(int line, int column);
  // The code page changed: by a command, by loading, by undo or redo.
  void charsetChanged(const QString& id);
  // Typed or pasted text held characters the code page lacks: what the user
  // should be told.
  void textRefused(const QString& message);
  void contextMenuWanted(const QPoint& globalPos);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  bool event(QEvent* e) override;
  QByteArray fromMimeData(const QMimeData* source, bool& rectangular) const override;
  QMimeData* toMimeData(const QByteArray& text, bool rectangular) const override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;

 private:
  std::string utf8Range(long from, long to) const;
  // Bytes of text read from the control, without the display's cuts.
  std::string bytesOfShown(std::string_view utf8) const;
  // Text as the control holds it: line breaks as CR LF, the last line's
  // break dropped (it closes the line, it does not start another).
  static std::string shownText(std::string_view bytes);
  std::string bytesOfUtf8(std::string_view utf8) const;
  std::string utf8OfBytes(std::string_view bytes) const;
  // The text without the characters the code page lacks; `dropped` counts them
  // and `first` is the first of them.
  QString representable(const QString& text, int* dropped = nullptr, char32_t* first = nullptr) const;
  // Pasted text: characters the code page lacks become "?" and the user is told.
  QString pastable(const QString& text) const;
  void refuseTyped(char32_t character);
  long positionOfLineColumn(int line, int column) const;
  void replaceRangeUtf8(long from, long to, std::string_view utf8);
  void applyLexerLook();
  // Text without a highlighter: words and the blanks between them in two
  // styles that look alike (see editing_control_layout.cpp).
  void setUpPlainTextStyling();
  // See editing_control_accessibility.cpp.
  void describeSimplyWhileNoOneListens();
  // See editing_control_storage.cpp.
  static bool stylesFit(std::uint64_t shownSize, bool highlighted);
  void chooseStorageFor(std::uint64_t shownSize, bool highlighted);
  // Moves a text kept without styles into a document with them, when it is
  // small enough and has no undo history to lose; true if it has them now.
  bool takeStylesForHighlighting();
  // See editing_control_navigation.cpp.
  bool navigateWhileWrapping(QKeyEvent* e);
  void copyWordStyleToBlanks();
  void stylePlainText(long upTo);
  void applyPaperColours();
  void applyMargins();
  void applyColumnKeys();
  void defineMarkers();
  void paintSeparators(QPainter& p, const QRect& clip);
  void containerUndo(int token, bool undo);
  // Records a code page change in the undo history and makes it.
  void recordCharsetChange(const std::string& id);

  std::string charset_ = "win";
  bool forcedModified_ = false;
  long wrapWhileLoading_ = 0;
  long modEventMaskWhileLoading_ = 0;
  // The wrap mode an undo or redo of a large change switched off, until it is back.
  long wrapAfterUndo_ = SC_WRAP_NONE;
  // The column vertical moves keep, and where the last of them left the caret.
  long chosenX_ = 0;
  long chosenCaret_ = -1;
  bool linesCut_ = false;
  bool columnMode_ = false;
  LineEnd lineEnd_ = LineEnd::Windows;
  QString fontFamily_ = QStringLiteral("Courier New");
  int fontSize_ = 10;
  ColorRef textColor_ = 0, paperColor_ = 0xFFFFFF, selTextColor_ = 0xFFFFFF, selPaperColor_ = 0;
  QString highlighter_ = QStringLiteral("Нет");
  bool coloring_ = true;
  int marginColumn_ = 72;
  bool marginVisible_ = false;
  bool lineNumbers_ = false;
  int gutterWidth_ = 24;
  int blockIndent_ = 1;
  bool separators_ = false;
  QList<QKeySequence> programKeys_;
  QsciLexer* lexer_ = nullptr;
  std::unique_ptr<BackgroundFill> fill_;
  bool inRender_ = false;
  // Charset changes recorded in the undo history: token → (old, new).
  std::vector<std::pair<std::string, std::string>> charsetHistory_;
};

// Everything done while it lives is one undo step.
class UndoGroup {
 public:
  explicit UndoGroup(EditingControl* control) : control_(control) {
    if (control_) control_->SendScintilla(QsciScintillaBase::SCI_BEGINUNDOACTION);
  }
  ~UndoGroup() {
    if (control_) control_->SendScintilla(QsciScintillaBase::SCI_ENDUNDOACTION);
  }
  UndoGroup(const UndoGroup&) = delete;
  UndoGroup& operator=(const UndoGroup&) = delete;

 private:
  EditingControl* control_;
};

}  // namespace kiv
