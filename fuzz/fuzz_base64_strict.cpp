// Strict Base64 decoding of arbitrary text: never crashes; what it accepts
// re-encodes to text of the same length, and any bytes survive the round trip.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/transfer/transfer_encodings.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view in(reinterpret_cast<const char*>(data), size);
  const kiv::DecodeResult r = kiv::base64DecodeStrict(in);
  if (r.ok()) {
    FUZZ_CHECK(size % 4 == 0);
    FUZZ_CHECK(kiv::base64Encode(r.bytes).size() == size);
    FUZZ_CHECK(kiv::base64DecodeLenient(in) == r.bytes);
  } else {
    FUZZ_CHECK(r.bytes.empty());
    FUZZ_CHECK(r.message == kiv::kBase64FormatMessage);
  }
  const kiv::DecodeResult back = kiv::base64DecodeStrict(kiv::base64Encode(in));
  FUZZ_CHECK(back.ok() && back.bytes == in);
  return 0;
}
