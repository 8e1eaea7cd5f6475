// UTF-8 files: opening arbitrary bytes never crashes and sorts them right
// (plain, UTF-8 that Windows-1251 holds, UTF-8 it does not); the import is
// reader text with one "?" for each unmapped character and each malformed
// byte, and every zero byte of the file. The file's shape has the line
// break it uses most (LF when it has none). A file opened as Windows-1251
// text and saved unchanged gives its bytes back, zero bytes included, every
// line break written in the file's dominant style. The input is also tried
// as Windows-1251 text exported to UTF-8, with and without a byte-order
// mark.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/charsets/utf8.h"
#include "core/charsets/utf8_files.h"
#include "core/common/text_lines.h"
#include "fuzz_check.h"
#include "fuzz_text.h"

namespace {

using kiv::LineEndStyle;
using kiv::OpenedFileKind;

// The line break used most; CR LF wins ties, then LF; LF when there is none.
LineEndStyle mostUsedBreak(std::string_view s) {
  const fuzz::BreakCounts b = fuzz::breakCounts(s);
  if (b.total() == 0) return LineEndStyle::Lf;
  if (b.crlf >= b.lf && b.crlf >= b.cr) return LineEndStyle::CrLf;
  return b.lf >= b.cr ? LineEndStyle::Lf : LineEndStyle::Cr;
}

void checkLineEnds(std::string_view text) {
  const std::string lf = kiv::withLineEnds(text, LineEndStyle::Lf);
  const std::string cr = kiv::withLineEnds(text, LineEndStyle::Cr);
  const std::string crlf = kiv::withLineEnds(text, LineEndStyle::CrLf);
  FUZZ_CHECK(lf.find('\r') == std::string::npos);
  FUZZ_CHECK(cr.find('\n') == std::string::npos);
  FUZZ_CHECK(fuzz::onlyCrLfBreaks(crlf));
  const std::string bare = fuzz::withoutBreaks(text);
  FUZZ_CHECK(fuzz::withoutBreaks(lf) == bare && fuzz::withoutBreaks(cr) == bare &&
             fuzz::withoutBreaks(crlf) == bare);
  FUZZ_CHECK(fuzz::countOf(lf, '\n') == fuzz::countOf(cr, '\r'));
  FUZZ_CHECK(fuzz::countOf(lf, '\n') == fuzz::countOf(crlf, '\n'));
}

void checkFile(std::string_view file) {
  const kiv::OpenedFile opened = kiv::classifyOpenedFile(file);
  const kiv::TextFileShape shape = kiv::detectTextFileShape(file);
  FUZZ_CHECK(opened.shape.lineEnd == shape.lineEnd && opened.shape.finalLineBreak == shape.finalLineBreak &&
             opened.shape.utf8Bom == shape.utf8Bom);
  FUZZ_CHECK(!shape.utf8 && opened.shape.utf8 == (opened.kind == OpenedFileKind::Utf8ToWin));
  FUZZ_CHECK(shape.lineEnd == mostUsedBreak(file));

  std::string_view body = file;
  if (shape.utf8Bom) {
    FUZZ_CHECK(body.substr(0, 3) == kiv::kUtf8Bom);
    body.remove_prefix(3);
  }
  FUZZ_CHECK(shape.finalLineBreak == fuzz::endsClosed(body));
  bool nonAscii = false;
  for (unsigned char c : body) nonAscii = nonAscii || c >= 0x80;
  const bool valid = kiv::isValidUtf8(body);

  const kiv::Utf8Import imp = kiv::importUtf8File(file);
  FUZZ_CHECK(fuzz::isReaderText(imp.text));
  FUZZ_CHECK(fuzz::linesOf(imp.text).size() == fuzz::linesOf(body).size());
  FUZZ_CHECK(fuzz::countOf(imp.text, '\0') == fuzz::countOf(body, '\0'));
  FUZZ_CHECK(valid == (imp.malformed == 0));
  FUZZ_CHECK(fuzz::countOf(imp.text, '?') == fuzz::countOf(body, '?') + imp.unmapped + imp.malformed);
  FUZZ_CHECK(fuzz::withoutBreaks(imp.text).size() <= body.size());
  if (!nonAscii) FUZZ_CHECK(imp.text == kiv::normalizeToCrLf(body) && imp.unmapped == 0);

  const bool utf8 = valid && (nonAscii || shape.utf8Bom);
  switch (opened.kind) {
    case OpenedFileKind::Other: FUZZ_CHECK(!utf8); break;
    case OpenedFileKind::Utf8Foreign: FUZZ_CHECK(utf8 && imp.unmapped > 0); break;
    case OpenedFileKind::Utf8ToWin: {
      FUZZ_CHECK(utf8 && imp.unmapped == 0);
      FUZZ_CHECK(opened.text == imp.text);
      const std::string saved = kiv::saveUtf8File(opened.text, opened.shape);
      const std::string expected =
          std::string(shape.utf8Bom ? kiv::kUtf8Bom : "") + kiv::withLineEnds(body, shape.lineEnd);
      FUZZ_CHECK(saved == expected);
      if (fuzz::breakCounts(body).kinds() <= 1) FUZZ_CHECK(saved == file);
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view in(reinterpret_cast<const char*>(data), size);
  checkFile(in);
  checkLineEnds(in);

  // The input as Windows-1251 text, exported and opened again.
  const std::string utf8 = kiv::exportUtf8(in, "win");
  FUZZ_CHECK(kiv::isValidUtf8(utf8) && kiv::utf8Length(utf8) == size);
  const kiv::Utf8Import back = kiv::importUtf8File(utf8);
  FUZZ_CHECK(back.text == kiv::normalizeToCrLf(in));
  FUZZ_CHECK(fuzz::linesOf(back.text) == fuzz::linesOf(in));
  FUZZ_CHECK(back.unmapped == 0 && back.malformed == 0);
  checkFile(utf8);
  const std::string withBom = std::string(kiv::kUtf8Bom) + utf8;
  checkFile(withBom);
  FUZZ_CHECK(kiv::classifyOpenedFile(withBom).kind == OpenedFileKind::Utf8ToWin);

  for (std::string_view cs : {"dos", "koi"}) {
    const std::string u = kiv::exportUtf8(in, cs);
    FUZZ_CHECK(kiv::isValidUtf8(u) && kiv::utf8Length(u) == size);
  }
  return 0;
}
