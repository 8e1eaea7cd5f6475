#include "core/config/settings.h"

#include <algorithm>

namespace kiv {

RWindowBounds fitBounds(const RWindowBounds& bounds, const RWindowBounds& area) {
  if (area.W <= 0 || area.H <= 0) return bounds;
  RWindowBounds b = bounds;
  b.W = std::clamp(b.W, 1, area.W);
  b.H = std::clamp(b.H, 1, area.H);
  // In 64 bits: a far-off position must not overflow on the way.
  b.Left = static_cast<int>(std::clamp<long long>(b.Left, area.Left, static_cast<long long>(area.Left) + area.W - b.W));
  b.Top = static_cast<int>(std::clamp<long long>(b.Top, area.Top, static_cast<long long>(area.Top) + area.H - b.H));
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

void buildFolders(RConnectionTable& ct, const std::string& programFolder, const std::string& codeTablesLocation) {
  auto folder = [&](const std::string& rel) {
    std::string p = joinProgramPath(programFolder, rel);
    if (!p.empty() && p.back() != '/') p += '/';
    return p;
  };
  ct.templatesFolder = folder("Engine/Templates/");
  ct.pluginsFolder = folder("Engine/Plugins/");
  ct.colorsFolder = folder("Engine/Colors/");
  ct.settingsFolder = folder("Engine/Settings/");
  ct.partsFolder = folder("Engine/Parts/");
  ct.codeTablesFolder = folder(codeTablesLocation.empty() ? std::string("Engine/Tables/") : codeTablesLocation);
}

}  // namespace kiv
