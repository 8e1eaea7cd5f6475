#include "ui/app/regional_setup.h"

#include <QCollator>
#include <QFont>
#include <QLocale>
#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

#include "core/charsets/code_page.h"
#include "core/common/regional.h"
#include "ui/common/qt_text.h"

namespace kiv {

namespace {

QString decode1251(std::string_view s) { return qs(CodePage::get(CodePageId::Win1251).decodeToUtf8(s)); }

// Indices of `keys` ascending, equal keys by index.
template <class Key, class Less>
std::vector<std::size_t> stableOrderOfKeys(const std::vector<Key>& keys, Less less) {
  std::vector<std::size_t> order(keys.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return less(keys[a], keys[b]); });
  return order;
}

}  // namespace

void setCollation(RegionalFormat& f, const QLocale& locale) {
  auto collator = std::make_shared<QCollator>(locale);
  collator->setCaseSensitivity(Qt::CaseInsensitive);
  f.compareIgnoreCase = [collator](std::string_view a, std::string_view b) {
    const int c = collator->compare(decode1251(a), decode1251(b));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
  };
  if (locale.language() == QLocale::C) {
    // Without a language the collator compares UTF-16 units folded to one
    // case (Windows-1251 decodes to single units): the folded text is the key.
    f.orderIgnoreCase = [](const std::vector<std::string_view>& items) {
      std::vector<std::u16string> keys;
      keys.reserve(items.size());
      for (std::string_view s : items) {
        const QString folded = decode1251(s).toCaseFolded();
        keys.emplace_back(reinterpret_cast<const char16_t*>(folded.utf16()), static_cast<std::size_t>(folded.size()));
      }
      return stableOrderOfKeys(keys, std::less<>());
    };
    return;
  }
  f.orderIgnoreCase = [collator](const std::vector<std::string_view>& items) {
    std::vector<QCollatorSortKey> keys;
    keys.reserve(items.size());
    for (std::string_view s : items) keys.push_back(collator->sortKey(decode1251(s)));
    return stableOrderOfKeys(keys, [](const QCollatorSortKey& a, const QCollatorSortKey& b) { return a.compare(b) < 0; });
  };
}

void setupRegionalFormat() {
  const QLocale locale = QLocale::system();
  RegionalFormat f = russianRegionalFormat();
  const QString dec = locale.decimalPoint();
  if (dec.size() == 1 && dec.at(0).unicode() < 0x80) f.decimalSeparator = static_cast<char>(dec.at(0).unicode());
  const QString group = locale.groupSeparator();
  if (group.size() == 1 && group.at(0).unicode() < 0x80) f.thousandSeparator = static_cast<char>(group.at(0).unicode());
  f.shortDatePattern = u8(locale.dateFormat(QLocale::ShortFormat));
  f.longTimePattern = u8(locale.timeFormat(QLocale::LongFormat));
  // Two-digit years in a short date pattern are widened to four.
  if (f.shortDatePattern.find("yyyy") == std::string::npos) {
    const auto yy = f.shortDatePattern.find("yy");
    if (yy != std::string::npos) f.shortDatePattern.replace(yy, 2, "yyyy");
  }
  // The long time pattern may name the time zone; the program shows none.
  for (const char* zone : {" t", "t"}) {
    const auto at = f.longTimePattern.find(zone);
    if (at != std::string::npos) f.longTimePattern.erase(at, std::string(zone).size());
  }
  setCollation(f, locale);
  setRegionalFormat(std::move(f));
}

void setupFontSubstitutes() {
  const QStringList mono = {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"),
                            QStringLiteral("Noto Mono"), QStringLiteral("Monospace")};
  for (const char* name : {"Courier New", "Courier", "Terminal", "Fixedsys", "Lucida Console"})
    QFont::insertSubstitutions(QString::fromLatin1(name), mono);
}

}  // namespace kiv
