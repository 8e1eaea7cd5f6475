#include "core/charsets/charset_commands.h"

#include <array>

#include "core/charsets/charset_id.h"
#include "core/charsets/code_page.h"
#include "core/charsets/cyrillic_conversions.h"
#include "core/common/text_lines.h"

namespace kiv {

namespace {

std::string_view known(std::string_view id) { return charset::isKnown(id) ? id : charset::kWin; }

// dosFromWin in one pass, with 97 20 → C4 20 decided on the Windows-1251 bytes.
void dosFromWinWithDashes(std::string& s) {
  std::array<unsigned char, 256> map{};
  for (int i = 0; i < 256; ++i) {
    std::string one(1, static_cast<char>(i));
    dosFromWin(one);
    map[i] = static_cast<unsigned char>(one[0]);
  }
  const std::size_t n = s.size();
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char c = static_cast<unsigned char>(s[i]);
    if (c == 0x97 && i + 1 < n && s[i + 1] == ' ') s[i] = static_cast<char>(0xC4);
    else s[i] = static_cast<char>(map[c]);
  }
}

}  // namespace

std::string convertDocumentCharset(std::string_view text, std::string_view from, std::string_view to) {
  from = known(from);
  to = known(to);
  std::string s(text);
  if (from == to) return s;
  if (from == charset::kDos) winFromDos(s);
  else if (from == charset::kKoi) winFromKoi(s);
  if (to == charset::kDos) dosFromWinWithDashes(s);
  else if (to == charset::kKoi) koiFromWin(s);
  return s;
}

std::string exportToCodePage(std::string_view text, std::string_view from, ExportCodePage target) {
  from = known(from);
  std::string s(text);
  const bool alreadyThere = (target == ExportCodePage::Koi8r && from == charset::kKoi) ||
                            (target == ExportCodePage::Dos866 && from == charset::kDos);
  if (alreadyThere) return s;
  if (from == charset::kDos) winFromDos(s);
  else if (from == charset::kKoi) winFromKoi(s);
  switch (target) {
    case ExportCodePage::Koi8r: koiFromWin(s); break;
    case ExportCodePage::Dos866: dosFromWin(s); break;
    case ExportCodePage::Mac: macFromWin(s); break;
    case ExportCodePage::Iso88595: isoFromWin(s); break;
  }
  return s;
}

bool canExportUnicode(std::string_view charset) { return charset == charset::kWin; }

std::string importMacFile(std::string_view fileBytes) {
  std::string s = normalizeToCrLf(fileBytes);
  winFromMac(s);
  return s;
}

std::string importIsoFile(std::string_view fileBytes) {
  std::string s = normalizeToCrLf(fileBytes);
  winFromIso(s);
  return s;
}

std::string importUtf16File(std::string_view fileBytes, std::size_t* unmapped) {
  const CodePage& win = CodePage::get(CodePageId::Win1251);
  const std::size_t n = fileBytes.size() & ~static_cast<std::size_t>(1);
  auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(fileBytes[i]); };
  bool bigEndian = false;
  std::size_t i = 0;
  if (n >= 2 && byteAt(0) == 0xFF && byteAt(1) == 0xFE) {
    i = 2;
  } else if (n >= 2 && byteAt(0) == 0xFE && byteAt(1) == 0xFF) {
    i = 2;
    bigEndian = true;
  }
  auto unitAt = [&](std::size_t k) -> char16_t {
    return bigEndian ? static_cast<char16_t>((byteAt(k) << 8) | byteAt(k + 1))
                     : static_cast<char16_t>(byteAt(k) | (byteAt(k + 1) << 8));
  };
  std::string out;
  out.reserve((n - i) / 2);
  std::size_t bad = 0;
  while (i < n) {
    const char16_t u = unitAt(i);
    i += 2;
    char32_t cp = u;
    if (u >= 0xD800 && u <= 0xDBFF && i < n) {
      const char16_t lo = unitAt(i);
      if (lo >= 0xDC00 && lo <= 0xDFFF) {
        cp = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) + (lo - 0xDC00);
        i += 2;
      }
    }
    const int b = (cp >= 0xD800 && cp <= 0xDFFF) ? -1 : win.fromUnicode(cp);
    if (b < 0) {
      out += '?';
      ++bad;
    } else {
      out += static_cast<char>(b);
    }
  }
  if (unmapped) *unmapped = bad;
  return unifyLineBreaks(out);
}

}  // namespace kiv
