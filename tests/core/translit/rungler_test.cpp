#include "core/translit/rungler.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/charsets/cp1251_literal.h"

namespace kiv {
namespace {

struct ToLatinCase {
  const char* russian;  // UTF-8, converted to Windows-1251
  TShchaConvMode shcha;
  TXaConvMode xa;
  const char* latin;
};

constexpr auto kSj = TShchaConvMode::scUseSj;
constexpr auto kShch = TShchaConvMode::scUseShch;
constexpr auto kW = TShchaConvMode::scUseW;
constexpr auto kQ = TShchaConvMode::scUseQ;
constexpr auto kSch = TShchaConvMode::scUseSch;
constexpr auto kX = TXaConvMode::xcUseX;
constexpr auto kKH = TXaConvMode::xcUseKH;

TEST(RussianToLatin, Table) {
  const std::vector<ToLatinCase> cases = {
      {"Щука", kSj, kX, "Sjuka"},
      {"Щука", kShch, kX, "Shchuka"},
      {"Щука", kW, kX, "Wuka"},
      {"Щука", kQ, kX, "Quka"},
      {"Щука", kSch, kX, "Schuka"},
      {"Хлеб", kSj, kX, "Xleb"},
      {"Хлеб", kSj, kKH, "Khleb"},
      {"объект", kSj, kX, "ob~ekt"},
      {"Эхо", kSj, kX, "E'xo"},
      {"ЖУК ЖИЛ", kSj, kX, "ZhUK ZhIL"},
      {"Жук", kSj, kX, "Zhuk"},
      {"ЩИ", kSj, kX, "SjI"},
      {"ЩИ", kShch, kX, "ShchI"},
      {"ЩУКА", kShch, kX, "ShchUKA"},
      {"ХОР", kSj, kKH, "KhOR"},
      {"Ёж", kSj, kX, "Yozh"},
      {"ёж", kSj, kX, "yozh"},
      {"ЁЖ", kSj, kX, "YoZH"},
      {"ЁЁЁ", kSj, kX, "YoYOYO"},
      // A capital last in the text counts the end as a capital.
      {"аЯ", kSj, kX, "aYa"},
      {"ЯЯ", kSj, kX, "YaYA"},
      // Digits and punctuation count as capitals after a capital.
      {"ЮЮ1", kSj, kX, "YuYU1"},
      {"ЮЮa", kSj, kX, "YuYua"},
      {"съел, подъезд; мягкий знак: ь", kSj, kX, "s~el, pod~ezd; myagkij znak: '"},
      {"Ъ Ь", kSj, kX, "~ '"},
      {"абвгдеёжзийклмнопрстуфхцчшщъыьэюя", kSj, kX,
       "abvgdeyozhzijklmnoprstufxcchshsj~y'e'yuya"},
      {"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ", kShch, kKH,
       "ABVGDEYOZHZIJKLMNOPRSTUFKHCCHSHSHCH~Y'E'YUYA"},
      {"", kSj, kX, ""},
      {"Latin stays 123 !?", kSj, kX, "Latin stays 123 !?"},
      {"строка\r\nвторая\r\n", kSj, kX, "stroka\r\nvtoraya\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RussianToLatin(cp1251(c.russian), c.shcha, c.xa), c.latin) << c.russian;
  }
}

TEST(RussianToLatin, NonLetterBytesPassUnchanged) {
  // Every byte that is not a Russian letter comes out as it went in.
  const std::string russianLetters = cp1251("абвгдеёжзийклмнопрстуфхцчшщъыьэюяАБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
  std::string others;
  for (int b = 0; b < 256; ++b) {
    if (russianLetters.find(static_cast<char>(b)) == std::string::npos) others += static_cast<char>(b);
  }
  EXPECT_EQ(others.size(), 256u - 66u);
  EXPECT_EQ(RussianToLatin(others, kSj, kX), others);
}

struct ToRussianCase {
  const char* latin;
  TWInterpMode w;
  const char* russian;  // UTF-8
};

constexpr auto kAsV = TWInterpMode::wiAsV;
constexpr auto kAsSj = TWInterpMode::wiAsSj;

TEST(LatinToRussian, Table) {
  const std::vector<ToRussianCase> cases = {
      {"Zhuk", kAsV, "Жук"},
      {"ZHUK", kAsV, "ЖУК"},
      {"zHuk", kAsV, "жук"},
      {"shchuka", kAsV, "щука"},
      {"sjuka", kAsV, "щука"},
      {"quka", kAsV, "щука"},
      {"Wuka", kAsV, "Вука"},
      {"Wuka", kAsSj, "Щука"},
      {"Shch", kAsV, "Щ"},
      {"SHCH", kAsV, "Щ"},
      {"Sh Sh sh sH", kAsV, "Ш Ш ш ш"},
      {"shc", kAsV, "шц"},
      {"ob'ekt", kAsV, "обьект"},
      {"ob`ekt", kAsV, "обьект"},
      {"ob~ekt", kAsV, "объект"},
      {"E'xo", kAsV, "Эхо"},
      {"E`xo", kAsV, "Эхо"},
      {"@xo", kAsV, "эхо"},
      {"j'od", kAsV, "йод"},
      {"j`od", kAsV, "йод"},
      {"yama", kAsV, "яма"},
      {"yozh YOZH Yu", kAsV, "ёж ЁЖ Ю"},
      {"chajkhana", kAsV, "чайхана"},
      {"abcdefghijklmnopqrstuvwxyz", kAsV, "абцдефгхийклмнопщрстуввхыз"},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZ", kAsSj, "АБЦДЕФГХИЙКЛМНОПЩРСТУВЩХЫЗ"},
      // Marks take the case of the letters around them unless ^ or _ follows.
      {"OB'EKT", kAsV, "ОБЬЕКТ"},
      {"OB~EKT", kAsV, "ОБЪЕКТ"},
      {"OB~ekt", kAsV, "ОБъект"},
      {"OB'", kAsV, "ОБЬ"},
      {"ob'^ekt", kAsV, "обЬект"},
      {"OB~_EKT", kAsV, "ОБъЕКТ"},
      {"@^to", kAsV, "Это"},
      {"~^", kAsV, "Ъ"},
      // Escapes.
      {"a\\'b", kAsV, "а'б"},
      {"a\\qb", kAsV, "ащб"},
      {"\\@\\~\\`\\\\", kAsV, "@~`\\"},
      {"a\\", kAsV, "а"},
      {"\\", kAsV, ""},
      // Switching off and on again.
      {"abc \\ def \\ xyz", kAsV, "абц def хыз"},
      // Bytes outside the tables pass unchanged.
      {"2 + 2 = 4; ^_!", kAsV, "2 + 2 = 4; ^_!"},
      {"", kAsV, ""},
      {"line\r\nline\r\n", kAsV, "лине\r\nлине\r\n"},
  };
  for (const auto& c : cases) {
    bool on = true;
    EXPECT_EQ(LatinToRussian(c.latin, c.w, on), cp1251(c.russian)) << c.latin;
    EXPECT_TRUE(on) << c.latin;
  }
}

TEST(LatinToRussian, SwitchSurvivesBetweenConversions) {
  struct Step {
    const char* latin;
    const char* russian;
    bool onAfter;
  };
  const std::vector<Step> steps = {
      {"ab \\ cd", "аб cd", false},       // odd number of switches: stays off
      {"ab\\'c", "ab\\'c", false},        // off: escapes are not read either
      {"x\\ y", "xы", true},              // switched on again mid-text
      {"\\ \\ ok", "ок", true},           // two switches cancel
      {"\\ ", "", false},
      {"Sh", "Sh", false},
      {"\\ Sh", "Ш", true},
  };
  TRungler r;
  r.SetDirection(TConversionDirection::cdLatinToRussian);
  for (const auto& s : steps) {
    EXPECT_EQ(r.Convert(s.latin), cp1251(s.russian)) << s.latin;
    EXPECT_EQ(r.TransOn(), s.onAfter) << s.latin;
  }
}

TEST(LatinToRussian, CyrillicAndHighBytesPassUnchanged) {
  std::string all;
  for (int b = 0; b < 256; ++b) {
    const unsigned char c = static_cast<unsigned char>(b);
    const bool handled = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '\'' ||
                         c == '`' || c == '~' || c == '@' || c == '\\';
    if (!handled) all += static_cast<char>(c);
  }
  bool on = true;
  EXPECT_EQ(LatinToRussian(all, kAsV, on), all);
}

TEST(TRungler, ConfigurationValues) {
  struct Case {
    const char* shcha;
    const char* xa;
    const char* w;
    TShchaConvMode wantShcha;
    TXaConvMode wantXa;
    TWInterpMode wantW;
  };
  // Each row applies to the state the previous row left: values that are not
  // exact matches leave the mode as it was.
  const std::vector<Case> rows = {
      {"Shch", "KH", "Sj", kShch, kKH, kAsSj},
      {"shch", "kh", "sj", kShch, kKH, kAsSj},
      {"", "", "", kShch, kKH, kAsSj},
      {"W", "X", "V", kW, kX, kAsV},
      {"Q", " KH", "V ", kQ, kX, kAsV},
      {"Sch", "KH", "Sj", kSch, kKH, kAsSj},
      {"Sj", "X", "V", kSj, kX, kAsV},
  };
  TRungler r;
  EXPECT_EQ(r.ShchaConvMode(), kSj);
  EXPECT_EQ(r.XaConvMode(), kX);
  EXPECT_EQ(r.WInterpMode(), kAsV);
  EXPECT_EQ(r.Direction(), TConversionDirection::cdRussianToLatin);
  EXPECT_TRUE(r.TransOn());
  for (const auto& row : rows) {
    r.ApplyConfiguration(row.shcha, row.xa, row.w);
    EXPECT_EQ(r.ShchaConvMode(), row.wantShcha) << row.shcha;
    EXPECT_EQ(r.XaConvMode(), row.wantXa) << row.xa;
    EXPECT_EQ(r.WInterpMode(), row.wantW) << row.w;
  }
}

TEST(TRungler, ModeNamesRoundTrip) {
  for (int m = 0; m < 5; ++m) {
    TRungler r;
    ASSERT_TRUE(r.ApplyShchaConvMode(ShchaConvModeName(static_cast<TShchaConvMode>(m))));
    EXPECT_EQ(static_cast<int>(r.ShchaConvMode()), m);
  }
  for (int m = 0; m < 2; ++m) {
    TRungler r;
    ASSERT_TRUE(r.ApplyXaConvMode(XaConvModeName(static_cast<TXaConvMode>(m))));
    EXPECT_EQ(static_cast<int>(r.XaConvMode()), m);
    ASSERT_TRUE(r.ApplyWInterpMode(WInterpModeName(static_cast<TWInterpMode>(m))));
    EXPECT_EQ(static_cast<int>(r.WInterpMode()), m);
  }
}

TEST(TRungler, ConvertsAfreshInEitherDirection) {
  TRungler r;
  const std::string latin = "Sjuka";
  // Транслит on Latin text leaves it; де-транслит of the same text then reads it.
  r.SetDirection(TConversionDirection::cdRussianToLatin);
  EXPECT_EQ(r.Convert(latin), latin);
  r.SetDirection(TConversionDirection::cdLatinToRussian);
  EXPECT_EQ(r.Convert(latin), cp1251("Щука"));
  EXPECT_EQ(r.Convert(latin), cp1251("Щука"));
}

// Russian -> Latin -> Russian gives the text back in every mode whose forms
// read back unambiguously ("sch" reads as сч, and "w" as в unless W is read
// as щ).
TEST(TranslitRoundTrip, ThereAndBack) {
  const std::vector<const char*> words = {
      "Щука", "Хлеб", "объект", "Эхо", "ЖУК ЖИЛ", "Жук", "Ёж", "ЩИ", "йод", "яма",
      "ОБЪЕКТ", "Съешь же ещё этих мягких французских булок, да выпей чаю.",
      "ЧАЙХАНА чайхана Чайхана", "Подъезд, ЩЁКИ, юла; 12:30!"};
  struct Mode {
    TShchaConvMode shcha;
    TXaConvMode xa;
    TWInterpMode w;
  };
  const std::vector<Mode> modes = {
      {kSj, kX, kAsV}, {kSj, kKH, kAsV}, {kShch, kX, kAsV}, {kShch, kKH, kAsSj},
      {kQ, kX, kAsV},  {kQ, kKH, kAsSj}, {kW, kX, kAsSj},   {kW, kKH, kAsSj},
      {kSj, kX, kAsSj}};
  for (const auto& m : modes) {
    TRungler r;
    r.SetShchaConvMode(m.shcha);
    r.SetXaConvMode(m.xa);
    r.SetWInterpMode(m.w);
    for (const char* w : words) {
      const std::string russian = cp1251(w);
      r.SetDirection(TConversionDirection::cdRussianToLatin);
      const std::string latin = r.Convert(russian);
      r.SetDirection(TConversionDirection::cdLatinToRussian);
      EXPECT_EQ(r.Convert(latin), russian)
          << w << " via " << latin << " mode " << static_cast<int>(m.shcha) << "/"
          << static_cast<int>(m.xa) << "/" << static_cast<int>(m.w);
    }
  }
}

TEST(TranslitRoundTrip, SchAndWAsVAreOneWay) {
  TRungler r;
  r.SetShchaConvMode(kSch);
  EXPECT_EQ(r.Convert(cp1251("щи")), "schi");
  r.SetDirection(TConversionDirection::cdLatinToRussian);
  EXPECT_EQ(r.Convert("schi"), cp1251("счи"));
  EXPECT_EQ(r.Convert("wi"), cp1251("ви"));
}

TEST(Translit, LargeTextIsLinear) {
  // 8 MB each way; a quadratic slip would not finish.
  std::string big;
  const std::string line = cp1251("Щука ЖУК объект Эхо\r\n");
  while (big.size() < 8u * 1024 * 1024) big += line;
  const std::string latin = RussianToLatin(big, kShch, kKH);
  bool on = true;
  EXPECT_EQ(LatinToRussian(latin, kAsV, on), big);
}

}  // namespace
}  // namespace kiv
