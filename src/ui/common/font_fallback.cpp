#include "ui/common/font_fallback.h"

#include <QFontDatabase>
#include <QHash>

namespace kiv {

namespace {

QString fixedCyrillicFamily() {
  static const QString chosen = [] {
    const QStringList cyrillic = QFontDatabase::families(QFontDatabase::Cyrillic);
    for (const char* preferred : {"DejaVu Sans Mono", "Liberation Mono", "Noto Mono", "Ubuntu Mono", "FreeMono"})
      if (cyrillic.contains(QLatin1String(preferred))) return QString::fromLatin1(preferred);
    for (const QString& f : cyrillic)
      if (QFontDatabase::isFixedPitch(f)) return f;
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
  }();
  return chosen;
}

}  // namespace

QString availableFontFamily(const QString& family) {
  static QHash<QString, QString> cache;
  if (auto it = cache.constFind(family); it != cache.constEnd()) return *it;
  const QString result = !family.isEmpty() && QFontDatabase::hasFamily(family) ? family : fixedCyrillicFamily();
  cache.insert(family, result);
  return result;
}

}  // namespace kiv
