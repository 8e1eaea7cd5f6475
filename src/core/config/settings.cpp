#include "core/config/settings.h"

namespace kiv {

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
