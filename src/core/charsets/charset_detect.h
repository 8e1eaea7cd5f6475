#pragma once
// Guessing the charset of a text: "win" (Windows-1251), "dos" (DOS 866) or
// "koi" (KOI8-R). The text is read in each of the three code pages and
// scored against a model of Russian text (which letter follows which, where
// capitals stand); the reading that looks most like Russian wins. Text with
// no byte above 7F, and UTF-8 text, is "win". Only where the scores cannot
// tell the readings apart do the marker lists decide: a KOI8-R marker word
// gives "koi", else a DOS 866 marker byte gives "dos", else the better
// score stands (or "win" when no reading looks like Russian at all).

#include <cstddef>
#include <string>
#include <string_view>

namespace kiv {

std::string detectCharset(std::string_view text);

struct CharsetDetection {
  std::string charset;        // "win", "dos" or "koi"
  double scoreWin = 0;        // log-likelihood of each reading, summed over
  double scoreDos = 0;        // the character pairs that involve a byte
  double scoreKoi = 0;        // above 7F (higher is more Russian-like)
  std::size_t pairs = 0;      // pairs scored
  bool utf8 = false;          // taken as UTF-8 text
  bool byMarkers = false;     // the marker lists decided
};

CharsetDetection detectCharsetDetailed(std::string_view text);

// The marker lists on their own.
bool hasKoiMarker(std::string_view text);
bool hasDosMarker(std::string_view text);

}  // namespace kiv
