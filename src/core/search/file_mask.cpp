#include "core/search/file_mask.h"

#include "core/search/utf8_case.h"

namespace kiv {

namespace {

std::vector<std::string_view> charsOf(std::string_view s) {
  std::vector<std::string_view> out;
  out.reserve(s.size());
  for (std::size_t pos = 0; pos < s.size();) {
    const std::size_t len = utf8CharLength(s, pos);
    out.push_back(s.substr(pos, len));
    pos += len;
  }
  return out;
}

}  // namespace

FileMask::FileMask(std::string_view mask) {
  const std::string folded = foldUtf8Case(mask);
  for (std::string_view c : charsOf(folded)) chars_.emplace_back(c);
  const std::size_t n = chars_.size();
  if (n >= 2 && chars_[n - 2] == "." && chars_[n - 1] == "*") {
    hasDotStar_ = true;
    withoutDotStar_.assign(chars_.begin(), chars_.end() - 2);
  }
}

// Wildcard matching with one back-tracking point (the last "*"): linear in
// practice, at most mask x name steps.
bool FileMask::matchChars(const std::vector<std::string>& mask, const std::vector<std::string_view>& name) {
  std::size_t m = 0, n = 0;
  std::size_t starM = std::string_view::npos, starN = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == "*") {
      starM = m++;
      starN = n;
    } else if (m < mask.size() && (mask[m] == "?" || mask[m] == name[n])) {
      ++m;
      ++n;
    } else if (starM != std::string_view::npos) {
      m = starM + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == "*") ++m;
  return m == mask.size();
}

bool FileMask::matches(std::string_view name) const {
  if (chars_.empty()) return false;
  const std::string foldedName = foldUtf8Case(name);
  const auto nameChars = charsOf(foldedName);
  if (matchChars(chars_, nameChars)) return true;
  if (!hasDotStar_) return false;
  for (std::string_view c : nameChars)
    if (c == ".") return false;
  return matchChars(withoutDotStar_, nameChars);
}

}  // namespace kiv
