#pragma once
// Case, spacing and format commands ("Регистр", "Формат", "Замена"): each
// takes the working text (or the selected text) in Windows-1251 and returns
// the text to put back.

#include <string>
#include <string_view>

#include "core/common/prng.h"
#include "core/textfuncs/op_result.h"

namespace kiv {

// "Нижний" / "Верхний": the simple mapping (A–Z, А–Я, Ё only).
std::string lowerCaseText(std::string_view text);
std::string upperCaseText(std::string_view text);

// "Хакеризация": from the last byte to the first, each byte takes one draw
// r = 2 + below(5); r of 2, 3 or 5 upper-cases it, 4 or 6 lower-cases it
// (simple mapping). Bytes without case use their draw too.
std::string hackerize(std::string_view text, Prng& prng);

// "Первая буква  - большая, другие - маленькие": everything lower case
// (full tables), the very first byte upper case.
std::string capitalizeFirst(std::string_view text);

// "Первая буква каждого слова - большая": everything lower case (full
// tables), the first byte of every word upper case. Delimiters are bytes
// 0..32, '"' and ! ( ) * + , - . / : ; < = > ? [ \ ] ^ { | }.
std::string capitalizeWords(std::string_view text);
bool isCapitalizeDelimiter(unsigned char c);

// "Убить пробелы подряд" and "Убить формат нафиг": bytes 0..32 are white
// space; leading and trailing white space goes, every inner run becomes one
// space (so line breaks join lines).
std::string collapseWhiteSpace(std::string_view text);

// "Убить табуляцию (тоже нафиг)": every tab deleted.
std::string removeTabs(std::string_view text);

// "Tabs > Spaces": every tab becomes n spaces, n = spacesPerTab mod 256; a
// negative setting counts as 0 (tabs are deleted).
int effectiveSpacesPerTab(int spacesPerTab);
std::string tabsToSpaces(std::string_view text, int spacesPerTab);

// "Жесткий word wrap" at `width` columns. Lines break after a space, "-" or
// tab; existing CR LF breaks stay; text inside double quotes or apostrophes
// is never broken; a word longer than the width stays whole. A width of 0
// or less breaks at every break character.
std::string hardWordWrap(std::string_view text, int width);
// The same with the width as typed into the prompt; an answer that is not
// an integer is refused with "'<answer>' is not a valid integer value".
TextResult hardWordWrapAnswer(std::string_view text, std::string_view answer);

// "Прямые кавычки > на парные": '"' alternately « (171) and » (187),
// starting with « at every call.
std::string straightToPairedQuotes(std::string_view text);
// "Парные кавычки > на прямые": « and » become '"'.
std::string pairedToStraightQuotes(std::string_view text);

}  // namespace kiv
