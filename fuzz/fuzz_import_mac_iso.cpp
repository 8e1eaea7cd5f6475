// Mac and ISO-8859-5 import of arbitrary bytes: never crashes; the result is
// reader text (CR LF lines, the last one closed) with the file's lines and
// of the same length as the plain-text reading, with each Russian letter of
// the file's code page turned into the same letter of Windows-1251 and every
// other byte left alone, zero bytes included. Windows-1251 letters, ASCII
// and zero bytes exported to either code page import back unchanged.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/charsets/charset_commands.h"
#include "core/charsets/code_page.h"
#include "core/charsets/cyrillic_conversions.h"
#include "core/common/text_lines.h"
#include "core/fileio/file_formats.h"
#include "fuzz_check.h"
#include "fuzz_text.h"

namespace {

bool isRussianLetter(char32_t cp) { return (cp >= 0x410 && cp <= 0x44F) || cp == 0x401 || cp == 0x451; }

void checkImport(std::string_view in, const std::string& plain, const std::string& imported,
                 kiv::CodePageId page) {
  const kiv::CodePage& from = kiv::CodePage::get(page);
  const kiv::CodePage& win = kiv::CodePage::get(kiv::CodePageId::Win1251);
  FUZZ_CHECK(fuzz::isReaderText(imported));
  FUZZ_CHECK(imported.size() == plain.size());
  FUZZ_CHECK(fuzz::linesOf(imported).size() == fuzz::linesOf(in).size());
  FUZZ_CHECK(fuzz::countOf(imported, '\0') == fuzz::countOf(in, '\0'));
  for (std::size_t i = 0; i < plain.size(); ++i) {
    const auto b = static_cast<unsigned char>(plain[i]);
    const char32_t cp = from.toUnicode(b);
    if (isRussianLetter(cp)) FUZZ_CHECK(win.toUnicode(static_cast<unsigned char>(imported[i])) == cp);
    else FUZZ_CHECK(imported[i] == plain[i]);
  }
}

// The input as Windows-1251 text of ASCII and Russian letters only.
std::string lettersAndAscii(std::string_view in) {
  std::string t(in);
  for (char& c : t) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x80 && b < 0xC0) c = (b & 1) ? '\xA8' : '\xB8';  // Ё, ё
  }
  return t;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view in(reinterpret_cast<const char*>(data), size);
  const std::string plain = kiv::stdTxtFromBytes(in);
  FUZZ_CHECK(fuzz::linesOf(plain) == fuzz::linesOf(in));
  checkImport(in, plain, kiv::importMacFile(in), kiv::CodePageId::MacCyrillic);
  checkImport(in, plain, kiv::importIsoFile(in), kiv::CodePageId::Iso88595);

  const std::string text = lettersAndAscii(in);
  const std::string expected = kiv::normalizeToCrLf(text);
  FUZZ_CHECK(fuzz::linesOf(expected) == fuzz::linesOf(text));
  std::string mac = text;
  kiv::macFromWin(mac);
  FUZZ_CHECK(kiv::importMacFile(mac) == expected);
  FUZZ_CHECK(kiv::exportToCodePage(text, "win", kiv::ExportCodePage::Mac) == mac);
  std::string iso = text;
  kiv::isoFromWin(iso);
  FUZZ_CHECK(kiv::importIsoFile(iso) == expected);
  FUZZ_CHECK(kiv::exportToCodePage(text, "win", kiv::ExportCodePage::Iso88595) == iso);
  return 0;
}
