#include "core/document/image_size.h"

#include <cstdint>

namespace kiv {

namespace {
unsigned at(std::string_view d, std::size_t i) { return static_cast<unsigned char>(d[i]); }
int be16(std::string_view d, std::size_t i) { return static_cast<int>((at(d, i) << 8) | at(d, i + 1)); }
int le16(std::string_view d, std::size_t i) { return static_cast<int>(at(d, i) | (at(d, i + 1) << 8)); }
std::uint32_t be32(std::string_view d, std::size_t i) {
  return (std::uint32_t{at(d, i)} << 24) | (at(d, i + 1) << 16) | (at(d, i + 2) << 8) | at(d, i + 3);
}
}  // namespace

ImageSize jpegSize(std::string_view d) {
  if (d.size() < 2 || at(d, 0) != 0xFF || at(d, 1) != 0xD8) return {};
  std::size_t pos = 2;
  while (pos < d.size()) {
    if (at(d, pos) != 0xFF) return {};
    // Further FF bytes are fill.
    while (pos < d.size() && at(d, pos) == 0xFF) ++pos;
    if (pos >= d.size()) return {};
    const unsigned marker = at(d, pos++);
    if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {
      if (pos + 7 > d.size()) return {};
      const int height = be16(d, pos + 3);
      const int width = be16(d, pos + 5);
      return {width, height};
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) continue;
    if (pos + 2 > d.size()) return {};
    const int length = be16(d, pos);
    // The length counts itself: anything below 2 is a malformed file.
    if (length < 2) return {};
    pos += static_cast<std::size_t>(length);
  }
  return {};
}

ImageSize pngSize(std::string_view d) {
  static const unsigned char sig[8] = {0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A};
  if (d.size() < 24) return {};
  for (int i = 0; i < 8; ++i)
    if (at(d, i) != sig[i]) return {};
  // The header holds 32-bit sizes of at most 2^31 - 1; larger ones are not
  // a valid picture.
  const std::uint32_t width = be32(d, 16), height = be32(d, 20);
  if (width > 0x7FFFFFFFu || height > 0x7FFFFFFFu) return {};
  return {static_cast<int>(width), static_cast<int>(height)};
}

ImageSize gifSize(std::string_view d) {
  if (d.size() < 13 || d.substr(0, 3) != "GIF") return {};
  std::size_t pos = 13;
  const unsigned flags = at(d, 10);
  if (flags & 0x80) pos += 3u * (1u << ((flags & 7u) + 1u));
  // Extension blocks (21, label, sub-blocks up to a zero length) come before
  // the first image and may hold the byte 2C themselves: they are skipped as
  // blocks. Anything unexpected falls back to looking for the next 2C.
  while (pos < d.size() && at(d, pos) == 0x21) {
    pos += 2;
    while (pos < d.size() && at(d, pos) != 0) pos += 1 + at(d, pos);
    ++pos;
  }
  while (pos < d.size() && at(d, pos) != 0x2C) ++pos;
  if (pos >= d.size() || pos + 1 + 9 > d.size()) return {};
  const std::size_t desc = pos + 1;
  return {le16(d, desc + 4), le16(d, desc + 6)};
}

char imageKindOfExtension(std::string_view ext) {
  if (ext == ".jpg" || ext == ".jpeg") return 'J';
  if (ext == ".gif") return 'G';
  if (ext == ".png" || ext == ".ping") return 'P';
  return 0;
}

std::string imageTag(std::string_view name, char kind, ImageSize size) {
  std::string tag = "<img src=\"";
  tag += name;
  if (kind) {
    tag += "\" width=\"" + std::to_string(size.width) + "\" height=\"" + std::to_string(size.height);
  } else {
    tag += "\" width=\"\" height=\"";
  }
  tag += "\" border=\"0\" alt=\"\">";
  return tag;
}

bool isDroppedImageExtension(std::string_view ext) {
  return ext == ".gif" || ext == ".jpg" || ext == ".jpeg" || ext == ".bmp" || ext == ".png";
}

}  // namespace kiv
