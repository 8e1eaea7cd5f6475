#include "core/textfuncs/scramble.h"

#include <array>
#include <string>

namespace kiv {

namespace {

const char* const kEmptyPassword = "Пароль не может быть пустой строкой";
const char* const kNeutralPassword =
    "Этот пароль не изменит текст: коды его знаков взаимно гасятся. Введите другой пароль.";
const char* const kCannotEncode =
    "С этим паролем текст нельзя закодировать без потерь: в нём появились бы нулевые байты "
    "или переводы строк. Введите другой пароль.";
const char* const kCannotDecode =
    "С этим паролем текст нельзя декодировать: в нём появились бы нулевые байты или "
    "одиночные переводы строк. Проверьте пароль.";

enum class Direction { Encode, Decode };

TextResult apply(std::string_view text, std::string_view password, Direction dir) {
  if (password.empty()) return TextResult::refused(kEmptyPassword);
  const unsigned char k = scrambleKey(password);
  if (k == 0) return TextResult::refused(kNeutralPassword);

  const bool keepFinalBreak = text.size() >= 2 && text.substr(text.size() - 2) == "\r\n";
  const std::size_t bodySize = keepFinalBreak ? text.size() - 2 : text.size();

  std::string out(text);
  for (std::size_t i = 0; i < bodySize; ++i) out[i] = static_cast<char>(static_cast<unsigned char>(out[i]) ^ k);

  if (dir == Direction::Encode) {
    for (std::size_t i = 0; i < bodySize; ++i) {
      const char c = out[i];
      if (c == '\0' || c == '\r' || c == '\n') return TextResult::refused(kCannotEncode);
    }
  } else {
    for (std::size_t i = 0; i < bodySize; ++i) {
      const char c = out[i];
      const bool pairedCr = c == '\r' && i + 1 < bodySize && out[i + 1] == '\n';
      const bool pairedLf = c == '\n' && i > 0 && out[i - 1] == '\r';
      if (c == '\0' || (c == '\r' && !pairedCr) || (c == '\n' && !pairedLf))
        return TextResult::refused(kCannotDecode);
    }
  }
  return TextResult::success(std::move(out));
}

}  // namespace

unsigned char scrambleKey(std::string_view password) {
  unsigned char k = 0;
  for (char c : password) k ^= static_cast<unsigned char>(c);
  return k;
}

TextResult scrambleText(std::string_view text, std::string_view password) {
  return apply(text, password, Direction::Encode);
}

TextResult unscrambleText(std::string_view text, std::string_view password) {
  // The command reverses the password first; the key does not depend on
  // the order of its bytes.
  return apply(text, std::string(password.rbegin(), password.rend()), Direction::Decode);
}

}  // namespace kiv
