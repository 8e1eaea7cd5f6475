#include "core/datetime/date_texts.h"

#include <gtest/gtest.h>

#include <string>

#include "core/charsets/cp1251_literal.h"

namespace kiv {
namespace {

LocalDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
  return LocalDateTime{y, mo, d, h, mi, s, ms};
}

TEST(Calendar, WeekdaysAndDayNumbers) {
  const struct {
    int y, m, d;
    int weekday;  // 0 = Sunday
    int dayNumber;
  } cases[] = {
      {2026, 12, 7, 1, 340},  {2026, 1, 1, 4, 0},   {2024, 3, 1, 5, 60},  {2023, 3, 1, 3, 59},
      {2024, 12, 31, 2, 365}, {2023, 12, 31, 0, 364}, {2000, 2, 29, 2, 59}, {1900, 3, 1, 4, 59},
      {1, 1, 1, 1, 0},        {9999, 12, 31, 5, 364}, {2025, 6, 15, 0, 165},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.y) + "-" + std::to_string(c.m) + "-" + std::to_string(c.d));
    EXPECT_EQ(weekdayOf(c.y, c.m, c.d), c.weekday);
    EXPECT_EQ(dayOfYear(c.y, c.m, c.d), c.dayNumber);
    EXPECT_EQ(dayNumberText(at(c.y, c.m, c.d)), std::to_string(c.dayNumber));
  }
}

TEST(Calendar, Validity) {
  EXPECT_TRUE(isValidDateTime(at(2024, 2, 29)));
  EXPECT_TRUE(isValidDateTime(at(2024, 2, 29, 23, 59, 60, 999)));
  const LocalDateTime bad[] = {at(2023, 2, 29), at(2024, 13, 1), at(2024, 0, 1), at(2024, 4, 31),
                               at(2024, 1, 0),  at(0, 1, 1),     at(2024, 1, 1, 24),
                               at(2024, 1, 1, 0, 60), at(2024, 1, 1, 0, 0, 61), at(2024, 1, 1, 0, 0, 0, 1000)};
  for (const auto& t : bad) {
    EXPECT_FALSE(isValidDateTime(t));
    EXPECT_EQ(longRussianDate(t), "");
    EXPECT_EQ(longRussianDateWithWeekday(t), "");
    EXPECT_EQ(dayNumberText(t), "");
    EXPECT_EQ(formatDateTime("dd.MM.yyyy", t), "");
  }
}

TEST(RussianDates, LongFormsAreByteExact) {
  EXPECT_EQ(longRussianDate(at(2026, 12, 7)), cp1251("7 декабря 2026 г."));
  EXPECT_EQ(longRussianDateWithWeekday(at(2026, 12, 7)), cp1251("7 декабря 2026 г., понедельник"));
  EXPECT_EQ(utf8FromCp1251(longRussianDateWithWeekday(at(2026, 12, 6))), "6 декабря 2026 г., воскресенье");
  EXPECT_EQ(utf8FromCp1251(longRussianDate(at(2025, 5, 31))), "31 мая 2025 г.");
  EXPECT_EQ(utf8FromCp1251(longRussianDate(at(33, 1, 1))), "1 января 0033 г.");
  const char* months[12] = {"января", "февраля", "марта",    "апреля",  "мая",    "июня",
                            "июля",   "августа", "сентября", "октября", "ноября", "декабря"};
  for (int m = 1; m <= 12; ++m)
    EXPECT_EQ(utf8FromCp1251(longRussianDate(at(2024, m, 1))), std::string("1 ") + months[m - 1] + " 2024 г.");
}

TEST(Patterns, RegionalFormats) {
  RegionalFormat ru = russianRegionalFormat();
  EXPECT_EQ(shortDateText(at(2026, 3, 7), ru), "07.03.2026");
  EXPECT_EQ(longTimeText(at(2026, 3, 7, 9, 5, 3), ru), "09:05:03");
  RegionalFormat us;
  us.shortDatePattern = "M/d/yyyy";
  us.longTimePattern = "h:mm:ss AP";
  EXPECT_EQ(shortDateText(at(2026, 3, 7), us), "3/7/2026");
  EXPECT_EQ(longTimeText(at(2026, 3, 7, 0, 5, 3), us), "12:05:03 AM");
  EXPECT_EQ(longTimeText(at(2026, 3, 7, 13, 5, 3), us), "1:05:03 PM");
  EXPECT_EQ(longTimeText(at(2026, 3, 7, 12, 0, 0), us), "12:00:00 PM");
}

TEST(Patterns, Tokens) {
  const LocalDateTime t = at(2026, 12, 7, 14, 5, 9, 42);
  const struct {
    const char* pattern;  // UTF-8 here; the formatter takes Windows-1251
    const char* text;  // UTF-8 of the Windows-1251 result
  } cases[] = {
      {"d.M.yy", "7.12.26"},
      {"dd.MM.yyyy", "07.12.2026"},
      {"ddd, d MMM yyyy", "пн, 7 дек. 2026"},
      {"dddd, d MMMM yyyy", "понедельник, 7 декабря 2026"},
      {"H:m:s", "14:5:9"},
      {"HH:mm:ss.zzz", "14:05:09.042"},
      {"h:mm ap", "2:05 pm"},
      {"h:mm", "14:05"},
      {"hh:mm a", "02:05 pm"},
      {"z", "42"},
      {"yyyy'г.'", "2026г."},
      {"'d' d", "d 7"},
      {"d 'o''clock'", "7 o'clock"},
      {"''d''", "'7'"},
      {"'unterminated", "unterminated"},
      {"yyyyy", "2026y"},
      {"ddddd", "понедельник7"},
      {"y", "y"},
      {"", ""},
      {"[x]", "[x]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(utf8FromCp1251(formatDateTime(cp1251(c.pattern), t)), c.text);
  }
}

TEST(Patterns, RegionalTextsForDocumentsAndInterface) {
  // One formatter: the document text is the Windows-1251 form of the
  // interface text, Russian names in both, pattern literals included.
  const LocalDateTime t = at(2026, 12, 8, 23, 40, 5);
  const struct {
    const char* date;
    const char* time;
    const char* dateText;  // UTF-8
    const char* timeText;
  } cases[] = {
      {"dd.MM.yyyy", "HH:mm:ss", "08.12.2026", "23:40:05"},
      {"d MMM yyyy", "HH:mm:ss", "8 дек. 2026", "23:40:05"},
      {"M/d/yyyy", "h:mm:ss AP", "12/8/2026", "11:40:05 PM"},
      {"d MMMM yyyy 'г.'", "H 'ч' mm 'мин'", "8 декабря 2026 г.", "23 ч 40 мин"},
      {"dddd, d.MM", "HH:mm", "вторник, 8.12", "23:40"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.date);
    RegionalFormat f;
    f.shortDatePattern = c.date;
    f.longTimePattern = c.time;
    EXPECT_EQ(shortDateText(t, f, TextCoding::Utf8), c.dateText);
    EXPECT_EQ(longTimeText(t, f, TextCoding::Utf8), c.timeText);
    EXPECT_EQ(shortDateText(t, f), cp1251(c.dateText));
    EXPECT_EQ(longTimeText(t, f), cp1251(c.timeText));
    EXPECT_EQ(shortDateTimeText(t, f, TextCoding::Utf8), std::string(c.dateText) + " " + c.timeText);
    EXPECT_EQ(shortDateTimeText(t, f), cp1251(std::string(c.dateText) + " " + c.timeText));
  }
  EXPECT_EQ(shortDateTimeText(at(2026, 2, 30), russianRegionalFormat(), TextCoding::Utf8), "");
}

TEST(Patterns, NumericDatesFollowThePatternsOrder) {
  const struct {
    const char* pattern;
    const char* text;
  } cases[] = {
      {"dd.MM.yyyy", "08.03.2026"},
      {"d.M.yy", "08.03.2026"},
      {"d MMM yyyy", "08.03.2026"},
      {"dddd, d MMMM yyyy", "08.03.2026"},  // the weekday is not the day
      {"M/d/yyyy", "03.08.2026"},
      {"yyyy-MM-dd", "2026.03.08"},
      {"yy/M/d", "2026.03.08"},
      {"'d' MM yyyy", "08.03.2026"},       // no day outside quotes: day first
      {"MMMM yyyy", "08.03.2026"},
      {"", "08.03.2026"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(numericDateText(at(2026, 3, 8), c.pattern), c.text);
  }
  EXPECT_EQ(numericDateText(at(33, 1, 1), "dd.MM.yyyy"), "01.01.0033");
  EXPECT_EQ(numericTimeText(at(2026, 3, 8, 0, 5, 9)), "00:05:09");
  EXPECT_EQ(numericTimeText(at(2026, 3, 8, 23, 59, 60)), "23:59:60");
  EXPECT_EQ(numericDateText(at(2026, 2, 29), "dd.MM.yyyy"), "");
  EXPECT_EQ(numericTimeText(at(2026, 1, 1, 24)), "");
}

TEST(Clock, CurrentIsValid) { EXPECT_TRUE(isValidDateTime(currentLocalDateTime())); }

}  // namespace
}  // namespace kiv
