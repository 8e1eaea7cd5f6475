#include <gtest/gtest.h>

#include <vector>

#include "core/datetime/date_texts.h"

namespace kiv {
namespace {

const LocalDateTime kEvening{2026, 12, 7, 23, 40, 5, 42};
const LocalDateTime kMorning{2026, 1, 4, 9, 3, 7, 0};

TEST(DatePattern, TableWithUtf8Names) {
  struct Case {
    const char* pattern;
    LocalDateTime t;
    const char* out;
  };
  const std::vector<Case> cases = {
      {"dd.MM.yyyy", kEvening, "07.12.2026"},
      {"HH:mm:ss", kEvening, "23:40:05"},
      {"d.M.yy", kEvening, "7.12.26"},
      {"d.M.yy", kMorning, "4.1.26"},
      {"H:m:s", kMorning, "9:3:7"},
      {"h:mm AP", kEvening, "11:40 PM"},
      {"hh:mm ap", kMorning, "09:03 am"},
      {"h A", LocalDateTime{2026, 1, 1, 0, 0, 0, 0}, "12 AM"},
      {"h a", LocalDateTime{2026, 1, 1, 12, 0, 0, 0}, "12 pm"},
      {"h", kEvening, "23"},  // without AP h is the 24-hour clock
      {"yyyy-MM-dd", kMorning, "2026-01-04"},
      {"d MMMM yyyy", kEvening, "7 декабря 2026"},
      {"d MMM", kMorning, "4 янв."},
      {"dddd, d", kEvening, "понедельник, 7"},
      {"ddd", kMorning, "вс"},
      {"ss.zzz", kEvening, "05.042"},
      {"'date' dd", kEvening, "date 07"},
      {"'it''s' hh", kEvening, "it's 23"},
      {"''hh''", kEvening, "'23'"},
      {"dd/MM/yyyy", kEvening, "07/12/2026"},
      {"", kEvening, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(formatDateTime(c.pattern, c.t, russianDateNamesUtf8()), c.out) << c.pattern;
}

}  // namespace
}  // namespace kiv
