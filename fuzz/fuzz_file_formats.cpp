// The file formats on arbitrary bytes. Plain text: the reading keeps every
// byte (zero bytes too) and every line of the file, has only CR LF breaks,
// closes its last line, grows by one byte per lone CR or LF and two for an
// open last line, and reads and writes itself unchanged; a file with CR LF
// breaks and a closed last line reads as exactly its bytes.
// UTF-16 (the "unicode" format, whose text ends at the first zero code
// unit): one byte per code unit up to the first zero unit, and any
// Windows-1251 text written and read back is its part before the first
// zero. Fido header: only the first 190 bytes count (missing ones are
// zero), the line has its four labels, and a header built from the input's
// names and numbers reads back as exactly the expected line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/common/text_lines.h"
#include "core/fileio/file_formats.h"
#include "fuzz_check.h"
#include "fuzz_text.h"

namespace {

void checkStdTxt(std::string_view in) {
  const std::string text = kiv::stdTxtFromBytes(in);
  FUZZ_CHECK(fuzz::isReaderText(text));
  FUZZ_CHECK(fuzz::withoutBreaks(text) == fuzz::withoutBreaks(in));
  FUZZ_CHECK(fuzz::linesOf(text) == fuzz::linesOf(in));
  const fuzz::BreakCounts b = fuzz::breakCounts(in);
  FUZZ_CHECK(text.size() == in.size() + b.lf + b.cr + (fuzz::endsClosed(in) ? 0 : 2));
  if (b.lf == 0 && b.cr == 0 && fuzz::endsClosed(in)) FUZZ_CHECK(text == in);
  FUZZ_CHECK(kiv::stdTxtFromBytes(text) == text);
  FUZZ_CHECK(kiv::stdTxtToBytes(text) == text);
  FUZZ_CHECK(kiv::stdTxtFromBytes(kiv::stdTxtToBytes(in)) == text);
}

void checkUtf16(std::string_view in) {
  const std::string text = kiv::win1251FromUtf16le(in);
  FUZZ_CHECK(!fuzz::hasZero(text) && text.size() <= in.size() / 2);
  const std::string units = kiv::utf16leFromWin1251(in);
  FUZZ_CHECK(units.size() == 2 * in.size());
  FUZZ_CHECK(kiv::win1251FromUtf16le(units) == kiv::untilZero(in));
}

// The decimal number of a little-endian 16-bit field.
std::string word(std::string_view h, std::size_t off) {
  return std::to_string(static_cast<unsigned char>(h[off]) | (static_cast<unsigned char>(h[off + 1]) << 8));
}

void checkFido(std::string_view in) {
  const std::string line = kiv::fidoHeaderLine(in);
  std::string header(in.substr(0, 190));
  header.resize(190, '\0');
  FUZZ_CHECK(kiv::fidoHeaderLine(header) == line);
  FUZZ_CHECK(kiv::fidoHeaderLine(header + "message body") == line);
  FUZZ_CHECK(line.substr(0, 6) == "FROM: ");
  FUZZ_CHECK(line.size() <= 6 + 36 + 2 + 5 + 1 + 5 + 4 + 36 + 2 + 5 + 1 + 5 + 6 + 20 + 5 + 72);
  const std::string from = "2:" + word(header, 172) + "/" + word(header, 168) + "TO: ";
  const std::string to = "2:" + word(header, 174) + "/" + word(header, 166) + "DATE: ";
  FUZZ_CHECK(line.find(from) != std::string::npos && line.find(to) != std::string::npos);

  // A header with names free of zero bytes: the exact line.
  std::string h = header;
  for (std::size_t i = 0; i < 144; ++i)
    if (h[i] == '\0') h[i] = '.';
  h[35] = h[71] = h[143] = '\0';
  const std::string expected = "FROM: " + h.substr(0, 35) + "2:" + word(h, 172) + "/" + word(h, 168) +
                               "TO: " + h.substr(36, 35) + "2:" + word(h, 174) + "/" + word(h, 166) +
                               "DATE: " + h.substr(144, 20) + "SUBJ:" + h.substr(72, 71);
  FUZZ_CHECK(kiv::fidoHeaderLine(h) == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view in(reinterpret_cast<const char*>(data), size);
  checkStdTxt(in);
  checkUtf16(in);
  checkFido(in);
  return 0;
}
