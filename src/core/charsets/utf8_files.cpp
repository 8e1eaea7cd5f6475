#include "core/charsets/utf8_files.h"

#include "core/charsets/charset_id.h"
#include "core/charsets/code_page.h"
#include "core/charsets/utf8.h"
#include "core/common/text_lines.h"

namespace kiv {

LineEndStyle dominantLineEnd(std::string_view bytes) {
  std::size_t crlf = 0, lf = 0, cr = 0;
  const std::size_t n = bytes.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char c = bytes[i];
    if (c == '\r') {
      if (i + 1 < n && bytes[i + 1] == '\n') {
        ++crlf;
        ++i;
      } else {
        ++cr;
      }
    } else if (c == '\n') {
      ++lf;
    }
  }
  if (crlf >= lf && crlf >= cr) return LineEndStyle::CrLf;
  return lf >= cr ? LineEndStyle::Lf : LineEndStyle::Cr;
}

std::string withLineEnds(std::string_view text, LineEndStyle style) {
  if (style == LineEndStyle::CrLf) return unifyLineBreaks(text);
  const char brk = style == LineEndStyle::Lf ? '\n' : '\r';
  std::string out;
  out.reserve(text.size());
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char c = text[i];
    if (c == '\r') {
      if (i + 1 < n && text[i + 1] == '\n') ++i;
      out += brk;
    } else if (c == '\n') {
      out += brk;
    } else {
      out += c;
    }
  }
  return out;
}

TextFileShape detectTextFileShape(std::string_view bytes) {
  TextFileShape shape;
  shape.utf8Bom = bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom;
  const std::string_view text = shape.utf8Bom ? bytes.substr(kUtf8Bom.size()) : bytes;
  // A file without any line break gets the platform's own, LF.
  shape.lineEnd = text.find_first_of("\r\n") == std::string_view::npos ? LineEndStyle::Lf : dominantLineEnd(text);
  // A file without lines (empty, or only the mark) counts as closed, so the
  // first line typed into it gets its break like in any new file.
  shape.finalLineBreak = text.empty() || text.back() == '\n' || text.back() == '\r';
  return shape;
}

std::string restoreTextFileShape(std::string_view text, const TextFileShape& shape) {
  if (!shape.finalLineBreak) {
    if (text.size() >= 2 && text.substr(text.size() - 2) == kCrLf) text.remove_suffix(2);
    else if (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  }
  return withLineEnds(text, shape.lineEnd);
}

Utf8Import importUtf8File(std::string_view fileBytes) {
  std::string_view body = fileBytes;
  if (body.substr(0, kUtf8Bom.size()) == kUtf8Bom) body.remove_prefix(kUtf8Bom.size());
  const CodePage& win = CodePage::get(CodePageId::Win1251);
  Utf8Import r;
  std::string out;
  out.reserve(body.size());
  std::size_t pos = 0;
  while (pos < body.size()) {
    const unsigned char b = static_cast<unsigned char>(body[pos]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++pos;
      continue;
    }
    const std::size_t before = pos;
    const char32_t cp = nextUtf8(body, pos);
    if (cp == 0xFFFD && pos - before == 1) {
      ++r.malformed;
      out += '?';
      continue;
    }
    const int mapped = win.fromUnicode(cp);
    if (mapped < 0) {
      ++r.unmapped;
      out += '?';
    } else {
      out += static_cast<char>(mapped);
    }
  }
  r.text = normalizeToCrLf(out);
  return r;
}

std::string exportUtf8(std::string_view text, std::string_view charset) {
  return CodePage::ofCharset(charset).decodeToUtf8(text);
}

OpenedFile classifyOpenedFile(std::string_view fileBytes) {
  OpenedFile f;
  f.shape = detectTextFileShape(fileBytes);
  std::string_view body = fileBytes;
  if (f.shape.utf8Bom) body.remove_prefix(kUtf8Bom.size());
  bool nonAscii = false;
  for (unsigned char c : body) {
    if (c >= 0x80) {
      nonAscii = true;
      break;
    }
  }
  if (!nonAscii && !f.shape.utf8Bom) return f;
  if (!isValidUtf8(body)) return f;
  Utf8Import imp = importUtf8File(fileBytes);
  if (imp.unmapped != 0 || imp.malformed != 0) {
    f.kind = OpenedFileKind::Utf8Foreign;
    return f;
  }
  f.kind = OpenedFileKind::Utf8ToWin;
  f.shape.utf8 = true;
  f.text = std::move(imp.text);
  return f;
}

std::string saveUtf8File(std::string_view winText, const TextFileShape& shape) {
  std::string out;
  if (shape.utf8Bom) out.assign(kUtf8Bom);
  out += exportUtf8(restoreTextFileShape(winText, shape), charset::kWin);
  return out;
}

}  // namespace kiv
