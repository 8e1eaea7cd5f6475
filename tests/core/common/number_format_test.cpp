#include "core/common/number_format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "core/common/conversions.h"

namespace kiv {
namespace {

struct FormatCase {
  long double value;
  const char* text;
};

TEST(FormatGeneral, FixedAndExponentForms) {
  const long double pi = 3.14159265358979323846L;
  const FormatCase cases[] = {
      {0, "0"},
      {-0.0L, "0"},
      {1, "1"},
      {-1, "-1"},
      {14, "14"},
      {0.5L, "0.5"},
      {-2.5L, "-2.5"},
      {pi * 2, "6.28318530717959"},
      {pi, "3.14159265358979"},
      {1.0L / 3, "0.333333333333333"},
      {2.0L / 3, "0.666666666666667"},
      {100, "100"},
      {123456789012345.0L, "123456789012345"},
      {999999999999999.0L, "999999999999999"},
      {1e15L, "1E15"},
      {9999999999999999.0L, "1E16"},
      {1234567890123456.0L, "1.23456789012346E15"},
      {1e20L, "1E20"},
      {-1e20L, "-1E20"},
      {2.5e100L, "2.5E100"},
      {0.001L, "0.001"},
      {0.0001L, "0.0001"},
      {0.00012345L, "0.00012345"},
      {0.00001L, "1E-5"},
      {1.5e-5L, "1.5E-5"},
      {-1.5e-5L, "-1.5E-5"},
      {1e-300L, "1E-300"},
      {1e4000L, "1E4000"},
      {0.1L, "0.1"},
      {0.1L + 0.2L, "0.3"},
      {1.05L, "1.05"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(formatGeneral(c.value, '.'), c.text);
  }
}

TEST(FormatGeneral, SeparatorSpecialValuesAndPrecision) {
  EXPECT_EQ(formatGeneral(6.5L, ','), "6,5");
  EXPECT_EQ(formatGeneral(1.5e-7L, ','), "1,5E-7");
  EXPECT_EQ(formatGeneral(2.25L, russianRegionalFormat()), "2,25");
  EXPECT_EQ(formatGeneral(std::numeric_limits<long double>::infinity(), '.'), "INF");
  EXPECT_EQ(formatGeneral(-std::numeric_limits<long double>::infinity(), '.'), "-INF");
  EXPECT_EQ(formatGeneral(std::nanl(""), '.'), "NAN");
  EXPECT_EQ(formatGeneral(3.14159L, '.', 3), "3.14");
  EXPECT_EQ(formatGeneral(12345, '.', 3), "1.23E4");
  EXPECT_EQ(formatGeneral(123, '.', 3), "123");
}

// What is shown reads back (through the program's own float conversion) as
// the value rounded to 15 digits.
TEST(FormatGeneral, ReadsBackThroughTheFloatConversion) {
  const long double values[] = {1.0L / 7, -22.0L / 7, 1e-10L / 3, 6.02214076e23L, 1e15L + 1,
                                0.000123L, 98765.4321L};
  for (long double v : values) {
    std::string s = formatGeneral(v, ',');
    SCOPED_TRACE(s);
    auto back = strToFloat(s, ',');
    ASSERT_TRUE(back.ok()) << back.error;
    EXPECT_NEAR(static_cast<double>(back.value / v), 1.0, 1e-14);
    EXPECT_EQ(formatGeneral(back.value, ','), s);
  }
}

}  // namespace
}  // namespace kiv
