// Charset detection of arbitrary bytes: never crashes, always answers "win",
// "dos" or "koi", and the detailed answer agrees: text without a byte above
// 7F scores no pair and is "win"; a UTF-8 answer is "win" and the text is
// valid UTF-8; a marker answer has its marker; the scores are finite. The
// input is also tried as Windows-1251 letters exported to UTF-8, which is
// always "win".
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/charsets/charset_detect.h"
#include "core/charsets/charset_id.h"
#include "core/charsets/utf8.h"
#include "core/charsets/utf8_files.h"
#include "fuzz_check.h"

namespace {

void check(std::string_view text) {
  const std::string c = kiv::detectCharset(text);
  FUZZ_CHECK(c == kiv::charset::kWin || c == kiv::charset::kDos || c == kiv::charset::kKoi);
  const kiv::CharsetDetection d = kiv::detectCharsetDetailed(text);
  FUZZ_CHECK(d.charset == c);
  FUZZ_CHECK(std::isfinite(d.scoreWin) && std::isfinite(d.scoreDos) && std::isfinite(d.scoreKoi));
  std::size_t high = 0;
  for (unsigned char b : text) high += b >= 0x80;
  FUZZ_CHECK(d.pairs <= 2 * high && (high == 0) == (d.pairs == 0));
  if (high == 0) FUZZ_CHECK(c == kiv::charset::kWin && !d.utf8 && !d.byMarkers);
  if (d.utf8) FUZZ_CHECK(c == kiv::charset::kWin && kiv::isValidUtf8(text) && !d.byMarkers);
  if (d.byMarkers) {
    FUZZ_CHECK(c != kiv::charset::kWin);
    if (c == kiv::charset::kKoi) FUZZ_CHECK(kiv::hasKoiMarker(text));
    else FUZZ_CHECK(kiv::hasDosMarker(text));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view in(reinterpret_cast<const char*>(data), size);
  check(in);

  // Russian letters (and ASCII) in UTF-8 are taken as UTF-8, hence "win".
  std::string letters(in);
  bool anyLetter = false;
  for (char& ch : letters) {
    if (static_cast<unsigned char>(ch) >= 0x80) {
      ch = static_cast<char>(ch | 0xC0);
      anyLetter = true;
    }
  }
  const std::string utf8 = kiv::exportUtf8(letters, "win");
  check(utf8);
  if (anyLetter) FUZZ_CHECK(kiv::detectCharsetDetailed(utf8).utf8);
  return 0;
}
