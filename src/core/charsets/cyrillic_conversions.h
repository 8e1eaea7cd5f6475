#pragma once
// The byte routines between Windows-1251 and the other Cyrillic code pages.
// They translate only the 66 letters of the Russian alphabet (А–Я, а–я, Ё,
// ё); every other byte stays. Each rewrites its argument in place; the length
// never changes. Conversions between two other code pages go through
// Windows-1251.

#include <string>
#include <string_view>

namespace kiv {

void DosFromWin(std::string& s);
void WinFromDos(std::string& s);
void KoiFromWin(std::string& s);
void WinFromKoi(std::string& s);
void MacFromWin(std::string& s);
void WinFromMac(std::string& s);
void IsoFromWin(std::string& s);
void WinFromIso(std::string& s);

// Copying forms of the document charsets ("win", "dos", "koi"): the text
// of charset `from` rewritten for charset `to`, through Windows-1251.
std::string toWin1251(std::string_view text, std::string_view fromCharset);
std::string fromWin1251(std::string_view text, std::string_view toCharset);

}  // namespace kiv
