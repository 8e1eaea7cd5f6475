#pragma once
// Program-wide set-up from the system: the regional formats the core uses
// and the substitutes for the Windows font names kept in "kiv.ini".

class QLocale;

namespace kiv {

struct RegionalFormat;

// Fills the format's case-insensitive comparison of Windows-1251 strings
// and the matching sort from the locale's collation.
void setCollation(RegionalFormat& f, const QLocale& locale);

void setupRegionalFormat();
void setupFontSubstitutes();

}  // namespace kiv
