#include "core/versions/date_pattern.h"

#include <algorithm>

namespace kiv {

namespace {

std::string twoDigits(int v) {
  v = v < 0 ? -v : v;
  std::string s = std::to_string(v % 100);
  return s.size() < 2 ? "0" + s : s;
}

std::string padded(int v, std::size_t width) {
  const bool negative = v < 0;
  std::string s = std::to_string(negative ? -static_cast<long long>(v) : static_cast<long long>(v));
  if (s.size() < width) s.insert(0, width - s.size(), '0');
  return negative ? "-" + s : s;
}

// Valid index into a name array, or -1.
int nameIndex(int value, int count) { return (value >= 1 && value <= count) ? value - 1 : -1; }

std::size_t runLength(std::string_view p, std::size_t i) {
  std::size_t j = i;
  while (j < p.size() && p[j] == p[i]) ++j;
  return j - i;
}

bool hasAmPm(std::string_view p) {
  bool quoted = false;
  for (std::size_t i = 0; i < p.size(); ++i) {
    if (p[i] == '\'') quoted = !quoted;
    else if (!quoted && (p[i] == 'A' || p[i] == 'a')) return true;
  }
  return false;
}

}  // namespace

const DateTimeNames& russianDateTimeNames() {
  static const DateTimeNames names = [] {
    DateTimeNames n;
    n.shortMonths = {"янв.", "февр.", "мар.", "апр.", "мая", "июн.",
                     "июл.", "авг.", "сент.", "окт.", "нояб.", "дек."};
    n.longMonths = {"января", "февраля", "марта",    "апреля",  "мая",    "июня",
                    "июля",   "августа", "сентября", "октября", "ноября", "декабря"};
    n.shortDays = {"пн", "вт", "ср", "чт", "пт", "сб", "вс"};
    n.longDays = {"понедельник", "вторник", "среда", "четверг", "пятница", "суббота", "воскресенье"};
    return n;
  }();
  return names;
}

int dayOfWeek(int year, int month, int day) {
  // Sakamoto's method: 0 = Sunday.
  static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  if (month < 1 || month > 12) return 1;
  long long y = year;
  if (month < 3) --y;
  auto floorDiv = [](long long a, long long b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
  long long w = (y + floorDiv(y, 4) - floorDiv(y, 100) + floorDiv(y, 400) + offsets[month - 1] + day) % 7;
  if (w < 0) w += 7;
  return w == 0 ? 7 : static_cast<int>(w);
}

std::string formatDateTimePattern(std::string_view p, const LocalDateTime& t, const DateTimeNames& names) {
  const bool twelveHour = hasAmPm(p);
  int h12 = t.hour % 12;
  if (h12 == 0) h12 = 12;
  std::string out;
  std::size_t i = 0;
  while (i < p.size()) {
    const char c = p[i];
    if (c == '\'') {
      if (i + 1 < p.size() && p[i + 1] == '\'') {
        out += '\'';
        i += 2;
        continue;
      }
      std::size_t j = i + 1;
      while (j < p.size()) {
        if (p[j] == '\'') {
          if (j + 1 < p.size() && p[j + 1] == '\'') {
            out += '\'';
            j += 2;
            continue;
          }
          break;
        }
        out += p[j++];
      }
      i = j + 1;  // past the closing quote (or the end)
      continue;
    }
    const std::size_t run = runLength(p, i);
    std::size_t used = run;
    switch (c) {
      case 'd': {
        used = std::min<std::size_t>(run, 4);
        const int wd = dayOfWeek(t.year, t.month, t.day) - 1;
        if (used == 1) out += std::to_string(t.day);
        else if (used == 2) out += twoDigits(t.day);
        else if (used == 3) out += names.shortDays[static_cast<std::size_t>(wd)];
        else out += names.longDays[static_cast<std::size_t>(wd)];
        break;
      }
      case 'M': {
        used = std::min<std::size_t>(run, 4);
        const int m = nameIndex(t.month, 12);
        if (used == 1) out += std::to_string(t.month);
        else if (used == 2) out += twoDigits(t.month);
        else if (m >= 0) out += (used == 3 ? names.shortMonths : names.longMonths)[static_cast<std::size_t>(m)];
        break;
      }
      case 'y':
        if (run >= 4) {
          used = 4;
          out += padded(t.year, 4);
        } else if (run >= 2) {
          used = 2;
          out += twoDigits(t.year);
        } else {
          used = 1;
          out += 'y';
        }
        break;
      case 'h':
      case 'H': {
        used = std::min<std::size_t>(run, 2);
        const int v = (c == 'h' && twelveHour) ? h12 : t.hour;
        out += used == 1 ? std::to_string(v) : twoDigits(v);
        break;
      }
      case 'm':
        used = std::min<std::size_t>(run, 2);
        out += used == 1 ? std::to_string(t.minute) : twoDigits(t.minute);
        break;
      case 's':
        used = std::min<std::size_t>(run, 2);
        out += used == 1 ? std::to_string(t.second) : twoDigits(t.second);
        break;
      case 'z':
        if (run >= 3) {
          used = 3;
          out += padded(t.millisecond % 1000, 3);
        } else {
          used = 1;
          out += std::to_string(t.millisecond % 1000);
        }
        break;
      case 'A':
      case 'a': {
        const bool upper = (c == 'A');
        used = (i + 1 < p.size() && p[i + 1] == (upper ? 'P' : 'p')) ? 2 : 1;
        std::string s = t.hour < 12 ? names.am : names.pm;
        if (!upper) {
          for (char& ch : s) {
            if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
          }
        }
        out += s;
        break;
      }
      default:
        used = 1;
        out += c;
        break;
    }
    i += used;
  }
  return out;
}

}  // namespace kiv
