#pragma once
// The quick way from the control's UTF-8 to a one-byte code page for
// Russian text: sixteen bytes at a time while they hold nothing but ASCII
// and the two-byte characters U+0400–U+047F (the Cyrillic block all Russian
// letters are in). Anything else (longer characters, other two-byte ones,
// line breaks that need changing, bytes UTF-8 never has) stops it, and the
// caller goes on one character at a time.

#include <cstddef>

namespace kiv {

class CyrillicQuickPath {
 public:
  // Which line breaks pass unchanged: none, "\n" alone, or "\r\n" pairs.
  enum class Breaks { None, Lf, CrLf };

  // byteOf400[i] is the file's byte for U+0400 + i (i < 128), '?' where the
  // code page has none.
  CyrillicQuickPath(const char* byteOf400, Breaks breaks);
  // Takes nothing.
  CyrillicQuickPath() = default;

  // False where the processor cannot run it; run() then takes nothing.
  bool available() const { return available_; }

  // Converts from the start of [in, in + n), which begins a character,
  // writing to *w and moving it on; returns how many bytes were taken, a
  // whole number of characters. *w must have room for n + 16 bytes.
  std::size_t run(const char* in, std::size_t n, char** w) const;

 private:
  alignas(16) unsigned char table_[128] = {};
  Breaks breaks_ = Breaks::None;
  bool available_ = false;
};

}  // namespace kiv
