#include "core/common/paths.h"

namespace kiv {

std::string fileNameOnly(std::string_view fileName) {
  const auto slash = fileName.rfind('/');
  return std::string(slash == std::string_view::npos ? fileName : fileName.substr(slash + 1));
}

std::string fileFolder(std::string_view fileName) {
  const auto slash = fileName.rfind('/');
  return slash == std::string_view::npos ? std::string() : std::string(fileName.substr(0, slash + 1));
}

std::string containingFolder(std::string_view fileName) {
  const auto slash = fileName.rfind('/');
  if (slash == std::string_view::npos) return ".";
  if (slash == 0) return "/";
  return std::string(fileName.substr(0, slash));
}

std::string fileExtension(std::string_view fileName) {
  const std::string name = fileNameOnly(fileName);
  const auto dot = name.rfind('.');
  return dot == std::string::npos ? std::string() : name.substr(dot);
}

}  // namespace kiv
