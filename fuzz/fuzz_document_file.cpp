// Opening arbitrary bytes as a document and saving it again. The first byte
// is the options: bit 0 turns on the code page guess, the bits above pick a
// byte for the line that the edited copy appends; the rest is the file.
// The document is in "win", "dos" or "koi", its text has only CR LF breaks
// and closes its last line; a single-byte file keeps every byte and every
// line, a UTF-8 one reads as its import. The shape remembers the mark, the
// final break (a file without lines counts as closed) and the line break
// used most (LF when there is none).
// Saving: the file's lines come back, every break in the file's style, and
// a file with one kind of line break comes back byte for byte; a line
// appended to the document is written after the old bytes with the file's
// line break; what a UTF-8 file saves is valid UTF-8; opening the saved
// bytes gives the same document again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/charsets/code_page.h"
#include "core/charsets/utf8.h"
#include "core/charsets/utf8_files.h"
#include "core/common/text_lines.h"
#include "core/fileio/document_file.h"
#include "fuzz_check.h"
#include "fuzz_text.h"

namespace {

using kiv::LineEndStyle;

// The line break used most; CR LF wins ties, then LF; LF when there is none.
LineEndStyle mostUsedBreak(std::string_view s) {
  const fuzz::BreakCounts b = fuzz::breakCounts(s);
  if (b.total() == 0) return LineEndStyle::Lf;
  if (b.crlf >= b.lf && b.crlf >= b.cr) return LineEndStyle::CrLf;
  return b.lf >= b.cr ? LineEndStyle::Lf : LineEndStyle::Cr;
}

std::string_view breakOf(LineEndStyle style) {
  switch (style) {
    case LineEndStyle::CrLf: return "\r\n";
    case LineEndStyle::Lf: return "\n";
    case LineEndStyle::Cr: return "\r";
  }
  return "";
}

// Every line break of s is `style` (or there is none).
bool onlyBreaksOf(std::string_view s, LineEndStyle style) {
  const fuzz::BreakCounts b = fuzz::breakCounts(s);
  switch (style) {
    case LineEndStyle::CrLf: return b.lf == 0 && b.cr == 0;
    case LineEndStyle::Lf: return b.crlf == 0 && b.cr == 0;
    case LineEndStyle::Cr: return b.crlf == 0 && b.lf == 0;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const bool guess = (data[0] & 1) != 0;
  const std::string_view file(reinterpret_cast<const char*>(data) + 1, size - 1);

  const kiv::DocumentFile doc = kiv::loadDocumentFile(file, guess);
  FUZZ_CHECK(doc.charset == "win" || doc.charset == "dos" || doc.charset == "koi");
  FUZZ_CHECK(fuzz::isReaderText(doc.text));
  const kiv::TextFileShape& shape = doc.shape;
  FUZZ_CHECK(shape.utf8Bom == (file.substr(0, kiv::kUtf8Bom.size()) == kiv::kUtf8Bom));
  std::string_view body = file;
  if (shape.utf8Bom) body.remove_prefix(kiv::kUtf8Bom.size());
  // A file without lines (empty, or only the mark) counts as closed.
  FUZZ_CHECK(shape.finalLineBreak == fuzz::endsClosed(body));
  FUZZ_CHECK(shape.lineEnd == mostUsedBreak(file));
  FUZZ_CHECK(!(shape.utf8 && doc.utf8Foreign));
  if (shape.utf8 || doc.utf8Foreign || !guess) FUZZ_CHECK(doc.charset == "win");
  if (shape.utf8) {
    // Valid UTF-8 that Windows-1251 holds: its import, every line kept.
    FUZZ_CHECK(kiv::isValidUtf8(body));
    const kiv::Utf8Import imp = kiv::importUtf8File(file);
    FUZZ_CHECK(imp.unmapped == 0 && imp.malformed == 0 && doc.text == imp.text);
    FUZZ_CHECK(fuzz::linesOf(doc.text).size() == fuzz::linesOf(body).size());
    FUZZ_CHECK(fuzz::countOf(doc.text, '\0') == fuzz::countOf(body, '\0'));
  } else {
    // Bytes as they are: every byte and every line of the file.
    FUZZ_CHECK(fuzz::linesOf(doc.text) == fuzz::linesOf(file));
    if (doc.utf8Foreign) FUZZ_CHECK(kiv::isValidUtf8(body) && kiv::importUtf8File(file).unmapped > 0);
  }

  // Saved without edits: the same lines, the file's line break throughout,
  // and exactly the file when it used one kind of line break.
  const std::string saved = kiv::documentFileBytes(doc.text, doc.charset, shape);
  FUZZ_CHECK(fuzz::linesOf(saved) == fuzz::linesOf(file));
  FUZZ_CHECK(onlyBreaksOf(saved, shape.lineEnd));
  FUZZ_CHECK(fuzz::endsClosed(saved) == fuzz::endsClosed(file));
  if (fuzz::breakCounts(file).kinds() <= 1) FUZZ_CHECK(saved == file);
  if (shape.utf8) FUZZ_CHECK(kiv::isValidUtf8(saved));

  // Opening what was saved gives the same document.
  const kiv::DocumentFile again = kiv::loadDocumentFile(saved, false);
  FUZZ_CHECK(again.text == doc.text && again.shape == shape && again.utf8Foreign == doc.utf8Foreign);

  // An appended line (document bytes, CR LF) goes after the saved bytes with
  // the file's line break: the open last line is closed first, and the new
  // one stays open if the file's last line was.
  std::string line = "kiv ";
  line += static_cast<char>(0x80 | (data[0] >> 1));
  line += '\0';
  const std::string edited = doc.text + line + "\r\n";
  const std::string editedBytes = kiv::documentFileBytes(edited, doc.charset, shape);
  const std::string_view brk = breakOf(shape.lineEnd);
  const std::string lineBytes =
      shape.utf8 ? kiv::CodePage::ofCharset(doc.charset).decodeToUtf8(line) : line;
  const std::string expected = saved + std::string(shape.finalLineBreak ? "" : brk) + lineBytes +
                               std::string(shape.finalLineBreak ? brk : "");
  FUZZ_CHECK(editedBytes == expected);
  FUZZ_CHECK(onlyBreaksOf(editedBytes, shape.lineEnd));
  if (shape.utf8) FUZZ_CHECK(kiv::isValidUtf8(editedBytes));
  return 0;
}
