#include "core/charsets/code_page.h"

#include "core/charsets/charset_id.h"
#include "core/charsets/code_page_tables.h"
#include "core/charsets/utf8.h"

namespace kiv {

CodePage::CodePage(CodePageId id, const char* name, const char16_t* high)
    : id_(id), name_(name), reverse_(new std::uint16_t[0x10000]()) {
  for (int b = 0; b < 256; ++b) {
    const char32_t cp = b < 0x80 ? static_cast<char32_t>(b) : static_cast<char32_t>(high[b - 0x80]);
    map_[b] = cp;
    std::string u;
    appendUtf8(u, cp);
    utf8Len_[b] = static_cast<std::uint8_t>(u.size());
    for (std::size_t i = 0; i < u.size(); ++i) utf8_[b][i] = u[i];
    if (reverse_[cp] == 0) reverse_[cp] = static_cast<std::uint16_t>(b + 1);
  }
}

const CodePage& CodePage::get(CodePageId id) {
  static const CodePage win(CodePageId::Win1251, "windows-1251", detail::kWin1251High);
  static const CodePage dos(CodePageId::Cp866, "cp866", detail::kCp866High);
  static const CodePage koi(CodePageId::Koi8r, "koi8-r", detail::kKoi8rHigh);
  static const CodePage mac(CodePageId::MacCyrillic, "x-mac-cyrillic", detail::kMacCyrHigh);
  static const CodePage iso(CodePageId::Iso88595, "iso-8859-5", detail::kIso88595High);
  switch (id) {
    case CodePageId::Win1251: return win;
    case CodePageId::Cp866: return dos;
    case CodePageId::Koi8r: return koi;
    case CodePageId::MacCyrillic: return mac;
    case CodePageId::Iso88595: return iso;
  }
  return win;
}

const CodePage& CodePage::ofCharset(std::string_view charsetId) {
  if (charsetId == charset::kDos) return get(CodePageId::Cp866);
  if (charsetId == charset::kKoi) return get(CodePageId::Koi8r);
  return get(CodePageId::Win1251);
}

int CodePage::fromUnicode(char32_t cp) const {
  if (cp >= 0x10000) return -1;
  const std::uint16_t r = reverse_[cp];
  return r == 0 ? -1 : r - 1;
}

std::string CodePage::decodeToUtf8(std::string_view bytes) const {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (unsigned char b : bytes) {
    if (b < 0x80) out += static_cast<char>(b);
    else out.append(utf8_[b].data(), utf8Len_[b]);
  }
  return out;
}

std::string CodePage::encodeFromUtf8(std::string_view utf8, char replacement, std::size_t* unmapped) const {
  std::string out;
  out.reserve(utf8.size());
  std::size_t bad = 0;
  std::size_t pos = 0;
  const std::size_t n = utf8.size();
  while (pos < n) {
    const unsigned char b = static_cast<unsigned char>(utf8[pos]);
    if (b < 0x80) {
      out += static_cast<char>(b);
      ++pos;
      continue;
    }
    const char32_t cp = nextUtf8(utf8, pos);
    const int mapped = fromUnicode(cp);
    if (mapped < 0) {
      out += replacement;
      ++bad;
    } else {
      out += static_cast<char>(mapped);
    }
  }
  if (unmapped) *unmapped = bad;
  return out;
}

}  // namespace kiv
