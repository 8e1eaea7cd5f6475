#include "core/units/unit_conversions.h"

#include <array>

namespace kiv {

namespace {

enum class Op { Multiply, Divide, Add, FahrenheitToCelsius, CelsiusToFahrenheit };

struct Conversion {
  std::string_view text;
  Op op;
  long double k;
};

// The constants are the converter's own: Kelvin offset 273.16, the nautical
// mile 72960 inches, the ton 32000 ounces, the ounce 28.35 grams.
constexpr Conversion kConversions[] = {
    {"Фаренгейт в Цельсий", Op::FahrenheitToCelsius, 0},
    {"Цельсий в Фаренгейт", Op::CelsiusToFahrenheit, 0},
    {"Кельвин в Цельсий", Op::Add, -273.16L},
    {"Цельсий в Кельвин", Op::Add, 273.16L},
    {"Дюймы в ярды", Op::Divide, 36},
    {"Ярды в дюймы", Op::Multiply, 36},
    {"Дюймы в мили", Op::Divide, 63360},
    {"Мили в дюймы", Op::Multiply, 63360},
    {"Дюймы в морские мили", Op::Divide, 72960},
    {"Морские мили в дюймы", Op::Multiply, 72960},
    {"Дюймы в метры", Op::Multiply, 0.0254L},
    {"Метры в дюймы", Op::Divide, 0.0254L},
    {"Квадратные дюймы в квадратвые футы", Op::Divide, 144},
    {"Квадратные футы в квадратные дюймы", Op::Multiply, 144},
    {"Квадратные дюймы в квадртные ярды", Op::Divide, 1296},
    // A square mile is 1760² = 3,097,600 square yards.
    {"Квадратные ярды в квадратные мили", Op::Divide, 3097600},
    {"Квадратные дюймы в квадратные мили", Op::Divide, 4014489600.0L},
    {"Квадратные мили в квадратные дюймы", Op::Multiply, 4014489600.0L},
    {"Квадратные дюймы в акры", Op::Divide, 6272640},
    {"Акры в квадратные дюймы", Op::Multiply, 6272640},
    {"Квадратные дюймы в квадратные метры", Op::Divide, 1550.016L},
    {"Квадратные метры в квадратные дюймы", Op::Multiply, 1550.016L},
    {"Кубические дюймы в кубические футы", Op::Divide, 1728},
    {"Кубические футы в кубические дюймы", Op::Multiply, 1728},
    {"Кубические дюймы в кубические ярды", Op::Divide, 46656},
    {"Кубические дюймы в кубические метры", Op::Divide, 61022.592L},
    {"Кубические ярды в кубические дюймы", Op::Multiply, 46656},
    {"Кубические метры в кубические дюймы", Op::Multiply, 61022.592L},
    {"Унции в тонны", Op::Divide, 32000},
    {"Тонны в унции", Op::Multiply, 32000},
    {"Унции в граммы", Op::Multiply, 28.35L},
    {"Граммы в унции", Op::Divide, 28.35L},
};

constexpr std::size_t kListed = std::size(kConversions) - 1;

const std::array<std::string_view, kListed>& listTexts() {
  static const auto texts = [] {
    std::array<std::string_view, kListed> t{};
    for (std::size_t i = 0; i < kListed; ++i) t[i] = kConversions[i].text;
    return t;
  }();
  return texts;
}

}  // namespace

std::span<const std::string_view> unitConversionList() { return listTexts(); }

std::optional<long double> convertUnits(std::string_view conversion, long double x) {
  for (const auto& c : kConversions) {
    if (c.text != conversion) continue;
    switch (c.op) {
      case Op::Multiply: return x * c.k;
      case Op::Divide: return x / c.k;
      case Op::Add: return x + c.k;
      case Op::FahrenheitToCelsius: return (x + 40) * 5 / 9 - 40;
      case Op::CelsiusToFahrenheit: return (x + 40) * 1.8L - 40;
    }
  }
  return std::nullopt;
}

std::string unknownConversionMessage(std::string_view conversion) {
  std::string m = "Неизвестный способ конвертирования: \"";
  m += conversion;
  m += "\". Выберите его из списка.";
  return m;
}

}  // namespace kiv
