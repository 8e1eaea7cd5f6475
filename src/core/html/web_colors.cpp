#include "core/html/web_colors.h"

#include <algorithm>

namespace kiv {

namespace {

std::string colorText(Rgb c, const char* digits) {
  std::string out = "#";
  for (int v : {c.red, c.green, c.blue}) {
    v = std::clamp(v, 0, 255);
    out += digits[v >> 4];
    out += digits[v & 15];
  }
  return out;
}

}  // namespace

Rgb webSafeColor(int index) {
  index = std::clamp(index, 0, kWebSafeCount - 1);
  return {index / 36 * 51, index % 36 / 6 * 51, index % 6 * 51};
}

int webSafeIndexAt(int x, int y) {
  x = std::clamp(x, 0, kWebSafeSide - 1);
  y = std::clamp(y, 0, kWebSafeSide - 1);
  return std::min(x / kWebSafeCell + y / kWebSafeCell * kWebSafePerRow, kWebSafeCount - 1);
}

std::string colorTextLower(Rgb c) { return colorText(c, "0123456789abcdef"); }
std::string colorTextUpper(Rgb c) { return colorText(c, "0123456789ABCDEF"); }

std::string wrapInColorFont(Rgb c, const std::string& text) {
  return "<font color=\"" + colorTextUpper(c) + "\">" + text + "</font>";
}

}  // namespace kiv
