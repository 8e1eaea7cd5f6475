#pragma once
// Whole-file byte I/O for the core. Paths are the system's own (UTF-8 on
// Linux) and are never recoded.

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/common/safe_save.h"

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

// Saves the bytes as the file's whole content without harming the old file
// or what it is (safe_save.h): links followed to the real file, the file
// replaced through a temporary file and a rename, or written in place where
// a rename would change its links, owner or attributes. A write-protected
// file is refused unless the user consented (ProtectedWriteConsent). On
// failure errorText (if given) says why.
bool writeFileAtomically(const std::string& path, std::string_view bytes,
                         std::string* errorText = nullptr);

// As readFileBytes, but a failure throws FileError("Cannot open file <path>").
std::string readFileOrThrow(const std::string& path);
// As writeFileAtomically, but a failure throws FileError("Cannot create file <path>").
void writeFileOrThrow(const std::string& path, std::string_view bytes);
// The same with the bytes given in pieces (safe_save.h).
void writeFileOrThrow(const std::string& path, const NextBytes& next);

bool fileExists(const std::string& path);
bool directoryExists(const std::string& path);

}  // namespace kiv
