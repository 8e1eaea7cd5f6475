#include "core/datetime/date_texts.h"

#include <algorithm>
#include <chrono>
#include <iterator>
#include <ctime>

#include "core/charsets/cp1251_literal.h"

namespace kiv {

namespace {

bool isLeap(int y) { return y % 4 == 0 && (y % 100 != 0 || y % 400 == 0); }

void appendPadded(std::string& out, long value, int width) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  if (value < 0) out += '-';
  if (static_cast<int>(digits.size()) < width) out.append(static_cast<std::size_t>(width) - digits.size(), '0');
  out += digits;
}

// Length of the run of `c` starting at `i`.
std::size_t runLength(std::string_view s, std::size_t i) {
  std::size_t j = i;
  while (j < s.size() && s[j] == s[i]) ++j;
  return j - i;
}

bool hasAmPm(std::string_view pattern) {
  bool quoted = false;
  for (char c : pattern) {
    if (c == '\'') quoted = !quoted;
    else if (!quoted && (c == 'A' || c == 'a')) return true;
  }
  return false;
}

}  // namespace

LocalDateTime currentLocalDateTime() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t secs = system_clock::to_time_t(now);
  std::tm tm{};
  localtime_r(&secs, &tm);
  LocalDateTime t;
  t.year = tm.tm_year + 1900;
  t.month = tm.tm_mon + 1;
  t.day = tm.tm_mday;
  t.hour = tm.tm_hour;
  t.minute = tm.tm_min;
  t.second = tm.tm_sec;
  t.millisecond = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  return t;
}

int daysInMonth(int year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && isLeap(year) ? 29 : kDays[month - 1];
}

bool isValidDateTime(const LocalDateTime& t) {
  return t.year >= 1 && t.year <= 9999 && t.month >= 1 && t.month <= 12 && t.day >= 1 &&
         t.day <= daysInMonth(t.year, t.month) && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 &&
         t.minute <= 59 && t.second >= 0 && t.second <= 60 && t.millisecond >= 0 && t.millisecond <= 999;
}

int weekdayOf(int year, int month, int day) {
  static const int kOffsets[12] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 3) year -= 1;
  int w = (year + year / 4 - year / 100 + year / 400 + kOffsets[(month + 11) % 12] + day) % 7;
  return w < 0 ? w + 7 : w;
}

int dayOfYear(int year, int month, int day) {
  int n = day - 1;
  for (int m = 1; m < month; ++m) n += daysInMonth(year, m);
  return n;
}

namespace {
DateNames makeRussianNames(bool utf8) {
  DateNames n;
  const char* longMonths[12] = {"января", "февраля", "марта",    "апреля",  "мая",    "июня",
                                "июля",   "августа", "сентября", "октября", "ноября", "декабря"};
  const char* shortMonths[12] = {"янв.", "февр.", "мар.",  "апр.", "мая",  "июн.",
                                 "июл.", "авг.",  "сент.", "окт.", "нояб.", "дек."};
  const char* longDays[7] = {"воскресенье", "понедельник", "вторник", "среда",
                             "четверг",     "пятница",     "суббота"};
  const char* shortDays[7] = {"вс", "пн", "вт", "ср", "чт", "пт", "сб"};
  auto text = [utf8](const char* s) { return utf8 ? std::string(s) : cp1251(s); };
  for (int i = 0; i < 12; ++i) {
    n.monthsLong[i] = text(longMonths[i]);
    n.monthsShort[i] = text(shortMonths[i]);
  }
  for (int i = 0; i < 7; ++i) {
    n.weekdaysLong[i] = text(longDays[i]);
    n.weekdaysShort[i] = text(shortDays[i]);
  }
  return n;
}
}  // namespace

const DateNames& russianDateNames() {
  static const DateNames names = makeRussianNames(false);
  return names;
}

const DateNames& russianDateNamesUtf8() {
  static const DateNames names = makeRussianNames(true);
  return names;
}

std::string formatDateTime(std::string_view pattern, const LocalDateTime& t, const DateNames& names) {
  if (!isValidDateTime(t)) return {};
  const bool twelveHour = hasAmPm(pattern);
  std::string out;
  std::size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i];
    if (c == '\'') {
      if (i + 1 < pattern.size() && pattern[i + 1] == '\'') {
        out += '\'';
        i += 2;
        continue;
      }
      std::size_t j = i + 1;
      while (j < pattern.size()) {
        if (pattern[j] == '\'') {
          if (j + 1 < pattern.size() && pattern[j + 1] == '\'') {
            out += '\'';
            j += 2;
            continue;
          }
          break;
        }
        out += pattern[j++];
      }
      i = j < pattern.size() ? j + 1 : j;
      continue;
    }
    std::size_t run = runLength(pattern, i);
    std::size_t used = 1;
    switch (c) {
      case 'd':
        used = run >= 4 ? 4 : run;
        if (used == 4) out += names.weekdaysLong[static_cast<std::size_t>(weekdayOf(t.year, t.month, t.day))];
        else if (used == 3) out += names.weekdaysShort[static_cast<std::size_t>(weekdayOf(t.year, t.month, t.day))];
        else appendPadded(out, t.day, static_cast<int>(used));
        break;
      case 'M':
        used = run >= 4 ? 4 : run;
        if (used == 4) out += names.monthsLong[static_cast<std::size_t>(t.month - 1)];
        else if (used == 3) out += names.monthsShort[static_cast<std::size_t>(t.month - 1)];
        else appendPadded(out, t.month, static_cast<int>(used));
        break;
      case 'y':
        if (run >= 4) {
          used = 4;
          appendPadded(out, t.year, 4);
        } else if (run >= 2) {
          used = 2;
          appendPadded(out, t.year % 100, 2);
        } else {
          out += c;
        }
        break;
      case 'H':
      case 'h':
      case 'm':
      case 's': {
        used = run >= 2 ? 2 : 1;
        int v = c == 'm' ? t.minute : c == 's' ? t.second : t.hour;
        if (c == 'h' && twelveHour) v = t.hour % 12 == 0 ? 12 : t.hour % 12;
        appendPadded(out, v, static_cast<int>(used));
        break;
      }
      case 'z':
        if (run >= 3) {
          used = 3;
          appendPadded(out, t.millisecond, 3);
        } else {
          appendPadded(out, t.millisecond, 1);
        }
        break;
      case 'A':
      case 'a': {
        const bool pm = t.hour >= 12;
        std::string mark = pm ? names.pm : names.am;
        if (c == 'a')
          for (auto& ch : mark)
            if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
        out += mark;
        // "AP" and "ap" are one mark, as is a lone "A" or "a".
        used = (i + 1 < pattern.size() && (pattern[i + 1] == 'P' || pattern[i + 1] == 'p')) ? 2 : 1;
        break;
      }
      default:
        out += c;
        break;
    }
    i += used;
  }
  return out;
}

namespace {
std::string regionalText(std::string_view utf8Pattern, const LocalDateTime& t, TextCoding coding) {
  if (coding == TextCoding::Utf8) return formatDateTime(utf8Pattern, t, russianDateNamesUtf8());
  return formatDateTime(cp1251(utf8Pattern), t, russianDateNames());
}
}  // namespace

std::string shortDateText(const LocalDateTime& t, const RegionalFormat& format, TextCoding coding) {
  return regionalText(format.shortDatePattern, t, coding);
}

std::string longTimeText(const LocalDateTime& t, const RegionalFormat& format, TextCoding coding) {
  return regionalText(format.longTimePattern, t, coding);
}

std::string shortDateTimeText(const LocalDateTime& t, const RegionalFormat& format, TextCoding coding) {
  if (!isValidDateTime(t)) return {};
  return shortDateText(t, format, coding) + ' ' + longTimeText(t, format, coding);
}

std::string numericDateText(const LocalDateTime& t, std::string_view shortDatePattern) {
  if (!isValidDateTime(t)) return {};
  // Where the pattern first names the day (as a number), the month and the year.
  std::size_t day = std::string_view::npos, month = day, year = day;
  bool quoted = false;
  for (std::size_t i = 0; i < shortDatePattern.size();) {
    const char c = shortDatePattern[i];
    const std::size_t run = runLength(shortDatePattern, i);
    if (c == '\'') quoted = !quoted;
    else if (!quoted && c == 'd' && run <= 2 && day == std::string_view::npos) day = i;
    else if (!quoted && c == 'M' && month == std::string_view::npos) month = i;
    else if (!quoted && c == 'y' && run >= 2 && year == std::string_view::npos) year = i;
    i += c == '\'' ? 1 : run;
  }
  if (day == std::string_view::npos || month == std::string_view::npos || year == std::string_view::npos) {
    day = 0;
    month = 1;
    year = 2;
  }
  struct Field {
    std::size_t at;
    int value;
    int width;
  } fields[3] = {{day, t.day, 2}, {month, t.month, 2}, {year, t.year, 4}};
  std::sort(std::begin(fields), std::end(fields), [](const Field& a, const Field& b) { return a.at < b.at; });
  std::string out;
  for (const Field& f : fields) {
    if (!out.empty()) out += '.';
    appendPadded(out, f.value, f.width);
  }
  return out;
}

std::string numericTimeText(const LocalDateTime& t) {
  if (!isValidDateTime(t)) return {};
  std::string out;
  appendPadded(out, t.hour, 2);
  out += ':';
  appendPadded(out, t.minute, 2);
  out += ':';
  appendPadded(out, t.second, 2);
  return out;
}

std::string longRussianDate(const LocalDateTime& t) {
  static const std::string yearSuffix = cp1251(" г.");
  if (!isValidDateTime(t)) return {};
  std::string out = std::to_string(t.day);
  out += ' ';
  out += russianDateNames().monthsLong[static_cast<std::size_t>(t.month - 1)];
  out += ' ';
  appendPadded(out, t.year, 4);
  out += yearSuffix;
  return out;
}

std::string longRussianDateWithWeekday(const LocalDateTime& t) {
  if (!isValidDateTime(t)) return {};
  return longRussianDate(t) + ", " +
         russianDateNames().weekdaysLong[static_cast<std::size_t>(weekdayOf(t.year, t.month, t.day))];
}

std::string dayNumberText(const LocalDateTime& t) {
  if (!isValidDateTime(t)) return {};
  return std::to_string(dayOfYear(t.year, t.month, t.day));
}

}  // namespace kiv
