// RLE expansion of arbitrary code: never crashes, refuses what it cannot
// read, and whatever it accepts compresses and expands back unchanged. Any
// bytes compress and expand back unchanged.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "core/transfer/transfer_encodings.h"
#include "fuzz_check.h"

// A small limit keeps the runs fast; the limit logic is the same.
constexpr std::size_t kLimit = 1u << 20;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view in(reinterpret_cast<const char*>(data), size);
  const kiv::DecodeResult r = kiv::rleExpand(in, kLimit);
  if (r.ok()) {
    FUZZ_CHECK(r.bytes.size() <= kLimit + size);
    const kiv::DecodeResult again = kiv::rleExpand(kiv::rleCompress(r.bytes), kLimit + size);
    FUZZ_CHECK(again.ok() && again.bytes == r.bytes);
  } else {
    FUZZ_CHECK(r.bytes.empty());
    FUZZ_CHECK(r.message == kiv::kRleTruncatedMessage || r.message == kiv::kRleTooLargeMessage);
  }
  const kiv::DecodeResult back = kiv::rleExpand(kiv::rleCompress(in));
  FUZZ_CHECK(back.ok() && back.bytes == in);
  return 0;
}
