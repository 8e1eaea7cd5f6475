#include "core/config/settings.h"

#include <algorithm>

#include "core/config/program_paths.h"

namespace kiv {

WindowBounds fitBounds(const WindowBounds& bounds, const WindowBounds& area) {
  if (area.width <= 0 || area.height <= 0) return bounds;
  WindowBounds b = bounds;
  b.width = std::clamp(b.width, 1, area.width);
  b.height = std::clamp(b.height, 1, area.height);
  // In 64 bits: a far-off position must not overflow on the way.
  b.left = static_cast<int>(std::clamp<long long>(b.left, area.left, static_cast<long long>(area.left) + area.width - b.width));
  b.top = static_cast<int>(std::clamp<long long>(b.top, area.top, static_cast<long long>(area.top) + area.height - b.height));
  return b;
}

std::string joinProgramPath(const std::string& folder, const std::string& relative) {
  std::string rel = relative;
  for (auto& c : rel)
    if (c == '\\') c = '/';
  if (!rel.empty() && rel.front() == '/') return rel;  // already absolute
  std::string out = folder;
  if (!out.empty() && out.back() != '/') out += '/';
  out += rel;
  return out;
}

void buildFolders(Settings& settings, const std::string& programFolder, const std::string& codeTablesLocation) {
  buildFolders(settings, ProgramPaths::portable(programFolder), codeTablesLocation);
}

void buildFolders(Settings& settings, const ProgramPaths& paths, const std::string& codeTablesLocation) {
  settings.templatesFolder = paths.templatesFolder();
  settings.pluginsFolder = paths.pluginsFolder();
  settings.colorsFolder = paths.colorsFolder();
  settings.settingsFolder = paths.settingsFolder();
  settings.partsFolder = paths.partsFolder();
  settings.codeTablesFolder = paths.codeTablesFolder(codeTablesLocation);
}

}  // namespace kiv
