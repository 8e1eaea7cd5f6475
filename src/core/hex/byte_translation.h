#pragma once
// The hex editor's character column: how a file byte is shown as a
// Windows-1251 (the program's ANSI code page) byte, and how a typed
// Windows-1251 byte becomes a file byte, in each of the five translations.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace kiv {

enum class ByteTranslation { Ansi, Dos, Ascii, Mac, Ebcdic };

// The option texts "Ansi", "Dos", "ASCII", "Mac", "EBCDIC", in that order.
std::string_view translationName(ByteTranslation t);
std::optional<ByteTranslation> translationFromName(std::string_view name);

// The Windows-1251 byte shown for a file byte; the mask character where the
// translation has none and for every result below 32.
unsigned char displayByte(ByteTranslation t, unsigned char fileByte, unsigned char mask = '.');

// The file byte for a typed Windows-1251 byte, or nothing when the
// translation refuses it (no byte for it, or a result below 32).
std::optional<unsigned char> fileByteFor(ByteTranslation t, unsigned char typed);

// A typed Windows-1251 text in the translation, byte for byte; nothing when
// a byte has no file byte (a control character passes as itself).
std::optional<std::string> patternInTranslation(ByteTranslation t, std::string_view ansiText);

// The two built-in tables, whole: Macintosh to ANSI (the identity below 128)
// and EBCDIC to ANSI (0 where EBCDIC has no character).
const std::array<unsigned char, 256>& macToAnsiTable();
const std::array<unsigned char, 256>& ebcdicToAnsiTable();

}  // namespace kiv
