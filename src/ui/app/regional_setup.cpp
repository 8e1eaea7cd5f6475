#include "ui/app/regional_setup.h"

#include <QCollator>
#include <QFont>
#include <QLocale>
#include <algorithm>
#include <array>
#include <optional>
#include <thread>
#include <memory>
#include <numeric>
#include <vector>

#include "core/charsets/code_page.h"
#include "core/common/regional.h"
#include "ui/common/qt_text.h"

namespace kiv {

namespace {

// Windows-1251 as UTF-16: every byte is one unit of the Basic Plane.
struct Win1251Units {
  std::array<char16_t, 256> unit{};
  bool single = true;
  Win1251Units() {
    const CodePage& win = CodePage::get(CodePageId::Win1251);
    for (int b = 0; b < 256; ++b) {
      const QString s = qs(win.decodeToUtf8(std::string(1, static_cast<char>(b))));
      single = single && s.size() == 1;
      unit[static_cast<std::size_t>(b)] = s.isEmpty() ? u'?' : s.at(0).unicode();
    }
  }
};

QString decode1251(std::string_view s) {
  static const Win1251Units table;
  if (!table.single) return qs(CodePage::get(CodePageId::Win1251).decodeToUtf8(s));
  QString out(static_cast<qsizetype>(s.size()), Qt::Uninitialized);
  QChar* d = out.data();
  for (std::size_t i = 0; i < s.size(); ++i) d[i] = QChar(table.unit[static_cast<unsigned char>(s[i])]);
  return out;
}

// Below this many strings one thread does the work.
constexpr std::size_t kParallelFrom = 20000;

bool twoThreads(std::size_t n) { return n >= kParallelFrom && std::thread::hardware_concurrency() >= 2; }

// Runs part(0, half) on a second thread and part(half, n) on this one.
template <class F>
void inTwoHalves(std::size_t n, F part) {
  const std::size_t half = n / 2;
  std::thread other([&] { part(std::size_t{0}, half); });
  part(half, n);
  other.join();
}

// Indices of `keys` ascending, equal keys by index: two halves sorted side
// by side, then merged (the left half first among equals).
template <class Key, class Less>
std::vector<std::size_t> stableOrderOfKeys(const std::vector<Key>& keys, Less less) {
  std::vector<std::size_t> order(keys.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  auto byKey = [&](std::size_t a, std::size_t b) { return less(keys[a], keys[b]); };
  if (!twoThreads(keys.size())) {
    std::stable_sort(order.begin(), order.end(), byKey);
    return order;
  }
  inTwoHalves(order.size(), [&](std::size_t from, std::size_t to) {
    std::stable_sort(order.begin() + static_cast<std::ptrdiff_t>(from), order.begin() + static_cast<std::ptrdiff_t>(to), byKey);
  });
  std::inplace_merge(order.begin(), order.begin() + static_cast<std::ptrdiff_t>(order.size() / 2), order.end(), byKey);
  return order;
}

// keyOf(collator, string) for every item; a second thread works with its
// own collator of the same settings (a collator is not shared across threads).
template <class Key, class KeyOf>
std::vector<Key> keysOf(const std::vector<std::string_view>& items, const QCollator& collator, KeyOf keyOf) {
  std::vector<std::optional<Key>> made(items.size());
  auto part = [&](const QCollator& c, std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to; ++i) made[i].emplace(keyOf(c, decode1251(items[i])));
  };
  if (twoThreads(items.size())) {
    const QLocale locale = collator.locale();
    inTwoHalves(items.size(), [&](std::size_t from, std::size_t to) {
      if (from == 0) {
        QCollator own(locale);
        own.setCaseSensitivity(collator.caseSensitivity());
        part(own, from, to);
      } else {
        part(collator, from, to);
      }
    });
  } else {
    part(collator, 0, items.size());
  }
  std::vector<Key> keys;
  keys.reserve(items.size());
  for (auto& k : made) keys.push_back(std::move(*k));
  return keys;
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
    f.orderIgnoreCase = [collator](const std::vector<std::string_view>& items) {
      const auto keys = keysOf<std::u16string>(items, *collator, [](const QCollator&, const QString& s) {
        const QString folded = s.toCaseFolded();
        return std::u16string(reinterpret_cast<const char16_t*>(folded.utf16()), static_cast<std::size_t>(folded.size()));
      });
      return stableOrderOfKeys(keys, std::less<>());
    };
    return;
  }
  f.orderIgnoreCase = [collator](const std::vector<std::string_view>& items) {
    const auto keys = keysOf<QCollatorSortKey>(items, *collator,
                                               [](const QCollator& c, const QString& s) { return c.sortKey(s); });
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
