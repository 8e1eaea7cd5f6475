#pragma once
// The calendar's arithmetic: differences between two dates in days,
// months and weeks, and the local time zone's offset from Greenwich.

#include <cstdint>
#include <string>
#include <vector>

namespace kiv {

struct CivilDate {
  int year = 1899;
  int month = 12;
  int day = 30;
};

// Day numbers count from 30 December 1899 (day 0); a date not chosen yet
// is day 0.
std::int64_t dayNumber(const CivilDate& date);
CivilDate dateOfDay(std::int64_t day);

struct DateDifference {
  std::int64_t days = 0;
  std::int64_t months = 0;  // calendar months; the day of the month plays no part
  std::int64_t weeks = 0;   // weeks beginning on Sunday
};

DateDifference dateDifference(const CivilDate& first, const CivilDate& second);

// The four lines "=" appends (UTF-8).
std::vector<std::string> dateDifferenceLines(const DateDifference& d);

// "+0300" for a zone three hours east of Greenwich: the standard bias B in
// minutes (UTC = local time + B) gives "-" when B > 0 and "+" otherwise,
// then the hours and minutes of |B|, two digits each.
std::string timeZoneOffsetText(int biasMinutes);
// "Разница между гринвичским временем и текущим, в ЧЧММ: " + the offset.
std::string timeZoneLine(int biasMinutes);

}  // namespace kiv
