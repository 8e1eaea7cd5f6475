// Reversible reading of "dos" and "koi" text as Windows-1251: any bytes go
// there and come back unchanged, also after the Windows-1251 text has been
// upper- or lower-cased (the escapes of characters Windows-1251 lacks
// survive case changes). The Windows-1251 form never holds the escape byte
// 98 other than as an escape of three digits. "win" is the identity both
// ways, and the way back on arbitrary text never lengthens it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/charsets/case1251.h"
#include "core/charsets/code_page.h"
#include "core/charsets/cyrillic_conversions.h"
#include "fuzz_check.h"

namespace {

bool digit(char c) { return c >= '0' && c <= '9'; }

void check(std::string_view in, std::string_view charset) {
  const std::string win = kiv::toWin1251Reversibly(in, charset);
  FUZZ_CHECK(win.size() >= in.size() && win.size() <= 4 * in.size());
  for (std::size_t i = 0; i < win.size(); ++i) {
    if (win[i] != '\x98') continue;
    FUZZ_CHECK(i + 3 < win.size() && digit(win[i + 1]) && digit(win[i + 2]) && digit(win[i + 3]));
    i += 3;
  }
  FUZZ_CHECK(kiv::fromWin1251Reversibly(win, charset) == in);

  // Case changes act on the Windows-1251 letters only; the way back keeps
  // the length and every byte that is not a letter.
  const kiv::CodePage& page = kiv::CodePage::ofCharset(charset);
  const kiv::CodePage& w = kiv::CodePage::get(kiv::CodePageId::Win1251);
  for (const std::string& changed : {kiv::upperCase1251(win), kiv::lowerCase1251(win)}) {
    const std::string back = kiv::fromWin1251Reversibly(changed, charset);
    FUZZ_CHECK(back.size() == in.size());
    for (std::size_t i = 0; i < in.size(); ++i) {
      const char32_t cp = page.toUnicode(static_cast<unsigned char>(in[i]));
      const int inWin = w.fromUnicode(cp);
      const bool letter = inWin >= 0 && (kiv::upperChar1251(static_cast<unsigned char>(inWin)) != inWin ||
                                         kiv::lowerChar1251(static_cast<unsigned char>(inWin)) != inWin);
      if (!letter) FUZZ_CHECK(back[i] == in[i]);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view in(reinterpret_cast<const char*>(data), size);
  check(in, "dos");
  check(in, "koi");
  FUZZ_CHECK(kiv::toWin1251Reversibly(in, "win") == in);
  FUZZ_CHECK(kiv::fromWin1251Reversibly(in, "win") == in);
  for (std::string_view cs : {"dos", "koi"}) {
    const std::string back = kiv::fromWin1251Reversibly(in, cs);
    FUZZ_CHECK(back.size() <= in.size());
  }
  return 0;
}
