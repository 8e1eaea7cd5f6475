#include "core/common/byte_map.h"

namespace kiv {

ByteMap identityByteMap() {
  ByteMap m{};
  for (int i = 0; i < 256; ++i) m[i] = static_cast<unsigned char>(i);
  return m;
}

std::string mapBytes(std::string_view text, const ByteMap& map) {
  std::string out(text);
  mapBytesInPlace(out, map);
  return out;
}

void mapBytesInPlace(std::string& text, const ByteMap& map) {
  for (auto& c : text) c = static_cast<char>(map[static_cast<unsigned char>(c)]);
}

}  // namespace kiv
