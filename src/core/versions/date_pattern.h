#pragma once
// Formats a date and time with a Qt-style pattern, as the regional short
// date and long time patterns are given ("dd.MM.yyyy", "HH:mm:ss").
//
// Letters: d dd ddd dddd (day, day name), M MM MMM MMMM (month, month name),
// yy yyyy (year), h hh (hour, 12-hour when the pattern has AP/ap), H HH
// (24-hour), m mm, s ss, z zzz (milliseconds), AP A / ap a (AM/PM). Text in
// single quotes is literal ('' is one quote); every other character is copied.
// A single y is copied as a letter, three y give yy then y. The output is
// UTF-8; names are Russian unless other names are given.

#include <array>
#include <string>
#include <string_view>

namespace kiv {

struct LocalDateTime {
  int year = 2000;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
};

struct DateTimeNames {
  std::array<std::string, 12> shortMonths;
  std::array<std::string, 12> longMonths;
  std::array<std::string, 7> shortDays;  // Monday first
  std::array<std::string, 7> longDays;
  std::string am = "AM";
  std::string pm = "PM";
};

// Russian names, as a Russian date shows them ("7 декабря 2026", "пн").
const DateTimeNames& russianDateTimeNames();

// 1 = Monday .. 7 = Sunday (proleptic Gregorian calendar).
int dayOfWeek(int year, int month, int day);

std::string formatDateTimePattern(std::string_view pattern, const LocalDateTime& t,
                                  const DateTimeNames& names = russianDateTimeNames());

}  // namespace kiv
