// Every conversion of the unit converter against its expected value, in the
// program's general number format.

#include <gtest/gtest.h>

#include "core/common/number_format.h"
#include "core/units/unit_conversions.h"

using namespace kiv;

namespace {
std::string shown(std::string_view conversion, long double x) {
  auto r = convertUnits(conversion, x);
  return r ? formatGeneral(*r, '.') : std::string("none");
}
}  // namespace

TEST(UnitConversions, ListHoldsEveryConversionInOrder) {
  const auto list = unitConversionList();
  ASSERT_EQ(list.size(), 31u);
  EXPECT_EQ(list.front(), "Фаренгейт в Цельсий");
  EXPECT_EQ(list[15], "Квадратные ярды в квадратные мили");
  EXPECT_EQ(list.back(), "Унции в граммы");
  for (auto text : list) EXPECT_TRUE(convertUnits(text, 1).has_value()) << text;
}

TEST(UnitConversions, ExpectedValues) {
  struct Case {
    const char* conversion;
    long double x;
    const char* expected;
  } cases[] = {
      {"Фаренгейт в Цельсий", 13, "-10.5555555555556"},
      {"Фаренгейт в Цельсий", 212, "100"},
      {"Фаренгейт в Цельсий", -40, "-40"},
      {"Цельсий в Фаренгейт", 100, "212"},
      {"Цельсий в Фаренгейт", -40, "-40"},
      {"Цельсий в Фаренгейт", 37, "98.6"},
      {"Кельвин в Цельсий", 0, "-273.16"},
      {"Цельсий в Кельвин", 0, "273.16"},
      {"Дюймы в ярды", 72, "2"},
      {"Ярды в дюймы", 1, "36"},
      {"Дюймы в мили", 63360, "1"},
      {"Мили в дюймы", 1, "63360"},
      {"Дюймы в морские мили", 72960, "1"},
      {"Морские мили в дюймы", 2, "145920"},
      {"Дюймы в метры", 100, "2.54"},
      {"Метры в дюймы", 2.54L, "100"},
      {"Квадратные дюймы в квадратвые футы", 288, "2"},
      {"Квадратные футы в квадратные дюймы", 1, "144"},
      {"Квадратные дюймы в квадртные ярды", 1296, "1"},
      {"Квадратные ярды в квадратные мили", 3097600, "1"},
      {"Квадратные ярды в квадратные мили", 1, "3.22830578512397E-7"},
      {"Квадратные дюймы в квадратные мили", 4014489600.0L, "1"},
      {"Квадратные мили в квадратные дюймы", 1, "4014489600"},
      {"Квадратные дюймы в акры", 6272640, "1"},
      {"Акры в квадратные дюймы", 2, "12545280"},
      {"Квадратные дюймы в квадратные метры", 1550.016L, "1"},
      {"Квадратные метры в квадратные дюймы", 1, "1550.016"},
      {"Кубические дюймы в кубические футы", 1728, "1"},
      {"Кубические футы в кубические дюймы", 1, "1728"},
      {"Кубические дюймы в кубические ярды", 46656, "1"},
      {"Кубические дюймы в кубические метры", 61022.592L, "1"},
      {"Кубические ярды в кубические дюймы", 1, "46656"},
      {"Кубические метры в кубические дюймы", 1, "61022.592"},
      {"Унции в тонны", 64000, "2"},
      {"Тонны в унции", 1, "32000"},
      {"Унции в граммы", 1, "28.35"},
      {"Граммы в унции", 56.7L, "2"},
  };
  for (const auto& c : cases) EXPECT_EQ(shown(c.conversion, c.x), c.expected) << c.conversion;
}

TEST(UnitConversions, OnlyExactTextsMatch) {
  for (const char* text : {"abc", "", "фаренгейт в цельсий", "Фаренгейт в Цельсий ", "Граммы"})
    EXPECT_FALSE(convertUnits(text, 13).has_value()) << text;
  EXPECT_NE(unknownConversionMessage("abc").find("\"abc\""), std::string::npos);
}

TEST(UnitConversions, ThereAndBackAgain) {
  // Mile to inches and back gives the number again.
  EXPECT_EQ(shown("Дюймы в мили", *convertUnits("Мили в дюймы", 1)), "1");
  EXPECT_EQ(shown("Фаренгейт в Цельсий", *convertUnits("Цельсий в Фаренгейт", 21.5L)), "21.5");
}
