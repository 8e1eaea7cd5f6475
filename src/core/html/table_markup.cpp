#include "core/html/table_markup.h"

#include <algorithm>

namespace kiv {

std::vector<std::string> tableLines(int columns, int rows) {
  columns = std::clamp(columns, 1, kMaxTableSide);
  rows = std::clamp(rows, 1, kMaxTableSide);
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(rows) * (columns + 2) + 2);
  lines.emplace_back("<table>");
  for (int r = 0; r < rows; ++r) {
    lines.emplace_back("<tr>");
    for (int c = 0; c < columns; ++c) lines.emplace_back("<td> </td>");
    lines.emplace_back("</tr>");
  }
  lines.emplace_back("</table>");
  return lines;
}

}  // namespace kiv
