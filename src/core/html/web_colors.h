#pragma once
// Colour texts of HTML and the 216 web-safe colours of the picker palette.

#include <string>

namespace kiv {

struct Rgb {
  int red = 0;
  int green = 0;
  int blue = 0;
  bool operator==(const Rgb&) const = default;
};

inline constexpr int kWebSafeCount = 216;
inline constexpr int kWebSafeCell = 16;     // pixels
inline constexpr int kWebSafePerRow = 16;   // cells
inline constexpr int kWebSafeSide = kWebSafeCell * kWebSafePerRow;

// The web-safe colour of an index 0..215 (out-of-range indices are clamped):
// each component is a multiple of 51, red changing slowest.
Rgb webSafeColor(int index);
// The palette cell under a point of the 256 × 256 palette; cells past the
// last colour count as the last one, points outside are clamped to it.
int webSafeIndexAt(int x, int y);

// "#rrggbb" in lower-case hex digits.
std::string colorTextLower(Rgb c);
// "#RRGGBB" in upper-case hex digits.
std::string colorTextUpper(Rgb c);
// <font color="#RRGGBB">text</font>
std::string wrapInColorFont(Rgb c, const std::string& text);

}  // namespace kiv
