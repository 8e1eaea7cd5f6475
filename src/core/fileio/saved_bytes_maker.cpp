#include "core/fileio/saved_bytes_maker.h"

#include <algorithm>

#include "core/charsets/code_page.h"
#include "core/charsets/utf8.h"

namespace kiv {

SavedBytesMaker::SavedBytesMaker(std::string_view charset, const TextFileShape& shape)
    : page_(CodePage::ofCharset(charset)), shape_(shape) {
  switch (shape.lineEnd) {
    case LineEndStyle::CrLf: breakBytes_[0] = '\r', breakBytes_[1] = '\n', breakLength_ = 2; break;
    case LineEndStyle::Lf: breakBytes_[0] = '\n', breakLength_ = 1; break;
    case LineEndStyle::Cr: breakBytes_[0] = '\r', breakLength_ = 1; break;
  }
  if (shape_.utf8 && shape_.utf8Bom) out_.assign(kUtf8Bom);
  for (char32_t cp = 0; cp < 0x800; ++cp) below800_[cp] = static_cast<std::int16_t>(page_.fromUnicode(cp));
}

namespace {
bool continues(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

void SavedBytesMaker::feed(std::string_view utf8) {
  if (utf8.empty()) return;
  anyText_ = true;
  if (!carry_.empty()) {
    // The held-back bytes go on with the new piece up to the first place no
    // character and no CR LF crosses.
    std::size_t k = 0;
    while (k < utf8.size() &&
           (continues(utf8[k]) || (utf8[k] == '\n' && (k ? utf8[k - 1] : carry_.back()) == '\r')))
      ++k;
    std::string joined;
    joined.swap(carry_);
    joined.append(utf8.substr(0, k));
    utf8.remove_prefix(k);
    if (utf8.empty()) {
      // Still nothing safe to cut before: hold it all.
      feed(joined);
      return;
    }
    convert(joined);
  }
  // Hold back a character that may go on in the next piece, and a final CR.
  const std::size_t n = utf8.size();
  std::size_t keep = 0;
  for (std::size_t back = 1; back <= 3 && back <= n; ++back) {
    if (static_cast<unsigned char>(utf8[n - back]) >= 0xC0) {
      keep = back;
      break;
    }
  }
  if (keep == 0 && utf8.back() == '\r') keep = 1;
  carry_.assign(utf8.substr(n - keep));
  convert(utf8.substr(0, n - keep));
}

void SavedBytesMaker::convert(std::string_view utf8) {
  const std::size_t n = utf8.size();
  const char* const brk = breakBytes_;
  const std::size_t brkLength = breakLength_;
  const bool utf8Out = shape_.utf8;
  constexpr std::size_t kBlock = std::size_t{1} << 16;
  std::size_t pos = 0;
  while (pos < n) {
    // Each byte of the control's text gives at most one byte of the file's
    // or a line break, and a UTF-8 file's character takes no more than it
    // took in the control; a character or CR LF may end a little past the
    // block.
    const std::size_t blockEnd = std::min(n, pos + kBlock);
    const std::size_t start = out_.size();
    out_.resize(start + 2 * (blockEnd - pos + 4));
    char* w = out_.data() + start;
    while (pos < blockEnd) {
      const unsigned char b = static_cast<unsigned char>(utf8[pos]);
      if (b < 0x80) {
        ++pos;
        if (b == '\r' || b == '\n') {
          if (b == '\r' && pos < n && utf8[pos] == '\n') ++pos;
          else if (b == '\n' && dropLoneLf_) continue;
          *w++ = brk[0];
          if (brkLength == 2) *w++ = brk[1];
        } else {
          *w++ = static_cast<char>(b);
        }
        continue;
      }
      int mapped;
      const unsigned char next = pos + 1 < n ? static_cast<unsigned char>(utf8[pos + 1]) : 0;
      if (b >= 0xC2 && b <= 0xDF && (next & 0xC0) == 0x80) {
        mapped = below800_[((b & 0x1F) << 6) | (next & 0x3F)];
        pos += 2;
      } else {
        mapped = page_.fromUnicode(nextUtf8(utf8, pos));
      }
      if (mapped < 0) {
        *w++ = '?';
      } else if (!utf8Out) {
        *w++ = static_cast<char>(mapped);
      } else {
        for (char c : page_.utf8Of(static_cast<unsigned char>(mapped))) *w++ = c;
      }
    }
    out_.resize(static_cast<std::size_t>(w - out_.data()));
  }
}

std::string SavedBytesMaker::finish() {
  if (!carry_.empty()) {
    std::string rest;
    rest.swap(carry_);
    convert(rest);
  }
  if (anyText_ && shape_.finalLineBreak) out_.append(breakBytes_, breakLength_);
  return std::move(out_);
}

}  // namespace kiv
