#pragma once
// "Кодировать" / "Декодировать": byte-wise exclusive OR of the working text
// with the password. XOR with every password byte in turn is one XOR with
// the key byte (all password bytes XORed together), so the order of the
// password's characters does not matter and the same password decodes.
//
// So that decoding always gives the original back:
//  - a final CR LF of the working text (the whole text always has one) is
//    left as it is, both ways;
//  - a password whose key byte is 0 is refused (it would change nothing);
//  - encoding refuses a text whose result would hold a byte 0, CR or LF;
//  - decoding refuses a result that would hold a byte 0 or a CR or LF that
//    is not part of a CR LF pair.
// The password is given as Windows-1251 bytes whatever the document's code
// page; the text is used as it is (no code-page conversion).

#include <string_view>

#include "core/textfuncs/op_result.h"

namespace kiv {

unsigned char scrambleKey(std::string_view password);

TextResult scrambleText(std::string_view text, std::string_view password);
TextResult unscrambleText(std::string_view text, std::string_view password);

}  // namespace kiv
