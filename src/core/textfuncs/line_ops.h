#pragma once
// Line and string commands of the "Строка" submenu, deleting a word, and
// the alphabet insertions. Texts are single-byte strings in Windows-1251;
// "selected lines" are the selection as a list of lines (first and last
// possibly partial), "working text" is the selection or the whole text.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/textfuncs/op_result.h"

namespace kiv {

// "Удалить пустые строки": drops every line that holds only bytes 0..32.
std::vector<std::string> deleteEmptyLines(std::vector<std::string> lines);

// "Заключить каждую строку в...": before + line + after for every line.
std::vector<std::string> encloseLines(std::vector<std::string> lines, std::string_view before,
                                      std::string_view after);

// "Пронумеровать строки": "1 first", "2 second", ...
std::vector<std::string> numberLines(std::vector<std::string> lines);

// "Реверс строки": the bytes in reverse order (a CR LF becomes LF CR).
std::string reverseString(std::string_view text);

// "Реверс строк": the lines from last to first, CR LF after every line.
std::string reverseLineOrder(const std::vector<std::string>& lines);
// The same for a whole text split at CR LF, CR or LF.
std::string reverseLineOrderOfText(std::string_view text);

// "ФИО": the first word, one space, then the first letter of every later
// word followed by ".": "Иванов Иван Иванович" -> "Иванов И.И.". Words are
// separated by runs of spaces and tabs; the text is trimmed of bytes 0..32
// at both ends first. A text of one word comes back trimmed.
std::string surnameWithInitials(std::string_view selectedText);

// "Анаграмма": the text is cut to its first 255 bytes; the result is every
// arrangement of its bytes (n! lines, repeats kept) in the command's own
// order, then the line "Найдено <n!> анаграмм...". Refuses a text longer
// than kMaxAnagramLetters (it would give more than a million lines). An
// empty text gives no lines.
inline constexpr std::size_t kMaxAnagramLetters = 9;
LinesResult anagrams(std::string_view text);

// "Удалить заданное слово/символ": removes every occurrence of word, left to
// right without overlap, comparing through the full Windows-1251 upper-case
// table; matches inside longer words count. An empty word changes nothing.
std::string deleteWord(std::string_view text, std::string_view word);

// "Алфавит русский": bytes 192..255 (А..Я, а..я; no Ё/ё).
std::string russianAlphabet();
// "Алфавит английский": bytes 65..122 (A..Z, [ \ ] ^ _ `, a..z).
std::string englishAlphabet();

}  // namespace kiv
