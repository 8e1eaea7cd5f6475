// Picture size readers on arbitrary bytes: never read past the data
// (AddressSanitizer watches the exact input buffer), end quickly, give
// sizes of 16 bits (PNG: 31 bits), and a size found does not change when more bytes
// follow. Pictures built around the input (its bytes as JPEG segments, PNG
// chunk data, GIF colour table) report the size they were built with.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/document/image_size.h"
#include "fuzz_check.h"

namespace {

using Reader = kiv::ImageSize (*)(std::string_view);

bool same(kiv::ImageSize a, kiv::ImageSize b) { return a.width == b.width && a.height == b.height; }

void checkReader(Reader read, std::string_view in, int maxSide) {
  const kiv::ImageSize s = read(in);
  FUZZ_CHECK(s.width >= 0 && s.width <= maxSide && s.height >= 0 && s.height <= maxSide);
  if (s.width != 0 || s.height != 0) {
    const std::string longer = std::string(in) + std::string(64, '\xFF') + "\x2C";
    FUZZ_CHECK(same(read(longer), s));
  }
}

void be16(std::string& out, unsigned v) {
  out += static_cast<char>(v >> 8);
  out += static_cast<char>(v & 0xFF);
}
void le16(std::string& out, unsigned v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>(v >> 8);
}

// JPEG: SOI, the input cut into APPn/COM segments (with fill bytes and
// stand-alone markers between them), then a frame header.
std::string jpegAround(std::string_view in, unsigned w, unsigned h, unsigned sof) {
  std::string j = "\xFF\xD8";
  std::size_t pos = 0;
  unsigned k = 0;
  while (pos < in.size()) {
    const std::size_t len = std::min<std::size_t>(in.size() - pos, 1 + static_cast<unsigned char>(in[pos]));
    j += (k % 3 == 0) ? "\xFF\xFF\xFF" : "\xFF";
    j += static_cast<char>(k % 2 ? 0xFE : 0xE0 + k % 16);
    be16(j, static_cast<unsigned>(len + 2));
    j.append(in.substr(pos, len));
    if (k % 4 == 1) j += "\xFF\xD3";
    pos += len;
    ++k;
  }
  j += '\xFF';
  j += static_cast<char>(sof);
  be16(j, 17);
  j += '\x08';
  be16(j, h);
  be16(j, w);
  return j;
}

// PNG: signature and header chunk with 32-bit width and height; `high`
// fills their upper halves (below 2^15, as the format allows).
std::string pngAround(std::string_view in, unsigned w, unsigned h, unsigned high) {
  std::string p = "\x89PNG\r\n\x1A\n";
  p += std::string("\0\0\0\x0DIHDR", 8);
  be16(p, high);
  be16(p, w);
  be16(p, high ^ 0xFF);
  be16(p, h);
  p.append(in);
  return p;
}

// GIF: header, screen descriptor with a colour table filled from the input,
// then the image descriptor.
std::string gifAround(std::string_view in, unsigned w, unsigned h, unsigned flags) {
  std::string g = "GIF89a";
  le16(g, 1);
  le16(g, 1);
  g += static_cast<char>(flags);
  g += std::string(2, '\0');  // background colour, aspect ratio
  if (flags & 0x80) {
    const std::size_t table = 3u * (1u << ((flags & 7u) + 1u));
    for (std::size_t i = 0; i < table; ++i) g += in.empty() ? ',' : in[i % in.size()];
  }
  g += '\x2C';
  le16(g, 0);
  le16(g, 0);
  le16(g, w);
  le16(g, h);
  g += '\0';
  return g;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view in(reinterpret_cast<const char*>(data), size);
  checkReader(kiv::jpegSize, in, 0xFFFF);
  checkReader(kiv::pngSize, in, 0x7FFFFFFF);
  checkReader(kiv::gifSize, in, 0xFFFF);

  if (size < 5) return 0;
  const unsigned w = data[0] << 8 | data[1];
  const unsigned h = data[2] << 8 | data[3];
  const unsigned sel = data[4];
  const std::string_view rest = in.substr(5);
  const int wi = static_cast<int>(w), hi = static_cast<int>(h);
  FUZZ_CHECK(same(kiv::jpegSize(jpegAround(rest, w, h, 0xC0 + sel % 3)), {wi, hi}));
  const unsigned high = sel & 0x7F;
  FUZZ_CHECK(same(kiv::pngSize(pngAround(rest, w, h, high)),
                  {static_cast<int>(high << 16 | w), static_cast<int>((high ^ 0xFF) << 16 | h)}));
  FUZZ_CHECK(same(kiv::gifSize(gifAround(rest, w, h, sel)), {wi, hi}));
  return 0;
}
