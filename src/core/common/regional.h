#pragma once
// Regional formats: what the program takes from the user's locale. The
// program fills one from the system locale at start; tests inject a fixed
// one. Patterns use the Qt/ICU letters (d dd M MM MMM MMMM yy yyyy H HH h hh
// m mm s ss AP ap, text in single quotes), as UTF-8 text; the date texts
// made from them use the program's own Russian month and weekday names.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

struct RegionalFormat {
  char decimalSeparator = ',';
  char thousandSeparator = ' ';
  std::string shortDatePattern = "dd.MM.yyyy";
  std::string longTimePattern = "HH:mm:ss";

  // Case-insensitive comparison of two Windows-1251 strings in the user's
  // locale, <0, 0, >0; it must be a strict weak ordering. When empty, the
  // program's own Windows-1251 order is used.
  std::function<int(std::string_view, std::string_view)> compareIgnoreCase;

  // The same order for many strings at once: the indices of the strings in
  // ascending order, strings that compare equal in their original order.
  // Made from a sort key computed once per string, so that a sort does not
  // decode two strings on every comparison. When empty, compareIgnoreCase
  // is used pair by pair.
  std::function<std::vector<std::size_t>(const std::vector<std::string_view>&)> orderIgnoreCase;
};

// The fixed Russian formats used by the tests (and as a fallback).
RegionalFormat russianRegionalFormat();

// The program-wide regional format (set once at start by the interface).
const RegionalFormat& regionalFormat();
void setRegionalFormat(RegionalFormat format);

}  // namespace kiv
