#include "core/config/settings.h"

#include <algorithm>

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
  auto folder = [&](const std::string& rel) {
    std::string p = joinProgramPath(programFolder, rel);
    if (!p.empty() && p.back() != '/') p += '/';
    return p;
  };
  settings.templatesFolder = folder("Engine/Templates/");
  settings.pluginsFolder = folder("Engine/Plugins/");
  settings.colorsFolder = folder("Engine/Colors/");
  settings.settingsFolder = folder("Engine/Settings/");
  settings.partsFolder = folder("Engine/Parts/");
  settings.codeTablesFolder = folder(codeTablesLocation.empty() ? std::string("Engine/Tables/") : codeTablesLocation);
}

}  // namespace kiv
