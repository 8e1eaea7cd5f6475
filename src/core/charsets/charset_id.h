#pragma once
// Charset identifiers of documents: "win" (Windows-1251), "dos" (DOS 866),
// "koi" (KOI8-R), compared exactly.

#include <string_view>

namespace kiv::charset {

inline constexpr std::string_view kWin = "win";
inline constexpr std::string_view kDos = "dos";
inline constexpr std::string_view kKoi = "koi";

inline bool isKnown(std::string_view id) { return id == kWin || id == kDos || id == kKoi; }

// Status-bar text of a charset when its window is activated.
inline std::string_view displayName(std::string_view id) {
  if (id == kWin) return "Windows";
  if (id == kDos) return "DOS";
  if (id == kKoi) return "KOI8 R";
  return "";
}

// The code page's own name, for messages.
inline std::string_view codePageName(std::string_view id) {
  if (id == kDos) return "DOS 866";
  if (id == kKoi) return "KOI8-R";
  return "Windows-1251";
}

}  // namespace kiv::charset
