#include "core/translit/transliterator.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/charsets/cp1251_literal.h"

namespace kiv {
namespace {

struct ToLatinCase {
  const char* russian;  // UTF-8, converted to Windows-1251
  ShchaMode shcha;
  KhaMode xa;
  const char* latin;
};

constexpr auto kSj = ShchaMode::Sj;
constexpr auto kShch = ShchaMode::Shch;
constexpr auto kW = ShchaMode::W;
constexpr auto kQ = ShchaMode::Q;
constexpr auto kSch = ShchaMode::Sch;
constexpr auto kX = KhaMode::X;
constexpr auto kKH = KhaMode::Kh;

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
    EXPECT_EQ(russianToLatin(cp1251(c.russian), c.shcha, c.xa), c.latin) << c.russian;
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
  EXPECT_EQ(russianToLatin(others, kSj, kX), others);
}

struct ToRussianCase {
  const char* latin;
  WMode w;
  const char* russian;  // UTF-8
};

constexpr auto kAsV = WMode::AsV;
constexpr auto kAsSj = WMode::AsShcha;

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
    EXPECT_EQ(latinToRussian(c.latin, c.w, on), cp1251(c.russian)) << c.latin;
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
  Transliterator r;
  r.setDirection(Transliterator::Direction::LatinToRussian);
  for (const auto& s : steps) {
    EXPECT_EQ(r.convert(s.latin), cp1251(s.russian)) << s.latin;
    EXPECT_EQ(r.isOn(), s.onAfter) << s.latin;
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
  EXPECT_EQ(latinToRussian(all, kAsV, on), all);
}

TEST(Transliterator, ConfigurationValues) {
  struct Case {
    const char* shcha;
    const char* xa;
    const char* w;
    ShchaMode wantShcha;
    KhaMode wantXa;
    WMode wantW;
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
  Transliterator r;
  EXPECT_EQ(r.shchaMode(), kSj);
  EXPECT_EQ(r.khaMode(), kX);
  EXPECT_EQ(r.wMode(), kAsV);
  EXPECT_EQ(r.direction(), Transliterator::Direction::RussianToLatin);
  EXPECT_TRUE(r.isOn());
  for (const auto& row : rows) {
    r.applyConfiguration(row.shcha, row.xa, row.w);
    EXPECT_EQ(r.shchaMode(), row.wantShcha) << row.shcha;
    EXPECT_EQ(r.khaMode(), row.wantXa) << row.xa;
    EXPECT_EQ(r.wMode(), row.wantW) << row.w;
  }
}

TEST(Transliterator, ModeNamesRoundTrip) {
  for (int m = 0; m < 5; ++m) {
    Transliterator r;
    ASSERT_TRUE(r.applyShchaMode(shchaModeName(static_cast<ShchaMode>(m))));
    EXPECT_EQ(static_cast<int>(r.shchaMode()), m);
  }
  for (int m = 0; m < 2; ++m) {
    Transliterator r;
    ASSERT_TRUE(r.applyKhaMode(khaModeName(static_cast<KhaMode>(m))));
    EXPECT_EQ(static_cast<int>(r.khaMode()), m);
    ASSERT_TRUE(r.applyWMode(wModeName(static_cast<WMode>(m))));
    EXPECT_EQ(static_cast<int>(r.wMode()), m);
  }
}

TEST(Transliterator, ConvertsAfreshInEitherDirection) {
  Transliterator r;
  const std::string latin = "Sjuka";
  // Транслит on Latin text leaves it; де-транслит of the same text then reads it.
  r.setDirection(Transliterator::Direction::RussianToLatin);
  EXPECT_EQ(r.convert(latin), latin);
  r.setDirection(Transliterator::Direction::LatinToRussian);
  EXPECT_EQ(r.convert(latin), cp1251("Щука"));
  EXPECT_EQ(r.convert(latin), cp1251("Щука"));
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
    ShchaMode shcha;
    KhaMode xa;
    WMode w;
  };
  const std::vector<Mode> modes = {
      {kSj, kX, kAsV}, {kSj, kKH, kAsV}, {kShch, kX, kAsV}, {kShch, kKH, kAsSj},
      {kQ, kX, kAsV},  {kQ, kKH, kAsSj}, {kW, kX, kAsSj},   {kW, kKH, kAsSj},
      {kSj, kX, kAsSj}};
  for (const auto& m : modes) {
    Transliterator r;
    r.setShchaMode(m.shcha);
    r.setKhaMode(m.xa);
    r.setWMode(m.w);
    for (const char* w : words) {
      const std::string russian = cp1251(w);
      r.setDirection(Transliterator::Direction::RussianToLatin);
      const std::string latin = r.convert(russian);
      r.setDirection(Transliterator::Direction::LatinToRussian);
      EXPECT_EQ(r.convert(latin), russian)
          << w << " via " << latin << " mode " << static_cast<int>(m.shcha) << "/"
          << static_cast<int>(m.xa) << "/" << static_cast<int>(m.w);
    }
  }
}

TEST(TranslitRoundTrip, SchAndWAsVAreOneWay) {
  Transliterator r;
  r.setShchaMode(kSch);
  EXPECT_EQ(r.convert(cp1251("щи")), "schi");
  r.setDirection(Transliterator::Direction::LatinToRussian);
  EXPECT_EQ(r.convert("schi"), cp1251("счи"));
  EXPECT_EQ(r.convert("wi"), cp1251("ви"));
}

TEST(Translit, LargeTextIsLinear) {
  // 8 MB each way; a quadratic slip would not finish.
  std::string big;
  const std::string line = cp1251("Щука ЖУК объект Эхо\r\n");
  while (big.size() < 8u * 1024 * 1024) big += line;
  const std::string latin = russianToLatin(big, kShch, kKH);
  bool on = true;
  EXPECT_EQ(latinToRussian(latin, kAsV, on), big);
}

}  // namespace
}  // namespace kiv
