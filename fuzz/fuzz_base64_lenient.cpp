// Lenient Base64 decoding of arbitrary text: never crashes, never fails, and
// gives at most 3 bytes for every 4 alphabet characters.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/transfer/transfer_encodings.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view in(reinterpret_cast<const char*>(data), size);
  const std::string out = kiv::base64DecodeLenient(in);
  FUZZ_CHECK(out.size() <= size / 4 * 3 + 2);
  FUZZ_CHECK(kiv::base64DecodeLenient(kiv::base64Encode(in)) == in);
  return 0;
}
