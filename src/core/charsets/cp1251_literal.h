#pragma once
// Source files are UTF-8, document text is Windows-1251: Russian text that a
// command puts into a document is written as a UTF-8 literal and converted
// once with cp1251().

#include <string>
#include <string_view>

#include "core/charsets/code_page.h"

namespace kiv {

inline std::string cp1251(std::string_view utf8) {
  return CodePage::get(CodePageId::Win1251).encodeFromUtf8(utf8);
}

inline std::string utf8FromCp1251(std::string_view bytes) {
  return CodePage::get(CodePageId::Win1251).decodeToUtf8(bytes);
}

}  // namespace kiv
