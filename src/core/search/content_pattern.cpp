#include "core/search/content_pattern.h"

#include <algorithm>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/charsets/code_page.h"
#include "core/search/utf8_case.h"
#include "core/textfuncs/case1251_full.h"

namespace kiv {

namespace {

bool isWildcard(std::string_view c) { return c == "?" || c == "*"; }

bool isContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The start of the character that ends just before `pos` (pos > 0).
std::size_t previousChar(std::string_view text, std::size_t pos) {
  std::size_t j = pos - 1;
  for (int k = 0; k < 3 && j > 0 && isContinuation(static_cast<unsigned char>(text[j])); ++k) --j;
  if (utf8CharLength(text, j) == pos - j) return j;
  return pos - 1;
}

// How common a byte is in ordinary Russian and English text, UTF-8 or
// Windows-1251: a rough rank, enough to pick the rarest byte of the anchor.
int commonness(unsigned char b) {
  if (b == 0xD0 || b == 0xD1) return 200;  // the lead of every Cyrillic letter in UTF-8
  if (b == ' ') return 100;
  if (std::strchr("etaoinsrhld", b) && b != 0) return 60;
  if (b >= 'a' && b <= 'z') return 30;
  if (b >= 'A' && b <= 'Z') return 10;
  if (b >= '0' && b <= '9') return 8;
  if (b == ',' || b == '.' || b == '\n' || b == '\r') return 20;
  if (b < 0x80) return 3;
  if (b < 0xC0) return 25;   // UTF-8 continuations, rarer Windows-1251 signs
  if (b >= 0xE0) return 40;  // small letters in Windows-1251
  return 30;
}

}  // namespace

ContentPattern::ContentPattern(std::string_view typed) {
  if (typed.empty()) return;
  bool ascii = true, wildcards = false, literals = false;
  for (std::size_t pos = 0; pos < typed.size();) {
    const std::size_t len = utf8CharLength(typed, pos);
    const std::string_view c = typed.substr(pos, len);
    if (static_cast<unsigned char>(c[0]) >= 0x80) ascii = false;
    if (isWildcard(c)) wildcards = true;
    else literals = true;
    pos += len;
  }

  // Windows-1251, when every character has a byte there.
  std::size_t unmapped = 0;
  const std::string bytes = CodePage::get(CodePageId::Win1251).encodeFromUtf8(typed, '?', &unmapped);
  if (unmapped == 0) {
    Variant v;
    const auto& lower = fullLowerTable1251();
    for (unsigned char c : bytes) {
      Unit u;
      if (c == '?' || c == '*') {
        u.wildcard = true;
      } else {
        for (int b = 0; b < 256; ++b)
          if (lower[static_cast<std::size_t>(b)] == lower[c]) u.forms.emplace_back(1, static_cast<char>(b));
      }
      v.units.push_back(std::move(u));
    }
    v.prepareAnchor();
    maxSpan_ = std::max(maxSpan_, v.units.size());
    win_ = std::move(v);
  }

  // UTF-8: for letters beyond ASCII, and for wildcards (one character may be
  // several bytes there). A text of wildcards alone needs only the byte count.
  if ((!ascii || wildcards) && literals) {
    Variant v;
    v.utf8 = true;
    std::size_t span = 0;
    for (std::size_t pos = 0; pos < typed.size();) {
      const std::size_t len = utf8CharLength(typed, pos);
      const std::string_view c = typed.substr(pos, len);
      Unit u;
      u.length = len;
      if (isWildcard(c)) {
        u.wildcard = true;
        u.length = 1;
        span += 4;
      } else {
        const std::string small = foldUtf8Case(c);
        const std::string capital = upperUtf8Case(small);
        u.forms.push_back(small);
        if (capital != small) u.forms.push_back(capital);
        span += len;
      }
      v.units.push_back(std::move(u));
      pos += len;
    }
    v.prepareAnchor();
    maxSpan_ = std::max(maxSpan_, span);
    utf8_ = std::move(v);
  }
}

void ContentPattern::Variant::prepareAnchor() {
  // The longest run of literal units, in bytes.
  std::size_t bestBegin = 0, bestEnd = 0, bestBytes = 0;
  for (std::size_t i = 0; i < units.size();) {
    if (units[i].wildcard) {
      ++i;
      continue;
    }
    std::size_t j = i, bytes = 0;
    while (j < units.size() && !units[j].wildcard) bytes += units[j++].length;
    if (bytes > bestBytes) {
      bestBegin = i;
      bestEnd = j;
      bestBytes = bytes;
    }
    i = j;
  }
  anchorBegin = bestBegin;
  anchorEnd = bestEnd;
  anchorBytes = bestBytes;
  accept.assign(anchorBytes, {});
  std::size_t at = 0;
  for (std::size_t i = anchorBegin; i < anchorEnd; ++i) {
    for (const std::string& f : units[i].forms)
      for (std::size_t k = 0; k < f.size(); ++k) accept[at + k][static_cast<unsigned char>(f[k])] = 1;
    at += units[i].length;
  }
  const std::size_t m = anchorBytes;
  int best = -1;
  for (std::size_t j = 0; j < m; ++j) {
    int score = 0, forms = 0;
    for (int b = 0; b < 256; ++b)
      if (accept[j][static_cast<std::size_t>(b)]) {
        score += commonness(static_cast<unsigned char>(b));
        ++forms;
      }
    if (forms <= 4 && (best < 0 || score < best)) {
      best = score;
      rarePos = j;
    }
  }
  if (best >= 0)
    for (int b = 0; b < 256; ++b)
      if (accept[rarePos][static_cast<std::size_t>(b)]) rareBytes.push_back(static_cast<unsigned char>(b));
  shift.fill(m);
  for (std::size_t j = 0; j + 1 < m; ++j)
    for (int b = 0; b < 256; ++b)
      if (accept[j][static_cast<std::size_t>(b)]) shift[static_cast<std::size_t>(b)] = m - 1 - j;
}

bool ContentPattern::formAt(std::string_view text, std::size_t pos, const Unit& u) {
  if (pos + u.length > text.size()) return false;
  for (const std::string& f : u.forms)
    if (std::memcmp(text.data() + pos, f.data(), u.length) == 0) return true;
  return false;
}

bool ContentPattern::Variant::verifyAt(std::string_view text, std::size_t anchorPos) const {
  std::size_t pos = anchorPos;
  for (std::size_t i = anchorBegin; i < anchorEnd; ++i) {
    if (!formAt(text, pos, units[i])) return false;
    pos += units[i].length;
  }
  for (std::size_t i = anchorEnd; i < units.size(); ++i) {
    const Unit& u = units[i];
    if (u.wildcard) {
      if (pos >= text.size()) return false;
      pos += utf8 ? utf8CharLength(text, pos) : 1;
    } else {
      if (!formAt(text, pos, u)) return false;
      pos += u.length;
    }
  }
  pos = anchorPos;
  for (std::size_t i = anchorBegin; i-- > 0;) {
    const Unit& u = units[i];
    if (u.wildcard) {
      if (pos == 0) return false;
      pos = utf8 ? previousChar(text, pos) : pos - 1;
    } else {
      if (pos < u.length) return false;
      pos -= u.length;
      if (!formAt(text, pos, u)) return false;
    }
  }
  return true;
}

bool ContentPattern::Variant::find(std::string_view text) const {
  if (anchorBytes == 0) return text.size() >= units.size();
  if (text.size() < anchorBytes) return false;
#if defined(__SSE2__)
  if (!rareBytes.empty()) return findByRareByte(text);
#endif
  return findHorspool(text);
}

bool ContentPattern::Variant::findByRareByte(std::string_view text) const {
#if defined(__SSE2__)
  const std::size_t m = anchorBytes;
  const std::size_t n = text.size();
  const auto* t = reinterpret_cast<const unsigned char*>(text.data());
  // A candidate: the rare byte at `at`, the anchor starting rarePos before.
  auto tryAt = [&](std::size_t at) {
    if (at < rarePos) return false;
    const std::size_t start = at - rarePos;
    if (start + m > n) return false;
    for (std::size_t j = 0; j < m; ++j)
      if (!accept[j][t[start + j]]) return false;
    return verifyAt(text, start);
  };
  __m128i wanted[4];
  const std::size_t k = rareBytes.size();
  for (std::size_t i = 0; i < k; ++i) wanted[i] = _mm_set1_epi8(static_cast<char>(rareBytes[i]));
  // Only positions where a whole anchor can still fit hold candidates.
  const std::size_t end = n - (m - 1 - rarePos);
  std::size_t pos = rarePos;
  for (; pos + 16 <= end; pos += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + pos));
    __m128i hit = _mm_cmpeq_epi8(block, wanted[0]);
    for (std::size_t i = 1; i < k; ++i) hit = _mm_or_si128(hit, _mm_cmpeq_epi8(block, wanted[i]));
    auto mask = static_cast<unsigned>(_mm_movemask_epi8(hit));
    while (mask) {
      const unsigned bit = static_cast<unsigned>(__builtin_ctz(mask));
      if (tryAt(pos + bit)) return true;
      mask &= mask - 1;
    }
  }
  for (; pos < end; ++pos)
    if (accept[rarePos][t[pos]] && tryAt(pos)) return true;
  return false;
#else
  return findHorspool(text);
#endif
}

bool ContentPattern::Variant::findHorspool(std::string_view text) const {
  const std::size_t m = anchorBytes;
  const std::size_t n = text.size();
  const auto* t = reinterpret_cast<const unsigned char*>(text.data());
  const auto& last = accept[m - 1];
  for (std::size_t i = 0; i + m <= n;) {
    const unsigned char c = t[i + m - 1];
    if (last[c]) {
      std::size_t j = m - 1;
      while (j > 0 && accept[j - 1][t[i + j - 1]]) --j;
      if (j == 0 && verifyAt(text, i)) return true;
    }
    i += shift[c];
  }
  return false;
}

ContentPattern::Match ContentPattern::find(std::string_view text) const {
  if (win_ && win_->find(text)) return Match::Win1251;
  if (utf8_ && utf8_->find(text)) return Match::Utf8;
  return Match::None;
}

}  // namespace kiv
