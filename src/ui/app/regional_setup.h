#pragma once
// Program-wide set-up from the system: the regional formats the core uses
// and the substitutes for the Windows font names kept in "kiv.ini".

namespace kiv {

void setupRegionalFormat();
void setupFontSubstitutes();

}  // namespace kiv
