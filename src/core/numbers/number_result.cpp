#include "core/numbers/number_result.h"

#include "core/charsets/cp1251_literal.h"
#include "core/common/conversions.h"

namespace kiv {

bool isDigitsOnly(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

std::string notIntegerMessageFor(std::string_view documentBytes) {
  return notIntegerMessage(utf8FromCp1251(documentBytes));
}

std::string notFloatMessageFor(std::string_view documentBytes) {
  return notFloatMessage(utf8FromCp1251(documentBytes));
}

}  // namespace kiv
