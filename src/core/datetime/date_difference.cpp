#include "core/datetime/date_difference.h"

#include <cstdlib>

namespace kiv {

namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's
// algorithm), and back.
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

CivilDate civilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return CivilDate{static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

const std::int64_t kDayZero = daysFromCivil(1899, 12, 30);

// The Sunday on or before the day; day 0 was a Saturday.
std::int64_t sundayOf(std::int64_t day) {
  const std::int64_t weekday = ((day + 6) % 7 + 7) % 7;  // 0 for Sunday
  return day - weekday;
}

std::string twoDigits(int value) {
  std::string s = std::to_string(value).substr(0, 2);
  if (s.size() < 2) s.insert(0, 1, '0');
  return s;
}

}  // namespace

std::int64_t dayNumber(const CivilDate& date) {
  return daysFromCivil(date.year, static_cast<unsigned>(date.month), static_cast<unsigned>(date.day)) - kDayZero;
}

CivilDate dateOfDay(std::int64_t day) { return civilFromDays(day + kDayZero); }

DateDifference dateDifference(const CivilDate& first, const CivilDate& second) {
  DateDifference d;
  const std::int64_t a = dayNumber(first), b = dayNumber(second);
  d.days = b - a;
  d.months = (static_cast<std::int64_t>(second.year) * 12 + second.month) -
             (static_cast<std::int64_t>(first.year) * 12 + first.month);
  d.weeks = (sundayOf(b) - sundayOf(a)) / 7;
  return d;
}

std::vector<std::string> dateDifferenceLines(const DateDifference& d) {
  return {"Разница между датами равна ", "в днях:  " + std::to_string(d.days),
          "в месяцах:  " + std::to_string(d.months), "в неделях:  " + std::to_string(d.weeks)};
}

std::string timeZoneOffsetText(int bias) {
  const int magnitude = std::abs(bias);
  return std::string(bias > 0 ? "-" : "+") + twoDigits(magnitude / 60) + twoDigits(magnitude % 60);
}

std::string timeZoneLine(int bias) {
  return "Разница между гринвичским временем и текущим, в ЧЧММ: " + timeZoneOffsetText(bias);
}

}  // namespace kiv
