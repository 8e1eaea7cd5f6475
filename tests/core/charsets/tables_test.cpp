// The three shipped code tables, on realistic text.

#include <gtest/gtest.h>

#include "core/charsets/code_table.h"
#include "core/common/text_lines.h"
#include "test_util.h"

namespace kiv {
namespace {

std::string tablePath(std::string_view name) { return std::string(KIV_DATA_DIR) + "/Engine/Tables/" + std::string(name); }

std::string run(std::string_view table, std::string_view utf8Text) {
  return test::utf8Of(runCodeTable(test::win(utf8Text), tablePath(table)));
}

TEST(ShippedTables, StoredAsWindows1251RulesWithCrLf) {
  for (std::string_view name : {kTableWordGlux, kTableFido, kTableKlavaEng2Rus}) {
    const std::string bytes = test::readFile(tablePath(name));
    ASSERT_FALSE(bytes.empty()) << name;
    EXPECT_EQ(bytes.find('\0'), std::string::npos) << name;
    EXPECT_EQ(unifyLineBreaks(bytes), bytes) << name << ": every line break is CR LF";
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n") << name;
    const auto lines = splitLines(bytes);
    EXPECT_EQ(parseCodeTable(bytes).size(), lines.size()) << name << ": every line is a rule";
    // Windows-1251, not UTF-8: no UTF-8 lead byte followed by a continuation byte pattern for Cyrillic.
    EXPECT_EQ(bytes.find("\xD0\x90"), std::string::npos) << name;
  }
}

TEST(ShippedTables, KeyboardLayoutRepair) {
  const struct {
    const char* typed;
    const char* meant;
  } cases[] = {
      {",eltn lj,fdkty", "будет добавлен"},
      {"Ghbdtn? vbh!", "Привет, мир!"},
      {"Cgfcb,j/", "Спасибо."},
      {"'nj ntcn", "это тест"},
      {"{jhjij? `krf b `;br/", "Хорошо, ёлка и ёжик."},
      {"J? ~K<JXRF", "О, ЁЛБОЧКА"},
      {"Rnj nfv&", "Кто там?"},
      {"@Ctdth@ - #5", "\"Север\" - №5"},
      {"Dhtvz^ 12$30", "Время: 12;30"},
      {"Cjj,otybt| jndtn", "Сообщение/ ответ"},
      {"\"nb [jkjlyst ]", "Эти холодные ъ"},
      {"Ithcnm> b ptvkz", "ШерстьЮ и земля"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(run(kTableKlavaEng2Rus, c.typed), c.meant) << c.typed;
}

TEST(ShippedTables, FidoLookAlikes) {
  const struct {
    const char* fido;
    const char* plain;
  } cases[] = {
      {"Hа дворе тpава, на тpаве дpова.", "На дворе трава, на траве дрова."},
      {"Пpивет, Hаташа! Kак дела?", "Привет, Наташа! Kак дела?"},
      {"ОH ПPИШЕЛ", "ОН ПPИШЕЛ"},
      {"Hello, HTML, php, pH 7 stay as they are.", "Hello, HTML, php, pH 7 stay as they are."},
      {"Hеpвы", "Нервы"},
      {"pабота и HЁХ", "работа и НЁХ"},
      {" * Origin: Hовосибиpск (2:5000/1)", " * Origin: Новосибирск (2:5000/1)"},
  };
  for (const auto& c : cases) EXPECT_EQ(run(kTableFido, c.fido), c.plain) << c.fido;
}

TEST(ShippedTables, WordProcessorLeftovers) {
  const struct {
    const char* word;
    const char* plain;
  } cases[] = {
      {"«Ёлка» — это…", "\"Ёлка\" - это..."},
      {"“Quoted” and ‘single’, „низ“", "\"Quoted\" and 'single', \"низ\""},
      {"1990–2000 гг.", "1990-2000 гг."},
      {"10\u00A0000\u00A0руб.", "10 000 руб."},
      {"пере\u00ADнос сло\u00ADва", "перенос слова"},
      {"• пункт", "* пункт"},
      {"№ 5 © ™ stays", "№ 5 © ™ stays"},
  };
  for (const auto& c : cases) EXPECT_EQ(run(kTableWordGlux, c.word), c.plain) << c.word;
}

}  // namespace
}  // namespace kiv
