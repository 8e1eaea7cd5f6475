// Transliteration of arbitrary bytes in both directions: never crashes;
// Latin to Russian never lengthens the text and leaves every byte outside its
// tables alone; Russian to Latin never shortens it. The first input byte
// picks the modes and the starting state of the backslash switch.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/translit/transliterator.h"
#include "fuzz_check.h"

namespace {
bool touched(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '\'' || c == '`' || c == '~' ||
         c == '@' || c == '\\';
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned sel = data[0];
  const auto shcha = static_cast<kiv::ShchaMode>(sel % 5);
  const auto xa = static_cast<kiv::KhaMode>((sel >> 3) & 1);
  const auto w = static_cast<kiv::WMode>((sel >> 4) & 1);
  bool on = (sel >> 5) & 1;
  const std::string_view in(reinterpret_cast<const char*>(data) + 1, size - 1);

  const std::string russian = kiv::latinToRussian(in, w, on);
  FUZZ_CHECK(russian.size() <= in.size());
  bool anyTouched = false;
  for (unsigned char c : in) anyTouched = anyTouched || touched(c);
  if (!anyTouched) FUZZ_CHECK(russian == in);

  const std::string latin = kiv::russianToLatin(in, shcha, xa);
  FUZZ_CHECK(latin.size() >= in.size());
  bool on2 = true;
  (void)kiv::latinToRussian(latin, w, on2);
  return 0;
}
