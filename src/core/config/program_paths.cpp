#include "core/config/program_paths.h"

#include <cstdint>
#include <cstdio>

namespace kiv {

namespace {

std::string asFolder(std::string p) {
  if (!p.empty() && p.back() != '/') p += '/';
  return p;
}

// An XDG base folder: the variable when it is an absolute path, otherwise
// HOME + the default.
std::string baseFolder(const std::string& variable, const std::string& home, const char* fallback) {
  if (!variable.empty() && variable.front() == '/') return asFolder(variable);
  return asFolder(home.empty() ? std::string("/") : home) + fallback;
}

// FNV-1a: a short, stable name for a path.
std::uint64_t pathHash(const std::string& s) {
  std::uint64_t h = 14695981039346656037ull;
  for (unsigned char c : s) {
    h ^= c;
    h *= 1099511628211ull;
  }
  return h;
}

}  // namespace

RunMode chooseRunMode(const ProgramFolderFacts& facts) {
  return facts.writable && (facts.holdsIni || facts.holdsEngine) ? RunMode::Portable : RunMode::Installed;
}

ProgramPaths ProgramPaths::portable(const std::string& programFolder, const std::string& helperFolder) {
  ProgramPaths p;
  p.mode_ = RunMode::Portable;
  const std::string f = asFolder(programFolder);
  p.sharedData_ = f;
  p.helperFolder_ = helperFolder.empty() ? f : asFolder(helperFolder);
  p.configFolder_ = f;
  p.dataFolder_ = f;
  p.stateFolder_ = f;
  return p;
}

ProgramPaths ProgramPaths::installed(const std::string& sharedData, const std::string& helperFolder,
                                     const UserFolders& user) {
  ProgramPaths p;
  p.mode_ = RunMode::Installed;
  p.sharedData_ = asFolder(sharedData);
  p.helperFolder_ = asFolder(helperFolder);
  p.configFolder_ = baseFolder(user.configHome, user.home, ".config/") + "kiv/";
  p.dataFolder_ = baseFolder(user.dataHome, user.home, ".local/share/") + "kiv/";
  p.stateFolder_ = baseFolder(user.stateHome, user.home, ".local/state/") + "kiv/";
  return p;
}

std::string ProgramPaths::defaultIniFile() const {
  return mode_ == RunMode::Installed ? sharedData_ + "kiv.ini" : std::string();
}

std::string ProgramPaths::shippedPluginsFolder() const {
  return mode_ == RunMode::Installed ? helperFolder_ + "Plugins/" : pluginsFolder();
}

std::string ProgramPaths::codeTablesFolder(const std::string& location) const {
  if (location.empty()) return engineFolder() + "Tables/";
  std::string rel = location;
  for (char& c : rel)
    if (c == '\\') c = '/';
  return asFolder(rel.front() == '/' ? rel : dataFolder_ + rel);
}

std::string ProgramPaths::instanceSocket(unsigned userId, const UserFolders& user) const {
  char name[64];
  std::snprintf(name, sizeof name, "kiv-%u-%016llx", userId, static_cast<unsigned long long>(pathHash(iniFile())));
  // A runtime folder is private to the user; without one the toolkit puts
  // the bare name in the temporary folder.
  if (!user.runtimeDir.empty() && user.runtimeDir.front() == '/') return asFolder(user.runtimeDir) + name;
  return name;
}

}  // namespace kiv
