// Plain text, shown without a highlighter, is styled word by word: words in
// one style, the blanks between them in another that looks exactly the same.
// The control measures text a run of one style at a time and remembers the
// widths of short runs, so each different word is measured once; measuring
// whole lines instead (the library asks the toolkit for every character's
// position) makes wrapping a large document many times slower.

#include "ui/editor/control/editing_control.h"

namespace kiv {

namespace {

constexpr int kWordStyle = 0;
constexpr int kBlankStyle = 1;
// Widths of this many different runs are kept (the library's default is 1024).
constexpr long kMeasuredRuns = 1 << 16;
// Styled in pieces of this size, so no large buffer is needed.
constexpr long kStylingPiece = 1 << 20;

bool isBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

void EditingControl::setUpPlainTextStyling() {
  SendScintilla(SCI_SETPOSITIONCACHE, kMeasuredRuns);
  connect(this, &QsciScintillaBase::SCN_STYLENEEDED, this, [this](int position) { stylePlainText(position); });
}

void EditingControl::copyWordStyleToBlanks() {
  // Style 0 carries the look of text without a highlighter; blanks take it over.
  const unsigned long word = kWordStyle, blank = kBlankStyle;
  char family[256] = {};
  SendScintilla(SCI_STYLEGETFONT, word, family);
  SendScintilla(SCI_STYLESETFONT, blank, family);
  SendScintilla(SCI_STYLESETSIZEFRACTIONAL, blank, SendScintilla(SCI_STYLEGETSIZEFRACTIONAL, word));
  SendScintilla(SCI_STYLESETWEIGHT, blank, SendScintilla(SCI_STYLEGETWEIGHT, word));
  SendScintilla(SCI_STYLESETITALIC, blank, SendScintilla(SCI_STYLEGETITALIC, word));
  SendScintilla(SCI_STYLESETUNDERLINE, blank, SendScintilla(SCI_STYLEGETUNDERLINE, word));
  SendScintilla(SCI_STYLESETFORE, blank, SendScintilla(SCI_STYLEGETFORE, word));
  SendScintilla(SCI_STYLESETBACK, blank, SendScintilla(SCI_STYLEGETBACK, word));
  SendScintilla(SCI_STYLESETCHARACTERSET, blank, SendScintilla(SCI_STYLEGETCHARACTERSET, word));
}

void EditingControl::stylePlainText(long upTo) {
  const long length = SendScintilla(SCI_GETLENGTH);
  upTo = std::min(upTo, length);
  if (!keepsStyles()) {
    // A document without styles (editing_control_storage.cpp) has nothing
    // to style: only say it is done.
    SendScintilla(SCI_STARTSTYLING, upTo, 0L);
    return;
  }
  long from = SendScintilla(SCI_GETENDSTYLED);
  from = SendScintilla(SCI_POSITIONFROMLINE, SendScintilla(SCI_LINEFROMPOSITION, from));
  std::string styles;
  while (from < upTo) {
    const long n = std::min(kStylingPiece, upTo - from);
    const char* text = reinterpret_cast<const char*>(
        SendScintilla(SCI_GETRANGEPOINTER, static_cast<unsigned long>(from), n));
    styles.resize(static_cast<std::size_t>(n));
    for (long i = 0; i < n; ++i) styles[static_cast<std::size_t>(i)] = isBlank(text[i]) ? kBlankStyle : kWordStyle;
    SendScintilla(SCI_STARTSTYLING, from, 0L);
    SendScintilla(SCI_SETSTYLINGEX, static_cast<unsigned long>(n), styles.data());
    from += n;
  }
}

}  // namespace kiv
