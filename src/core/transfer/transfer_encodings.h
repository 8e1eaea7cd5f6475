#pragma once
// Transfer encodings of the Encoding menu: Base64 (offered as "MIME" and as
// "Base64"), the program's own run-length encoding (RLE) and hexadecimal
// byte values. Every function takes bytes and returns new bytes; the
// document's charset plays no part. Decoders that can fail return a
// DecodeResult whose message (UTF-8, for the error box) tells why; the
// document is then left unchanged.

#include <cstddef>
#include <string>
#include <string_view>

namespace kiv {

struct DecodeResult {
  std::string bytes;    // the decoded bytes when ok()
  std::string message;  // the error box text (UTF-8) when !ok()
  bool ok() const { return message.empty(); }
};

// Error box texts.
inline constexpr std::string_view kBase64FormatMessage =
    "Формат строки не соответствует способу кодирования Base64.";
inline constexpr std::string_view kHexFormatMessage =
    "Ошибка при преобразовании строки шестнадцатеричных кодов в в строку символов.";
inline constexpr std::string_view kRleTruncatedMessage =
    "Ошибка RLE-распаковки: текст обрывается внутри кода.";
inline constexpr std::string_view kRleTooLargeMessage =
    "Ошибка RLE-распаковки: распакованный текст превысил бы 256 МБ.";

// The most bytes rleExpand produces; a code that would go past it is refused.
inline constexpr std::size_t kRleMaxExpanded = std::size_t{256} * 1024 * 1024;

// Standard alphabet A–Z a–z 0–9 + /, "=" padding, no line breaks.
std::string base64Encode(std::string_view bytes);

// One unbroken Base64 text: the length must be a multiple of 4, every
// character must be in the alphabet, and "=" may stand only as the padding
// at the very end ("x===" style padding is refused too).
DecodeResult base64DecodeStrict(std::string_view text);

// Any text: every character outside the alphabet ("=", line breaks, spaces,
// anything else) is skipped; a final remainder of 3 or 2 characters gives 2
// or 1 more bytes, a lone character nothing. Cannot fail.
std::string base64DecodeLenient(std::string_view text);

// RLE: the input is cut into maximal runs of one byte b, each written as one
// code. The special bytes are 16 17 18 19 1D 1E 7F (hex). For an ordinary b:
// runs of 1 and 2 stay as they are, 3..8 become 16/17/18/19/1D/1E b, longer
// runs 7F b N. For a special b: 1 is 19 b, 2 is 17 b, longer runs 7F b N.
// N is the count in base 128, low group first, the top bit (80) set on every
// byte but the last.
std::string rleCompress(std::string_view bytes);

// Reverses rleCompress. Refuses input that ends inside a code (a code byte
// without its value byte, or a count without its last group), and any repeat
// that would take the expansion past kRleMaxExpanded. A count of 0 gives
// nothing. `maxExpanded` lowers the limit for tests and fuzzing; the message
// always names the default.
DecodeResult rleExpand(std::string_view code, std::size_t maxExpanded = kRleMaxExpanded);

// Two upper-case hexadecimal digits per byte, high half first, no separator.
std::string hexEncode(std::string_view bytes);

// An even number of hexadecimal digits (either case) and nothing else.
DecodeResult hexDecode(std::string_view text);

}  // namespace kiv
