#pragma once
// The lines of an empty HTML table.

#include <string>
#include <vector>

namespace kiv {

inline constexpr int kMaxTableSide = 1000;

// "<table>", for each row "<tr>", one "<td> </td>" per column and "</tr>",
// then "</table>". Counts are kept within 1 and kMaxTableSide.
std::vector<std::string> tableLines(int columns, int rows);

}  // namespace kiv
