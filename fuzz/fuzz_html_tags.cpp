// The tag strippers, the "<" escape and the hyperlink list on arbitrary
// bytes: they end, never read past the data, and keep their promises.
//  - Neither stripper leaves a "<"; the depth stripper leaves no ">" either,
//    and both only ever drop bytes of text without brackets.
//  - Escaping "<" and stripping the result with the depth stripper gives back
//    the text with its brackets decoded once.
//  - Every link found is the HREF value of an A tag written around it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/html/hyperlinks.h"
#include "core/html/tag_strippers.h"
#include "fuzz_check.h"

namespace {

bool hasNo(std::string_view s, char c) { return s.find(c) == std::string_view::npos; }

// Is `part` a subsequence of `whole`?
bool isSubsequence(std::string_view part, std::string_view whole) {
  std::size_t j = 0;
  for (char c : whole)
    if (j < part.size() && part[j] == c) ++j;
  return j == part.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view in(reinterpret_cast<const char*>(data), size);

  const std::string simple = kiv::stripTags(in);
  FUZZ_CHECK(hasNo(simple, '<'));
  FUZZ_CHECK(isSubsequence(simple, in));
  if (hasNo(in, '<')) FUZZ_CHECK(simple == in);

  const std::string byDepth = kiv::stripTagsByDepth(in);
  FUZZ_CHECK(hasNo(byDepth, '<') && hasNo(byDepth, '>'));
  const std::string decoded = kiv::decodeBasicEntities(in);
  FUZZ_CHECK(decoded.size() <= in.size());
  FUZZ_CHECK(isSubsequence(byDepth, decoded));

  const std::string escaped = kiv::escapeLessThan(in);
  FUZZ_CHECK(hasNo(escaped, '<'));
  FUZZ_CHECK(escaped.size() == in.size() + 3 * static_cast<std::size_t>(std::count(in.begin(), in.end(), '<')));

  const auto links = kiv::findHyperlinks(in);
  FUZZ_CHECK(links.size() <= static_cast<std::size_t>(std::count(in.begin(), in.end(), '<')));
  for (const auto& link : links) FUZZ_CHECK(link.size() < in.size() && hasNo(link, '>'));

  // A link written as an A tag around the input (its quotes and brackets
  // made harmless) is found exactly, after any text before it.
  std::string value;
  for (char c : in.substr(0, 64))
    if (c != '"' && c != '>' && c != '<') value += c;
  const std::string page = std::string(in) + "\r\n<a title='x' HREF = \"" + value + "\">x</a>";
  const auto found = kiv::findHyperlinks(page);
  FUZZ_CHECK(!found.empty() && found.back() == value);
  return 0;
}
