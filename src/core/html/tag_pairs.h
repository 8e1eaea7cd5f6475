#pragma once
// The tag pairs of the "Web" page's wrap buttons and the fixed tags its
// other buttons insert.

#include <span>
#include <string>
#include <string_view>

namespace kiv {

struct TagPair {
  const char* button;   // the tool button's component name
  const char* opening;
  const char* closing;
  const char* empty;    // inserted at the caret when nothing is selected
};

std::span<const TagPair> wrapTagPairs();
const TagPair* findTagPair(std::string_view button);

// opening + text + closing.
std::string wrapInTags(const TagPair& pair, std::string_view text);

// The Font button: the working text in a font tag without a face.
std::string wrapInFontTag(std::string_view text);

inline constexpr std::string_view kEmptyFontTag = "<font face=\"\" size=\"\" color=\"\"></font>";
inline constexpr std::string_view kEmptyImageTag = "<img src=\"\" width=\"\" height=\"\" border=\"0\" alt=\"\">";
inline constexpr std::string_view kLineBreakTag = "<br>";

}  // namespace kiv
