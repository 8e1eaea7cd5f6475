#pragma once
// Date and time texts inserted into documents, computed from an injected
// local date-time and the regional patterns.

#include <array>
#include <string>
#include <string_view>

#include "core/common/regional.h"

namespace kiv {

struct LocalDateTime {
  int year = 2000;
  int month = 1;   // 1..12
  int day = 1;     // 1..31
  int hour = 0;    // 0..23
  int minute = 0;
  int second = 0;  // 0..60 (a leap second is shown as it comes)
  int millisecond = 0;
};

// The computer's local clock now.
LocalDateTime currentLocalDateTime();

bool isValidDateTime(const LocalDateTime& t);
int daysInMonth(int year, int month);
// 0 = Sunday .. 6 = Saturday (proleptic Gregorian calendar).
int weekdayOf(int year, int month, int day);
// Days since 1 January of the same year: 1 January is 0.
int dayOfYear(int year, int month, int day);

// Names used by the pattern formatter, as document bytes.
struct DateNames {
  std::array<std::string, 12> monthsLong;   // MMMM, genitive: "января"
  std::array<std::string, 12> monthsShort;  // MMM
  std::array<std::string, 7> weekdaysLong;  // dddd, Sunday first
  std::array<std::string, 7> weekdaysShort; // ddd
  std::string am = "AM", pm = "PM";
};
// Russian names in Windows-1251.
const DateNames& russianDateNames();
// The same names in UTF-8 (for file names).
const DateNames& russianDateNamesUtf8();

// Formats with the Qt/ICU pattern letters: d dd ddd dddd, M MM MMM MMMM,
// yy yyyy, H HH (24 h), h hh (12 h when the pattern has AP/ap, else 24 h),
// m mm, s ss, z zzz (milliseconds), AP ap A a; 'quoted text' is copied, ''
// is a quote; every other byte is copied. An invalid date-time gives "".
std::string formatDateTime(std::string_view pattern, const LocalDateTime& t,
                           const DateNames& names = russianDateNames());

// The regional texts, one formatter for every place that shows a date or a
// time in the user's format: "Дата (формат 1)", "Время" and the file date of
// "Статистика". The format's patterns are UTF-8; month and weekday names are
// Russian. Document text is Windows-1251 (the caller recodes it to the
// document's code page); interface text is UTF-8.
enum class TextCoding { Win1251, Utf8 };
std::string shortDateText(const LocalDateTime& t, const RegionalFormat& format,
                          TextCoding coding = TextCoding::Win1251);
std::string longTimeText(const LocalDateTime& t, const RegionalFormat& format,
                         TextCoding coding = TextCoding::Win1251);
// The short date, one space, the long time.
std::string shortDateTimeText(const LocalDateTime& t, const RegionalFormat& format,
                              TextCoding coding = TextCoding::Win1251);

// Digits only, for names of files: day, month and year in the order the
// short date pattern has them (day first when it lacks one of them), two
// digits for day and month, four for the year, separated by "."
// ("08.12.2026" for "dd.MM.yyyy" and for "d MMM yyyy", "2026.12.08" for
// "yyyy-MM-dd"); the time as "HH:mm:ss" on the 24-hour clock.
std::string numericDateText(const LocalDateTime& t, std::string_view shortDatePattern);
std::string numericTimeText(const LocalDateTime& t);
// "Дата (формат 3)": "7 декабря 2026 г." in Windows-1251.
std::string longRussianDate(const LocalDateTime& t);
// "Дата (формат 2)": "7 декабря 2026 г., понедельник" in Windows-1251.
std::string longRussianDateWithWeekday(const LocalDateTime& t);
// "Номер текущего дня в году": "0" on 1 January.
std::string dayNumberText(const LocalDateTime& t);

}  // namespace kiv
