#include "core/plugins/plugin_protocol.h"

namespace kiv::pluginwire {

namespace {
constexpr std::string_view kMagic = "KIVP";
constexpr char kFormat = 1;
constexpr std::size_t kHeader = 4 + 1 + 1 + 8 + 8 + 4;

void putNumber(std::string& out, std::uint64_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

std::uint64_t getNumber(std::string_view in, std::size_t at, int bytes) {
  std::uint64_t v = 0;
  for (int i = 0; i < bytes; ++i) v |= std::uint64_t{static_cast<unsigned char>(in[at + i])} << (8 * i);
  return v;
}
}  // namespace

std::string encodeReply(const Reply& reply) {
  const std::string_view detail = std::string_view(reply.detail).substr(0, kMaxDetail);
  std::string out(kMagic);
  out.push_back(kFormat);
  out.push_back(static_cast<char>(reply.status));
  putNumber(out, reply.offset, 8);
  putNumber(out, reply.length, 8);
  putNumber(out, detail.size(), 4);
  out.append(detail);
  return out;
}

std::optional<Reply> decodeReply(std::string_view bytes) {
  if (bytes.size() < kHeader || bytes.substr(0, 4) != kMagic || bytes[4] != kFormat) return std::nullopt;
  const auto status = static_cast<unsigned char>(bytes[5]);
  if (status > static_cast<unsigned char>(Status::BadRequest)) return std::nullopt;
  const std::uint64_t detailSize = getNumber(bytes, 22, 4);
  if (detailSize > kMaxDetail || bytes.size() != kHeader + detailSize) return std::nullopt;
  Reply r;
  r.status = static_cast<Status>(status);
  r.offset = getNumber(bytes, 6, 8);
  r.length = getNumber(bytes, 14, 8);
  r.detail = std::string(bytes.substr(kHeader));
  return r;
}

}  // namespace kiv::pluginwire
