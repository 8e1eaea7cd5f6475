#pragma once
// Sorting of lines and of separated fragments, case ignored. The order is
// the locale's case-insensitive comparison when the interface supplies one
// (RegionalFormat::compareIgnoreCase); otherwise the program's own
// Windows-1251 order: control characters, punctuation and symbols, digits,
// Latin letters, then Cyrillic letters by alphabet (Ё right after Е, the
// other Cyrillic letters of the code page beside their nearest Russian
// letter), capitals and small letters equal. Lines that compare equal keep
// their original order.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/textfuncs/op_result.h"

namespace kiv {

// <0, 0, >0; must be a strict weak ordering.
using CaseInsensitiveCompare = std::function<int(std::string_view, std::string_view)>;

// Ascending indices of many strings, equal ones in their original order.
using StableOrder = std::function<std::vector<std::size_t>(const std::vector<std::string_view>&)>;

// A case-insensitive order supplied by the interface: `order` sorts many
// strings from keys made once per string, `compare` compares a pair; both
// must give the same order. With neither, the program's own order is used.
struct CaseInsensitiveOrder {
  CaseInsensitiveCompare compare;
  StableOrder order;
};

// The order the menu commands use: the regional format's (regional.h).
CaseInsensitiveOrder regionalOrderIgnoreCase();

// The program's own Windows-1251 order described above.
int compare1251IgnoreCase(std::string_view a, std::string_view b);

// "Сортировка строк": ascending. An empty compare means the program's order.
std::vector<std::string> sortLines(std::vector<std::string> lines,
                                   const CaseInsensitiveCompare& compare = {});
std::vector<std::string> sortLines(std::vector<std::string> lines, const CaseInsensitiveOrder& order);

// "Обратная сортировка": the ascending result read from its end.
std::vector<std::string> reverseSortLines(std::vector<std::string> lines,
                                          const CaseInsensitiveCompare& compare = {});
std::vector<std::string> reverseSortLines(std::vector<std::string> lines, const CaseInsensitiveOrder& order);

// "Сортировка параграфов": `answer` is what the user typed as the separator
// (in the text's code page); its first byte separates the fragments. Every
// separator ends a fragment (empty fragments count), what follows the last
// separator is a fragment only when it is not empty. The fragments, sorted
// ascending, each followed by CR LF. An empty answer is refused with
// "Значение не задано!".
TextResult sortParagraphs(std::string_view selectedText, std::string_view answer,
                          const CaseInsensitiveCompare& compare = {});
TextResult sortParagraphs(std::string_view selectedText, std::string_view answer,
                          const CaseInsensitiveOrder& order);

}  // namespace kiv
