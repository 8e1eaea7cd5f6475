#include "core/charsets/charset_detect.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "core/charsets/charset_id.h"
#include "core/charsets/code_page.h"
#include "core/charsets/detect_model_data.h"
#include "core/charsets/utf8.h"
#include "core/common/replace_all.h"

namespace kiv {

namespace {

using detail::kDetectSymbols;
constexpr int kJunk = 36;
constexpr int kTypo = 35;
// A state is a symbol, plus kDetectSymbols for a capital Russian letter.
constexpr int kStates = 2 * kDetectSymbols;

// Readings whose best score beats the next by less than this many nats are
// taken as a tie.
constexpr double kTieMargin = 1.0;
// Below this average per scored pair no reading looks like Russian.
constexpr double kRussianAverage = -6.0;
// Long texts: once this many pairs are scored and the lead is this large,
// the rest of the text cannot change the answer.
constexpr std::size_t kEnoughPairs = 1 << 16;
constexpr double kDecisiveLead = 2000.0;

bool isTypographic(char32_t cp) {
  switch (cp) {
    case 0x00A0: case 0x00AB: case 0x00BB: case 0x00AD: case 0x2013: case 0x2014:
    case 0x2018: case 0x2019: case 0x201A: case 0x201C: case 0x201D: case 0x201E:
    case 0x2026: case 0x2116: case 0x00B0: case 0x00A7: case 0x00A9: case 0x00AE:
    case 0x2122: case 0x20AC: case 0x00B7: case 0x2022: case 0x00B1: case 0x2039:
    case 0x203A:
      return true;
    default:
      return false;
  }
}

// Symbol and case (0 none, 1 lower, 2 upper) of a code point; must agree
// with the generator of the model data.
void classifyCodePoint(char32_t cp, int& sym, int& cs) {
  cs = 0;
  if (cp >= 0x430 && cp <= 0x44F) sym = static_cast<int>(cp - 0x430) + 1, cs = 1;
  else if (cp >= 0x410 && cp <= 0x42F) sym = static_cast<int>(cp - 0x410) + 1, cs = 2;
  else if (cp == 0x451) sym = 33, cs = 1;
  else if (cp == 0x401) sym = 33, cs = 2;
  else if ((cp >= 'A' && cp <= 'Z') || (cp >= 'a' && cp <= 'z')) sym = 34;
  else if (cp < 0x80) sym = 0;
  else if (isTypographic(cp)) sym = kTypo;
  else sym = kJunk;
}

int stateOf(char32_t cp) {
  int sym, cs;
  classifyCodePoint(cp, sym, cs);
  return cs == 2 ? sym + kDetectSymbols : sym;
}

struct Model {
  std::array<std::array<float, kStates>, kStates> pair{};
  // state of each byte in the three readings: win, dos, koi
  std::array<std::array<std::uint8_t, 256>, 3> state{};

  Model() {
    for (int a = 0; a < kStates; ++a) {
      const int sa = a % kDetectSymbols;
      const bool letterA = sa >= 1 && sa <= 33;
      const int caseA = letterA ? (a >= kDetectSymbols ? 2 : 1) : 0;
      for (int b = 0; b < kStates; ++b) {
        const int sb = b % kDetectSymbols;
        const bool letterB = sb >= 1 && sb <= 33;
        const int caseB = letterB ? (b >= kDetectSymbols ? 2 : 1) : 0;
        float v = detail::kDetectBigram[sa][sb];
        if (caseB) v += detail::kDetectCase[caseA][caseB];
        pair[a][b] = v;
      }
    }
    const CodePageId ids[3] = {CodePageId::Win1251, CodePageId::Cp866, CodePageId::Koi8r};
    for (int r = 0; r < 3; ++r) {
      const CodePage& cp = CodePage::get(ids[r]);
      for (int b = 0; b < 256; ++b) state[r][b] = static_cast<std::uint8_t>(stateOf(cp.toUnicode(static_cast<unsigned char>(b))));
    }
  }
};

const Model& model() {
  static const Model m;
  return m;
}

struct Utf8Reading {
  bool valid = true;
  std::size_t multibyte = 0;  // characters of two or more bytes
  std::size_t russian = 0;    // of those, Cyrillic letters or typographic signs
};

Utf8Reading readUtf8(std::string_view text) {
  Utf8Reading r;
  std::size_t pos = 0;
  const std::size_t n = text.size();
  while (pos < n) {
    if (static_cast<unsigned char>(text[pos]) < 0x80) {
      ++pos;
      continue;
    }
    const std::size_t before = pos;
    const char32_t cp = nextUtf8(text, pos);
    if (cp == 0xFFFD && pos - before == 1) {
      r.valid = false;
      return r;
    }
    ++r.multibyte;
    if ((cp >= 0x400 && cp <= 0x45F) || isTypographic(cp)) ++r.russian;
  }
  return r;
}

constexpr std::string_view kKoiMarkers[] = {
    "\x20\xCE\xC1\x20", "\x20\xCE\xC5\x20", "\x20\xC2\xC5\xDA\x20", "\x20\xD4\xD5\xD4\x20",
    "\x20\xD6\xC5\x20", "\x20\xC4\xCF\x20", "\x20\xC5\xDD\xC5\x20", "\x20\xC1\x20",
    "\x20\xC9\x20",     "\x20\xD7\x20",     "\x20\xD7\xD9\x20",     "\x20\xCD\xCF\xCA\x20",
    "\x20\xC5\xC7\xCF\x20",
};
constexpr unsigned char kDosMarkers[] = {0xAF, 0xA2, 0x8F, 0xA4, 0x88, 0xA8, 0xA5, 0x8D, 0x80};

}  // namespace

bool hasKoiMarker(std::string_view text) {
  for (std::string_view m : kKoiMarkers)
    if (findBytes(text, m) != std::string_view::npos) return true;
  return false;
}

bool hasDosMarker(std::string_view text) {
  std::array<bool, 256> isMarker{};
  for (unsigned char m : kDosMarkers) isMarker[m] = true;
  for (unsigned char c : text)
    if (isMarker[c]) return true;
  return false;
}

CharsetDetection detectCharsetDetailed(std::string_view text) {
  CharsetDetection d;
  d.charset = std::string(charset::kWin);
  const Model& m = model();
  const auto& sw = m.state[0];
  const auto& sd = m.state[1];
  const auto& sk = m.state[2];
  double score[3] = {0, 0, 0};
  std::size_t pairs = 0;
  unsigned char prev = '\n';
  const std::size_t n = text.size();
  constexpr std::size_t kChunk = 1 << 16;
  for (std::size_t start = 0; start < n; start += kChunk) {
    const std::size_t end = std::min(n, start + kChunk);
    float w = 0, dd = 0, k = 0;
    for (std::size_t i = start; i < end; ++i) {
      const unsigned char c = static_cast<unsigned char>(text[i]);
      if ((c | prev) & 0x80) {
        w += m.pair[sw[prev]][sw[c]];
        dd += m.pair[sd[prev]][sd[c]];
        k += m.pair[sk[prev]][sk[c]];
        ++pairs;
      }
      prev = c;
    }
    score[0] += w;
    score[1] += dd;
    score[2] += k;
    if (pairs >= kEnoughPairs) {
      double s[3] = {score[0], score[1], score[2]};
      std::sort(s, s + 3);
      if (s[2] - s[1] > kDecisiveLead) break;
    }
  }
  d.scoreWin = score[0];
  d.scoreDos = score[1];
  d.scoreKoi = score[2];
  d.pairs = pairs;
  if (pairs == 0) return d;  // nothing above 7F

  const Utf8Reading u = readUtf8(text);
  if (u.valid && u.multibyte > 0 && u.russian * 2 >= u.multibyte) {
    d.utf8 = true;
    return d;
  }

  const std::string_view ids[3] = {charset::kWin, charset::kDos, charset::kKoi};
  int best = 0;
  for (int r = 1; r < 3; ++r)
    if (score[r] > score[best]) best = r;
  const bool russianLike = score[best] / static_cast<double>(pairs) > kRussianAverage;
  bool tied[3];
  int nTied = 0;
  for (int r = 0; r < 3; ++r) {
    tied[r] = !russianLike || score[best] - score[r] < kTieMargin;
    nTied += tied[r];
  }
  if (nTied == 1) {
    d.charset = std::string(ids[best]);
    return d;
  }
  // The statistics cannot decide.
  if (u.valid && u.multibyte > 0) {
    d.utf8 = true;
    return d;
  }
  // The marker lists break the tie; without a marker the better score
  // stands, and text that reads as Russian in no code page stays "win".
  if (tied[2] && hasKoiMarker(text)) {
    d.charset = std::string(charset::kKoi);
    d.byMarkers = true;
  } else if (tied[1] && hasDosMarker(text)) {
    d.charset = std::string(charset::kDos);
    d.byMarkers = true;
  } else {
    d.charset = std::string(russianLike ? ids[best] : charset::kWin);
  }
  return d;
}

std::string detectCharset(std::string_view text) { return detectCharsetDetailed(text).charset; }

}  // namespace kiv
