#pragma once
// Multi-replace: a list of replacement pairs, one a line ("find=replacement":
// the find string is everything before the first "=", the replacement
// everything after it), applied in list order, each pair to the result of
// the ones before, every occurrence left to right without overlap and never
// re-scanning what a pair put in. A line without "=" or starting with "="
// has an empty find string and changes nothing.

#include <string>
#include <string_view>
#include <vector>

namespace kiv {

struct ReplacePair {
  std::string find;
  std::string replacement;
  bool operator==(const ReplacePair&) const = default;
};

// One pair per line; CR LF, LF and CR end a line.
std::vector<ReplacePair> parseReplacePairs(std::string_view listText);
ReplacePair parseReplacePair(std::string_view line);

// The text after every pair in order; `replaced` (if given) receives the
// number of replacements made. The result is that of running replaceAll for
// each pair in turn, but the text is worked on in pieces that no find string
// can reach across (it splits at bytes that no find string holds), so a long
// list costs about one pass over the text per pair that changes a piece
// rather than per pair.
std::string applyReplacePairs(std::string_view text, const std::vector<ReplacePair>& pairs,
                              std::size_t* replaced = nullptr);

}  // namespace kiv
