#pragma once
// A file-name mask as people type it: "*" any run of characters, "?" one
// character, letters compared without regard to case (Latin and Cyrillic),
// names and mask in UTF-8. A mask ending in ".*" also takes a name without
// that extension ("*.*" is every file, "readme.*" takes "readme"). An empty
// mask takes nothing.

#include <string>
#include <string_view>
#include <vector>

namespace kiv {

class FileMask {
 public:
  explicit FileMask(std::string_view mask);
  bool matches(std::string_view name) const;

 private:
  static bool matchChars(const std::vector<std::string>& mask, const std::vector<std::string_view>& name);
  std::vector<std::string> chars_;           // the folded mask, one character each
  std::vector<std::string> withoutDotStar_;  // when the mask ends in ".*"
  bool hasDotStar_ = false;
};

}  // namespace kiv
