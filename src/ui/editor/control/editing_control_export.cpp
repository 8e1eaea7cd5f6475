// HTML and RTF export with the highlighter's colours.

#include <Qsci/qscilexer.h>

#include "core/charsets/code_page.h"
#include "core/charsets/utf8.h"
#include "core/export/styled_export.h"
#include "ui/editor/control/background_fill.h"
#include "ui/editor/control/editing_control.h"

namespace kiv {

namespace {
std::uint32_t rgbOf(const QColor& c) {
  return (static_cast<std::uint32_t>(c.red()) << 16) | (static_cast<std::uint32_t>(c.green()) << 8) |
         static_cast<std::uint32_t>(c.blue());
}
}  // namespace

std::string EditingControl::exportStyled(const std::string& format, const std::string& title) {
  if (format != "HTML" && format != "RTF") return {};
  const long length = SendScintilla(SCI_GETLENGTH);
  SendScintilla(SCI_COLOURISE, 0L, -1L);

  const std::string utf8 = utf8Range(0, length);
  std::vector<std::uint8_t> byteStyles(utf8.size(), 0);
  constexpr long kChunk = 1 << 20;
  std::string buf;
  for (long from = 0; from < length; from += kChunk) {
    const long to = std::min(length, from + kChunk);
    buf.assign(static_cast<std::size_t>(to - from) * 2 + 2, '\0');
    SendScintilla(SCI_GETSTYLEDTEXT, from, to, buf.data());
    for (long i = from; i < to; ++i) byteStyles[i] = static_cast<std::uint8_t>(buf[(i - from) * 2 + 1]);
  }

  const CodePage& page = CodePage::ofCharset(charset_);
  StyledText styled;
  styled.bytes.reserve(utf8.size());
  styled.styles.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::size_t at = pos;
    const char32_t cp = nextUtf8(utf8, pos);
    const int b = page.fromUnicode(cp);
    styled.bytes += b < 0 ? '?' : static_cast<char>(b);
    styled.styles.push_back(byteStyles[at]);
  }

  QsciLexer* lx = lexer();
  const QColor paper = colorOf(paperColor_);
  styled.paper = rgbOf(paper);
  styled.fontName = fontFamily_.toStdString();
  styled.fontSize = fontSize_;
  styled.styleTable.resize(128);
  for (int s = 0; s < 128; ++s) {
    ExportStyle& st = styled.styleTable[s];
    if (lx) {
      st.fore = rgbOf(lx->color(s));
      const QColor back = lx->paper(s);
      st.back = back == kPaperSentinel ? styled.paper : rgbOf(back);
      const QFont f = lx->font(s);
      st.bold = f.bold();
      st.italic = f.italic();
      st.underline = f.underline();
    } else {
      st.fore = rgbOf(colorOf(textColor_));
      st.back = styled.paper;
    }
  }
  const std::string out =
      format == "HTML" ? exportHtml(styled, page, page.encodeFromUtf8(title)) : exportRtf(styled, page);
  return withStreamLineEnds(out);
}

}  // namespace kiv
