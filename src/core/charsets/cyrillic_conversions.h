#pragma once
// The byte routines between Windows-1251 and the other Cyrillic code pages.
// They translate only the 66 letters of the Russian alphabet (А–Я, а–я, Ё,
// ё); every other byte stays. Each rewrites its argument in place; the length
// never changes. Conversions between two other code pages go through
// Windows-1251.

#include <string>
#include <string_view>

namespace kiv {

void dosFromWin(std::string& s);
void winFromDos(std::string& s);
void koiFromWin(std::string& s);
void winFromKoi(std::string& s);
void macFromWin(std::string& s);
void winFromMac(std::string& s);
void isoFromWin(std::string& s);
void winFromIso(std::string& s);

// Copying forms of the document charsets ("win", "dos", "koi"): the text
// of charset `from` rewritten for charset `to`, through Windows-1251.
std::string toWin1251(std::string_view text, std::string_view fromCharset);
std::string fromWin1251(std::string_view text, std::string_view toCharset);

// For commands that read letters with the Windows-1251 tables: the text of
// a "dos" or "koi" document as Windows-1251 and back again. Every character
// that Windows-1251 has is carried over (letters, but also №, °, the
// non-breaking space); a character it lacks (box drawing, for one) travels
// as an escape — the unassigned byte 98 and the byte's three decimal digits —
// that no command changes, so the way back restores every byte. For "win"
// both are the identity.
std::string toWin1251Reversibly(std::string_view text, std::string_view charset);
std::string fromWin1251Reversibly(std::string_view text, std::string_view charset);

}  // namespace kiv
