// Unicode import of arbitrary bytes: never crashes; the text has only CR LF
// line breaks and one zero byte for each zero code unit, in its place; each
// code unit gives at most one character; every unmapped character is a "?".
// A big-endian file (FE FF) reads like the same units little-endian
// (FF FE); without a mark and without surrogates its part before the first
// zero unit reads like the plain "unicode" format (which ends there). Any
// Windows-1251 text written as UTF-16 (either byte order) reads back, zero
// bytes included. The result also agrees with a plain reading written out
// here.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/charsets/charset_commands.h"
#include "core/charsets/code_page.h"
#include "core/common/text_lines.h"
#include "core/fileio/file_formats.h"
#include "fuzz_check.h"
#include "fuzz_text.h"

using namespace std::string_literals;

namespace {

std::string swappedPairs(std::string_view s) {
  std::string out(s);
  for (std::size_t i = 0; i + 1 < out.size(); i += 2) std::swap(out[i], out[i + 1]);
  return out;
}

bool hasBom(std::string_view s) {
  return s.size() >= 2 && ((s[0] == '\xFF' && s[1] == '\xFE') || (s[0] == '\xFE' && s[1] == '\xFF'));
}

// A surrogate code unit (little-endian) before the first zero unit.
bool hasSurrogateLe(std::string_view s) {
  for (std::size_t i = 0; i + 1 < s.size(); i += 2) {
    const unsigned u = static_cast<unsigned char>(s[i]) | (static_cast<unsigned char>(s[i + 1]) << 8);
    if (u == 0) return false;
    if (u >= 0xD800 && u <= 0xDFFF) return true;
  }
  return false;
}

// Zero code units after a byte-order mark (if any); the byte order does not
// matter for them.
std::size_t zeroUnits(std::string_view s) {
  const std::size_t from = hasBom(s) ? 2 : 0;
  std::size_t n = 0;
  for (std::size_t i = from; i + 1 < s.size(); i += 2) n += s[i] == '\0' && s[i + 1] == '\0';
  return n;
}

// A plain reading: mark, units, pairs, one byte or "?" each, breaks unified.
std::string reference(std::string_view s, std::size_t& unmapped) {
  const kiv::CodePage& win = kiv::CodePage::get(kiv::CodePageId::Win1251);
  bool be = false;
  std::size_t i = 0;
  if (s.size() >= 2 && s[0] == '\xFF' && s[1] == '\xFE') i = 2;
  else if (s.size() >= 2 && s[0] == '\xFE' && s[1] == '\xFF') i = 2, be = true;
  std::vector<char32_t> units;
  for (; i + 1 < s.size(); i += 2) {
    const unsigned a = static_cast<unsigned char>(s[i]), b = static_cast<unsigned char>(s[i + 1]);
    units.push_back(be ? (a << 8 | b) : (b << 8 | a));
  }
  std::string out;
  unmapped = 0;
  for (std::size_t k = 0; k < units.size(); ++k) {
    char32_t cp = units[k];
    if (cp >= 0xD800 && cp < 0xDC00 && k + 1 < units.size() && units[k + 1] >= 0xDC00 && units[k + 1] < 0xE000)
      cp = 0x10000 + ((cp - 0xD800) << 10) + (units[++k] - 0xDC00);
    const int byte = (cp >= 0xD800 && cp < 0xE000) ? -1 : win.fromUnicode(cp);
    if (byte < 0) ++unmapped;
    out += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return kiv::unifyLineBreaks(out);
}

void checkShape(std::string_view in, const std::string& out, std::size_t unmapped) {
  FUZZ_CHECK(fuzz::countOf(out, '\0') == zeroUnits(in));
  FUZZ_CHECK(fuzz::onlyCrLfBreaks(out));
  FUZZ_CHECK(fuzz::countOf(out, '?') >= unmapped);
  // A CR LF pair comes from at least one unit; any other byte from one.
  const std::size_t units = in.size() / 2;
  FUZZ_CHECK(out.size() - fuzz::countOf(out, '\n') <= units);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view in(reinterpret_cast<const char*>(data), size);

  std::size_t unmapped = 12345;
  const std::string out = kiv::importUtf16File(in, &unmapped);
  FUZZ_CHECK(unmapped != 12345);
  checkShape(in, out, unmapped);
  std::size_t refUnmapped = 0;
  FUZZ_CHECK(out == reference(in, refUnmapped) && unmapped == refUnmapped);
  FUZZ_CHECK(kiv::importUtf16File(in) == out);

  // The same units in the other byte order, each with its mark.
  const std::string le = "\xFF\xFE" + std::string(in);
  const std::string be = "\xFE\xFF" + swappedPairs(in);
  std::size_t unmappedLe = 0, unmappedBe = 0;
  const std::string fromLe = kiv::importUtf16File(le, &unmappedLe);
  FUZZ_CHECK(kiv::importUtf16File(be, &unmappedBe) == fromLe);
  FUZZ_CHECK(unmappedBe == unmappedLe);
  if (!hasBom(in)) {
    FUZZ_CHECK(fromLe == out && unmappedLe == unmapped);
    if (!hasSurrogateLe(in)) FUZZ_CHECK(kiv::untilZero(out) == kiv::unifyLineBreaks(kiv::win1251FromUtf16le(in)));
  }

  // Windows-1251 text written as UTF-16 reads back, line breaks unified and
  // zero bytes in place.
  const std::string units = kiv::utf16leFromWin1251(in);
  const std::string expected = kiv::unifyLineBreaks(in);
  FUZZ_CHECK(fuzz::withoutBreaks(expected) == fuzz::withoutBreaks(in));
  std::size_t n = 1;
  FUZZ_CHECK(kiv::importUtf16File("\xFF\xFE" + units, &n) == expected && n == 0);
  FUZZ_CHECK(kiv::importUtf16File("\xFE\xFF" + swappedPairs(units), &n) == expected && n == 0);
  if (!hasBom(units)) {
    FUZZ_CHECK(kiv::importUtf16File(units, &n) == expected && n == 0);
    // A surrogate pair (U+1F600) is one character that Windows-1251 lacks;
    // a lone low surrogate is one as well.
    std::string tail = kiv::importUtf16File("\xFF\xFE"s + units + "\x3D\xD8\x00\xDE\x00\xDC"s, &n);
    FUZZ_CHECK(n == 2);
    FUZZ_CHECK(tail == kiv::unifyLineBreaks(std::string(in) + "??"));
  }
  return 0;
}
