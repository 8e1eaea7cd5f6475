#include "ui/app/regional_setup.h"

#include <QCollator>
#include <QFont>
#include <QLocale>
#include <memory>

#include "core/charsets/code_page.h"
#include "core/common/regional.h"
#include "ui/common/qt_text.h"

namespace kiv {

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
  auto collator = std::make_shared<QCollator>(locale);
  collator->setCaseSensitivity(Qt::CaseInsensitive);
  f.compareIgnoreCase = [collator](std::string_view a, std::string_view b) {
    const CodePage& win = CodePage::get(CodePageId::Win1251);
    const int c = collator->compare(qs(win.decodeToUtf8(a)), qs(win.decodeToUtf8(b)));
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
  };
  setRegionalFormat(std::move(f));
}

void setupFontSubstitutes() {
  const QStringList mono = {QStringLiteral("Liberation Mono"), QStringLiteral("DejaVu Sans Mono"),
                            QStringLiteral("Noto Mono"), QStringLiteral("Monospace")};
  for (const char* name : {"Courier New", "Courier", "Terminal", "Fixedsys", "Lucida Console"})
    QFont::insertSubstitutions(QString::fromLatin1(name), mono);
}

}  // namespace kiv
