// The calendar's date differences and time-zone text.

#include <gtest/gtest.h>

#include "core/datetime/date_difference.h"

using namespace kiv;

TEST(DateDifference, DayNumbersCountFromTheEndOf1899) {
  EXPECT_EQ(dayNumber({1899, 12, 30}), 0);
  EXPECT_EQ(dayNumber({1900, 1, 1}), 2);
  EXPECT_EQ(dayNumber({2000, 1, 1}), 36526);
  EXPECT_EQ(dayNumber({1899, 12, 29}), -1);
  for (std::int64_t d : {-700000, -1, 0, 1, 36526, 45000, 2958465}) {
    const CivilDate c = dateOfDay(d);
    EXPECT_EQ(dayNumber(c), d);
  }
}

TEST(DateDifference, Table) {
  struct Case {
    CivilDate first, second;
    std::int64_t days, months, weeks;
  } cases[] = {
      {{}, {}, 0, 0, 0},                                  // nothing chosen
      {{2024, 5, 17}, {2024, 5, 17}, 0, 0, 0},            // the same day twice
      {{2024, 1, 31}, {2024, 2, 1}, 1, 1, 0},             // a month apart by the calendar
      {{2024, 3, 16}, {2024, 3, 17}, 1, 0, 1},            // Saturday to the next Sunday
      {{2024, 3, 17}, {2024, 3, 23}, 6, 0, 0},            // Sunday to the next Saturday
      {{2024, 3, 23}, {2024, 3, 16}, -7, 0, -1},          // the second before the first
      {{2024, 2, 1}, {2024, 1, 31}, -1, -1, 0},
      {{2023, 12, 31}, {2025, 1, 1}, 367, 13, 52},
      {{}, {1900, 1, 7}, 8, 1, 2},                         // only the second: from 30 December 1899 (a Saturday)
  };
  for (const auto& c : cases) {
    const DateDifference d = dateDifference(c.first, c.second);
    EXPECT_EQ(d.days, c.days);
    EXPECT_EQ(d.months, c.months);
    EXPECT_EQ(d.weeks, c.weeks);
  }
}

TEST(DateDifference, Lines) {
  const auto lines = dateDifferenceLines({-3, 2, -1});
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "Разница между датами равна ");
  EXPECT_EQ(lines[1], "в днях:  -3");
  EXPECT_EQ(lines[2], "в месяцах:  2");
  EXPECT_EQ(lines[3], "в неделях:  -1");
}

TEST(DateDifference, TimeZoneOffsets) {
  struct Case {
    int bias;
    const char* text;
  } cases[] = {{-180, "+0300"}, {-330, "+0530"}, {300, "-0500"}, {0, "+0000"}, {-345, "+0545"}, {570, "-0930"}, {-840, "+1400"}};
  for (const auto& c : cases) EXPECT_EQ(timeZoneOffsetText(c.bias), c.text) << c.bias;
  EXPECT_EQ(timeZoneLine(-180), "Разница между гринвичским временем и текущим, в ЧЧММ: +0300");
}
