#include "core/filebrowser/browser_paths.h"

namespace kiv {

std::string normalizeFolder(std::string_view folder) {
  while (folder.size() > 1 && folder.back() == '/') folder.remove_suffix(1);
  return folder.empty() ? std::string("/") : std::string(folder);
}

std::string parentFolder(std::string_view folder) {
  const std::string f = normalizeFolder(folder);
  const std::size_t slash = f.rfind('/');
  if (slash == std::string::npos || slash == 0) return "/";
  return f.substr(0, slash);
}

std::string entryPath(std::string_view folder, std::string_view name) {
  std::string f = normalizeFolder(folder);
  if (f.back() != '/') f += '/';
  return f + std::string(name);
}

std::string renameRefusal(std::string_view newName) {
  if (newName.empty()) return "Имя не может быть пустым.";
  if (newName == "." || newName == "..") return "Имена «.» и «..» заняты системой.";
  if (newName.find('/') != std::string_view::npos) return "Имя файла не может содержать «/».";
  if (newName.find('\0') != std::string_view::npos) return "Имя файла не может содержать нулевой байт.";
  return {};
}

}  // namespace kiv
