// The menu's sort orders lines by sort keys made once per line; the keys
// must give exactly the order of the locale's case-insensitive comparison,
// equal lines keeping their order.

#include <QLocale>
#include <QTest>

#include <algorithm>
#include <numeric>

#include "core/charsets/code_page.h"
#include "core/common/regional.h"
#include "core/textfuncs/line_sort.h"
#include "support/test_env.h"
#include "ui/app/regional_setup.h"

using namespace kiv;

namespace {

QString utf8(const std::string& s) { return QString::fromStdString(CodePage::get(CodePageId::Win1251).decodeToUtf8(s)); }

std::vector<std::string> tricky() {
  std::vector<std::string> lines;
  for (const char* s : {"ёж", "Ёж", "еж", "ЕЖ", "ежи", "ель", "Ель", "жук", "ЁЖ", "ё", "Ё", "е", "ж", "",
                        "abc", "ABC", "Abc", "abd", "ab", "a b", "a-b", "-ab", "а", "А", "a", "A", "",
                        "10", "2", "1", "01", "a1", "1a", "я", "Я", "z", "Z", "Ґанок", "ґанок", "Гуси",
                        "ї", "І", "і", "№5", "«ёж»", "ёж ", " ёж", "ЯБЛОКО", "яблоко", "Яблоко", "ёж"})
    lines.push_back(w1251(s));
  for (int b = 1; b < 256; b += 3) lines.push_back(std::string(1, static_cast<char>(b)) + "x");
  return lines;
}

}  // namespace

class CollationKeysTest : public QObject {
  Q_OBJECT
 private slots:
  void keyOrderIsTheComparisonOrder_data();
  void keyOrderIsTheComparisonOrder();
  void menuSortUsesTheKeys();
  void manyLinesSortedInPartsStayStable_data();
  void manyLinesSortedInPartsStayStable();
};

void CollationKeysTest::keyOrderIsTheComparisonOrder_data() {
  QTest::addColumn<QString>("locale");
  QTest::newRow("Russian") << QStringLiteral("ru_RU");
  QTest::newRow("English") << QStringLiteral("en_US");
  QTest::newRow("C") << QStringLiteral("C");
}

void CollationKeysTest::keyOrderIsTheComparisonOrder() {
  QFETCH(QString, locale);
  RegionalFormat f;
  setCollation(f, QLocale(locale));
  QVERIFY(f.compareIgnoreCase);
  QVERIFY(f.orderIgnoreCase);
  const auto lines = tricky();
  const std::vector<std::string_view> views(lines.begin(), lines.end());
  const auto order = f.orderIgnoreCase(views);
  QCOMPARE(order.size(), lines.size());
  std::vector<std::size_t> rank(lines.size(), lines.size());
  for (std::size_t r = 0; r < order.size(); ++r) rank[order[r]] = r;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    QVERIFY(rank[i] < lines.size());
    for (std::size_t j = i + 1; j < lines.size(); ++j) {
      const int c = f.compareIgnoreCase(lines[i], lines[j]);
      const bool before = c < 0 || (c == 0 && i < j);
      if (before != (rank[i] < rank[j]))
        QFAIL(qPrintable(QStringLiteral("'%1' / '%2': compare %3, key ranks %4 %5")
                             .arg(utf8(lines[i]),
                                  utf8(lines[j]))
                             .arg(c)
                             .arg(rank[i])
                             .arg(rank[j])));
    }
  }
}

// The Russian order as the user sees it: Ё beside Е, case ignored, equal
// lines in their original order; the same through the pair comparison.
void CollationKeysTest::menuSortUsesTheKeys() {
  RegionalFormat f = russianRegionalFormat();
  setCollation(f, QLocale(QStringLiteral("ru_RU")));
  const RegionalFormat old = regionalFormat();
  setRegionalFormat(f);
  auto w = [](std::initializer_list<const char*> l) {
    std::vector<std::string> r;
    for (const char* s : l) r.push_back(w1251(s));
    return r;
  };
  const auto in = w({"жук", "Ёлка", "еда", "ЯМА", "ёлка", "Еда", "абв", "ель"});
  // Ё is Е with a mark: "ёлка" goes before "ель" (к before ь).
  const auto expected = w({"абв", "еда", "Еда", "Ёлка", "ёлка", "ель", "жук", "ЯМА"});
  QCOMPARE(sortLines(in, regionalOrderIgnoreCase()), expected);
  QCOMPARE(sortLines(in, f.compareIgnoreCase), expected);
  auto reversed = expected;
  std::reverse(reversed.begin(), reversed.end());
  QCOMPARE(reverseSortLines(in, regionalOrderIgnoreCase()), reversed);
  setRegionalFormat(old);
}

void CollationKeysTest::manyLinesSortedInPartsStayStable_data() { keyOrderIsTheComparisonOrder_data(); }

// Enough lines for the keys and the sort to be split between threads; few
// letters, so that many lines are equal but for case.
void CollationKeysTest::manyLinesSortedInPartsStayStable() {
  QFETCH(QString, locale);
  RegionalFormat f;
  setCollation(f, QLocale(locale));
  const std::string letters = w1251("аАбБеЕёЁ");
  std::vector<std::string> lines(30001);
  std::uint32_t seed = 7;
  for (auto& line : lines) {
    seed = seed * 1103515245u + 12345u;
    const std::size_t len = (seed >> 16) % 4;
    for (std::size_t k = 0; k < len; ++k) {
      seed = seed * 1103515245u + 12345u;
      line += letters[(seed >> 16) % letters.size()];
    }
  }
  const std::vector<std::string_view> views(lines.begin(), lines.end());
  std::vector<std::size_t> expected(lines.size());
  std::iota(expected.begin(), expected.end(), std::size_t{0});
  std::stable_sort(expected.begin(), expected.end(),
                   [&](std::size_t a, std::size_t b) { return f.compareIgnoreCase(lines[a], lines[b]) < 0; });
  QVERIFY(f.orderIgnoreCase(views) == expected);
}

QTEST_MAIN(CollationKeysTest)
#include "test_collation_keys.moc"
