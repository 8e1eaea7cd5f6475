#include "core/numbers/number_words.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/charsets/cp1251_literal.h"

namespace kiv {
namespace {

std::string ru(std::string_view digits) { return utf8FromCp1251(numberToWordsRussian(digits)); }

TEST(RussianWords, Agreement) {
  const struct {
    const char* digits;
    const char* words;
  } cases[] = {
      {"0", "Ноль"},
      {"000", "Ноль"},
      {"", "Ноль"},
      {"1", "Один"},
      {"2", "Два"},
      {"5", "Пять"},
      {"10", "Десять"},
      {"11", "Одиннадцать"},
      {"12", "Двенадцать"},
      {"19", "Девятнадцать"},
      {"20", "Двадцать"},
      {"21", "Двадцать один"},
      {"100", "Сто"},
      {"101", "Сто один"},
      {"999", "Девятьсот девяносто девять"},
      {"1000", "Одна тысяча"},
      {"2000", "Две тысячи"},
      {"2001", "Две тысячи один"},
      {"4000", "Четыре тысячи"},
      {"5000", "Пять тысяч"},
      {"11000", "Одиннадцать тысяч"},
      {"12000", "Двенадцать тысяч"},
      {"21000", "Двадцать одна тысяча"},
      {"22000", "Двадцать две тысячи"},
      {"41000", "Сорок одна тысяча"},
      {"100000", "Сто тысяч"},
      {"1000000", "Один миллион"},
      {"1000001", "Один миллион один"},
      {"2000000", "Два миллиона"},
      {"5000000", "Пять миллионов"},
      {"21000000", "Двадцать один миллион"},
      {"2000000000", "Два миллиарда"},
      {"2147483647", "Два миллиарда сто сорок семь миллионов четыреста восемьдесят три тысячи шестьсот сорок семь"},
      {"1000000000000", "Один триллион"},
      {"18000000000000000000", "Восемнадцать квинтиллионов"},
      {"3000000000000000000000000", "Три септиллиона"},
      {"0012", "Двенадцать"},
      {"1a5", "Сто пять"},  // a non-digit counts as 0
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.digits);
    EXPECT_EQ(ru(c.digits), c.words);
  }
}

TEST(RussianWords, DigitsBeyondTheScaleWordsGetNoScaleWord) {
  // 28 digits: the leading "1" stands at 10^27, past the septillions.
  EXPECT_EQ(ru("1000000000000000000000000000"), "Один");
  EXPECT_EQ(ru("5000000000000000000000000000001"), "Пять один");
  EXPECT_EQ(ru("2000000000000000000000000001000"), "Два одна тысяча");
}

TEST(RussianWords, LongInputIsHandledInOnePass) {
  std::string digits(300000, '7');
  std::string w = numberToWordsRussian(digits);
  EXPECT_GT(w.size(), digits.size());
  EXPECT_EQ(w.substr(0, 4), cp1251("Семь"));
}

TEST(EnglishDollars, Amounts) {
  const struct {
    long double x;
    const char* words;
  } cases[] = {
      {123.45L, "ONE HUNDRED TWENTY THREE AND 45/100 Dollars"},
      {1234567.89L,
       "ONE MILLION TWO HUNDRED THIRTY FOUR THOUSAND FIVE HUNDRED SIXTY SEVEN AND 89/100 Dollars"},
      {0.5L, "50/100 Dollars"},
      {0.05L, "05/100 Dollars"},
      {1, "ONE AND NO/100 Dollars"},
      {1.999L, "TWO AND NO/100 Dollars"},
      {99.995L, "ONE HUNDRED AND NO/100 Dollars"},
      {20, "TWENTY AND NO/100 Dollars"},
      {21, "TWENTY ONE AND NO/100 Dollars"},
      {30, "THIRTY AND NO/100 Dollars"},
      {1000, "ONE THOUSAND AND NO/100 Dollars"},
      {100000, "ONE HUNDRED THOUSAND AND NO/100 Dollars"},
      {115000, "ONE HUNDRED FIFTEEN THOUSAND AND NO/100 Dollars"},
      {1000000, "ONE MILLION AND NO/100 Dollars"},
      {20000000, "TWENTY MILLION AND NO/100 Dollars"},
      {19999999.999L, "TWENTY MILLION AND NO/100 Dollars"},
      {0.004L, "NO/100 Dollars"},
      {20000000.01L, ""},
      {0, ""},
      {-5, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words);
    EXPECT_EQ(dollarsToWords(c.x), c.words);
  }
}

TEST(EnglishDollars, CommandReadsTheRegionalSeparator) {
  RegionalFormat ru = russianRegionalFormat();
  EXPECT_EQ(dollarsToWordsCommand("123,45", ru).text, "ONE HUNDRED TWENTY THREE AND 45/100 Dollars");
  auto bad = dollarsToWordsCommand("123.45", ru);
  EXPECT_TRUE(bad.isShow());
  EXPECT_EQ(bad.message, "'123.45' is not a valid floating point value");
  auto cyr = dollarsToWordsCommand(cp1251("сто"), ru);
  EXPECT_EQ(cyr.message, "'сто' is not a valid floating point value");
  auto neg = dollarsToWordsCommand("-3", ru);
  EXPECT_TRUE(neg.isPut());
  EXPECT_EQ(neg.text, "");
}

TEST(GermanWords, Numbers) {
  const CodePage& latin = CodePage::get(CodePageId::Win1251);
  const struct {
    std::int64_t n;
    const char* words;
  } cases[] = {
      {0, "null"},
      {1, "eins"},
      {2, "zwei"},
      {5, "fuenf"},
      {12, "zwoelf"},
      {17, "siebzehn"},
      {18, "achtzehn"},
      {19, "neunzehn"},
      {20, "zwanzig"},
      {21, "einundzwanzig"},
      {30, "dreissig"},
      {55, "fuenfundfuenfzig"},
      {100, "einhundert"},
      {101, "einhundertein"},
      {999, "neunhundertneunundneunzig"},
      {1000, "eintausend"},
      {1001, "eintausendein"},
      {1000000, "einemillion"},
      {2000000, "zweimillionen"},
      {1000001, "einemillionein"},
      {-5, "minus fuenf"},
      {-1, "minus eins"},
      {2147483647,
       "zweitausendeinhundertsiebenundvierzigmillionenvierhundertdreiundachtzigtausendsechshundertsiebenundvierzig"},
      {-2147483648LL,
       "minus zweitausendeinhundertsiebenundvierzigmillionenvierhundertdreiundachtzigtausendsechshundertachtundvierzig"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.n);
    EXPECT_EQ(numberToWordsGerman(c.n, latin), c.words);
  }
}

TEST(GermanWords, UmlautsFollowTheTargetCodePage) {
  // No Cyrillic code page has ü or ö: always the two-letter forms.
  for (CodePageId id : {CodePageId::Win1251, CodePageId::Cp866, CodePageId::Koi8r,
                        CodePageId::MacCyrillic, CodePageId::Iso88595}) {
    EXPECT_EQ(numberToWordsGerman(512, CodePage::get(id)), "fuenfhundertzwoelf");
  }
}

TEST(GermanWords, Command) {
  const CodePage& win = CodePage::get(CodePageId::Win1251);
  EXPECT_EQ(numberToWordsGermanCommand("-2147483648", win).text.substr(0, 10), "minus zwei");
  EXPECT_EQ(numberToWordsGermanCommand("$10", win).text, "sechzehn");
  auto bad = numberToWordsGermanCommand("zwei", win);
  EXPECT_TRUE(bad.isShow());
  EXPECT_EQ(bad.message, "'zwei' is not a valid integer value");
  EXPECT_TRUE(numberToWordsGermanCommand("", win).isNothing());
}

}  // namespace
}  // namespace kiv
