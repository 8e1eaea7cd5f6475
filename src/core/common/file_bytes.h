#pragma once
// Whole-file byte I/O for the core. Paths are the system's own (UTF-8 on
// Linux) and are never recoded.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kiv {

// A failed file operation; what() is the message shown to the user.
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The whole file, or nullopt when it cannot be opened or read.
std::optional<std::string> readFileBytes(const std::string& path);

// Reads at most maxBytes from the start of the file.
std::optional<std::string> readFilePrefix(const std::string& path, std::size_t maxBytes);

// Writes the bytes to a temporary file beside the target, flushes it and
// renames it over the target, so the old file stays whole until the new
// bytes are safely on disk. On failure the target is untouched, the
// temporary file is removed and errorText (if given) says why.
bool writeFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* errorText = nullptr);

// As readFileBytes, but a failure throws FileError("Cannot open file <path>").
std::string readFileOrThrow(const std::string& path);
// As writeFileAtomically, but a failure throws FileError("Cannot create file <path>").
void writeFileOrThrow(const std::string& path, std::string_view bytes);

bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);

}  // namespace kiv
