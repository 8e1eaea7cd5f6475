#pragma once
// What kiv and its plugin host (kiv-plugin-host) say to each other.
//
// kiv starts the host as
//   kiv-plugin-host version LIBRARY   (asks for the caption)
//   kiv-plugin-host run LIBRARY       (runs HandleData)
// with the control socket as descriptor 3 and, for "run", the text in a
// memory file as descriptor 4: the text's bytes followed by one zero byte.
// The host answers with one reply on descriptor 3 and ends. The result of
// "run" is left in the memory file: at `offset`, `length` bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kiv::pluginwire {

inline constexpr int kControlFd = 3;
inline constexpr int kTextFd = 4;
inline constexpr const char* kVersionVerb = "version";
inline constexpr const char* kRunVerb = "run";

enum class Status : std::uint8_t {
  Ok = 0,
  LoadFailed = 1,      // the library does not load (detail: the loader's words)
  MissingExport = 2,   // VersionInfo or HandleData is not exported (detail: which)
  BadResult = 3,       // a null pointer or a string without its terminating zero
  BadRequest = 4,      // the host was started wrongly
};

struct Reply {
  Status status = Status::Ok;
  std::uint64_t offset = 0;  // "run": where the result starts in the memory file
  std::uint64_t length = 0;  // "run": its length
  std::string detail;        // "version": the caption; failures: what went wrong
};

// The reply as bytes: "KIVP", a format byte, the status byte, offset and
// length as 8-byte little-endian numbers, the detail's length (4 bytes) and
// the detail.
std::string encodeReply(const Reply& reply);
// nullopt unless the bytes are exactly one well-formed reply.
std::optional<Reply> decodeReply(std::string_view bytes);

// The longest caption or message a reply carries.
inline constexpr std::size_t kMaxDetail = 64 * 1024;

}  // namespace kiv::pluginwire
