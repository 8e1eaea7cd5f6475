// MIME decoding: Base64 broken into lines of any width, with line breaks,
// spaces and stray characters between the groups, reads back to the bytes.
// The first input byte picks the line width and the separator.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/transfer/transfer_encodings.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t width = 1 + data[0] % 80;
  static constexpr std::string_view kSeparators[] = {"\r\n", "\n", " ", "\t", "=\r\n", "*-!", "\xC4\xE0"};
  const std::string_view sep = kSeparators[(data[0] >> 4) % 7];
  const std::string_view in(reinterpret_cast<const char*>(data) + 1, size - 1);

  const std::string flat = kiv::base64Encode(in);
  std::string wrapped;
  for (std::size_t i = 0; i < flat.size(); i += width) {
    wrapped += flat.substr(i, width);
    wrapped += sep;
  }
  FUZZ_CHECK(kiv::base64DecodeLenient(wrapped) == in);
  // The raw input as MIME text must not crash either.
  (void)kiv::base64DecodeLenient(in);
  return 0;
}
