#pragma once
// Single-byte code pages as seen from Unicode: every byte value has exactly
// one code point (unassigned bytes stand for the C1 control of the same
// number), so bytes → Unicode → bytes is the identity in every code page.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace kiv {

enum class CodePageId { Win1251, Cp866, Koi8r, MacCyrillic, Iso88595 };

class CodePage {
 public:
  static const CodePage& get(CodePageId id);
  // The code page of a document charset ("win", "dos", "koi"); anything
  // else is Windows-1251.
  static const CodePage& ofCharset(std::string_view charsetId);

  CodePageId id() const { return id_; }
  // IANA name, e.g. "windows-1251".
  std::string_view name() const { return name_; }

  char32_t toUnicode(unsigned char b) const { return map_[b]; }
  // The byte for a code point, or -1 when the code page has none.
  int fromUnicode(char32_t cp) const;

  std::string decodeToUtf8(std::string_view bytes) const;
  // Code points with no byte become `replacement`; malformed UTF-8 bytes too.
  // `unmapped` (if given) receives their count.
  std::string encodeFromUtf8(std::string_view utf8, char replacement = '?',
                             std::size_t* unmapped = nullptr) const;

  // One byte's UTF-8 form (1 to 3 bytes).
  std::string_view utf8Of(unsigned char b) const {
    return std::string_view(utf8_[b].data(), utf8Len_[b]);
  }

 private:
  CodePage(CodePageId id, const char* name, const char16_t* high);

  CodePageId id_;
  const char* name_;
  std::array<char32_t, 256> map_{};
  std::array<std::array<char, 4>, 256> utf8_{};
  std::array<std::uint8_t, 256> utf8Len_{};
  // Reverse map of the code points below U+10000: byte + 1, 0 for none.
  std::unique_ptr<std::uint16_t[]> reverse_;
};

}  // namespace kiv
