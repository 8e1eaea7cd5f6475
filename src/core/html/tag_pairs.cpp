#include "core/html/tag_pairs.h"

namespace kiv {

namespace {

const TagPair kPairs[] = {
    {"bbLink", "<a href=\"\">", "</a>", "<a href=\"\"></a>"},
    {"bbTD", "<td>", "</td>", "<td></td>"},
    {"bbTR", "<tr>", "</tr>", "<tr></tr>"},
    {"BitBtn5", "<b>", "</b>", "<b></b>"},
    {"bbItalic", "<i>", "</i>", "<i></i>"},
    {"bbPara", "<p>", "</p>", "<p></p>"},
    {"bbCenter", "<div align=\"center\">", "</div>", "<div align=\"center\"> </div>"},
    {"bbLi", "<li>", "</li>", "<li></li>"},
    {"bbComment", "<!-- ", " -->", "<!--  -->"},
};

}  // namespace

std::span<const TagPair> wrapTagPairs() { return kPairs; }

const TagPair* findTagPair(std::string_view button) {
  for (const auto& p : kPairs)
    if (button == p.button) return &p;
  return nullptr;
}

std::string wrapInTags(const TagPair& pair, std::string_view text) {
  std::string out = pair.opening;
  out += text;
  out += pair.closing;
  return out;
}

std::string wrapInFontTag(std::string_view text) {
  std::string out = "<font size=\"\" color=\"\">";
  out += text;
  out += "</font>";
  return out;
}

}  // namespace kiv
