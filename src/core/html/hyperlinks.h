#pragma once
// The hyperlinks of HTML text: the HREF values of its A tags, in order.

#include <string>
#include <string_view>
#include <vector>

namespace kiv {

// For each tag named A (any case) with an HREF attribute that has a value,
// that value without its quotes. An HREF without "=" gives nothing, and so
// does a tag cut short by the next "<".
std::vector<std::string> findHyperlinks(std::string_view text);

}  // namespace kiv
