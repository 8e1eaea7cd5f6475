#include "core/filebrowser/hotlist_file.h"

#include <filesystem>
#include <system_error>

#include "core/common/file_bytes.h"
#include "core/common/paths.h"
#include "core/common/text_lines.h"

namespace kiv {

std::optional<std::vector<std::string>> readHotlist(const std::string& path) {
  if (!fileExists(path) && !directoryExists(path)) return std::vector<std::string>{};
  const auto bytes = readFileBytes(path);
  if (!bytes) return std::nullopt;
  std::vector<std::string> folders;
  for (std::string& line : splitLines(untilZero(*bytes)))
    if (!line.empty()) folders.push_back(std::move(line));
  return folders;
}

bool writeHotlist(const std::string& path, const std::vector<std::string>& folders, std::string* errorText) {
  std::string text;
  for (const std::string& f : folders) {
    if (f.find_first_of("\r\n") != std::string::npos || f.find('\0') != std::string::npos) continue;
    text += f;
    text += "\r\n";
  }
  std::error_code ec;
  const std::string folder = fileFolder(path);
  if (!folder.empty()) std::filesystem::create_directories(folder, ec);
  return writeFileAtomically(path, text, errorText);
}

}  // namespace kiv
