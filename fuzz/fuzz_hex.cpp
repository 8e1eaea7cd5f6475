// Hexadecimal decoding of arbitrary text: never crashes; what it accepts
// encodes back to the same digits in upper case; any bytes round-trip.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/common/ascii.h"
#include "core/transfer/transfer_encodings.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view in(reinterpret_cast<const char*>(data), size);
  const kiv::DecodeResult r = kiv::hexDecode(in);
  if (r.ok()) {
    FUZZ_CHECK(r.bytes.size() * 2 == size);
    FUZZ_CHECK(kiv::hexEncode(r.bytes) == kiv::asciiUpperCopy(in));
  } else {
    FUZZ_CHECK(r.bytes.empty());
    FUZZ_CHECK(r.message == kiv::kHexFormatMessage);
  }
  const kiv::DecodeResult back = kiv::hexDecode(kiv::hexEncode(in));
  FUZZ_CHECK(back.ok() && back.bytes == in);
  return 0;
}
