#include "core/plugins/plugin_registry.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>

#include "core/charsets/utf8.h"
#include "core/common/file_bytes.h"

namespace kiv {

std::string cutRecordField(std::string_view s) {
  if (s.size() <= PluginRegistry::kMaxField) return std::string(s);
  std::size_t n = PluginRegistry::kMaxField;
  if (isValidUtf8(s)) {
    // Step back over continuation bytes to the start of the character that
    // would be cut.
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
  }
  return std::string(s.substr(0, n));
}

void PluginRegistry::addPlugin(std::string_view fileName, std::string_view caption) {
  records_.push_back({cutRecordField(caption), cutRecordField(fileName)});
}

const PluginRecord* PluginRegistry::findByCaption(std::string_view caption) const {
  for (const auto& r : records_)
    if (r.caption == caption) return &r;
  return nullptr;
}

std::vector<std::string> PluginRegistry::captions() const {
  std::vector<std::string> out;
  out.reserve(records_.size());
  for (const auto& r : records_) out.push_back(r.caption);
  return out;
}

namespace {
std::string_view shortString(std::string_view record, std::size_t offset) {
  const auto len = static_cast<unsigned char>(record[offset]);
  return record.substr(offset + 1, len);
}

void putShortString(std::string& out, std::string_view s) {
  out.push_back(static_cast<char>(s.size()));
  out.append(s);
  out.append(PluginRegistry::kMaxField - s.size(), '\0');
}
}  // namespace

void PluginRegistry::parse(std::string_view bytes) {
  const std::size_t n = bytes.size() / kRecordSize;
  for (std::size_t i = 0; i < n; ++i) {
    const std::string_view rec = bytes.substr(i * kRecordSize, kRecordSize);
    addPlugin(shortString(rec, 256), shortString(rec, 0));
  }
}

std::string PluginRegistry::serialize() const {
  std::string out;
  out.reserve(records_.size() * kRecordSize);
  for (const auto& r : records_) {
    putShortString(out, r.caption);
    putShortString(out, r.fileName);
  }
  return out;
}

bool PluginRegistry::load(const std::string& path) {
  const auto bytes = readFileBytes(path);
  if (!bytes) return false;
  parse(*bytes);
  return true;
}

bool PluginRegistry::save(const std::string& path, std::string* errorText) const {
  return writeFileAtomically(path, serialize(), errorText);
}

std::vector<std::string> PluginRegistry::libraryNames(const std::string& folder, std::string_view mask) {
  std::vector<std::string> names;
  if (DIR* dir = ::opendir(folder.c_str())) {
    const std::string pattern(mask);
    while (const dirent* e = ::readdir(dir)) {
      const std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      if (::fnmatch(pattern.c_str(), name.c_str(), 0) != 0) continue;
      struct stat st {};
      if (::stat((folder + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
      names.push_back(name);
    }
    ::closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::string> PluginRegistry::scanFolder(const std::string& folder, std::string_view mask,
                                                    const VersionProbe& probe) {
  std::vector<std::string> skipped;
  for (const auto& name : libraryNames(folder, mask)) {
    const auto caption = probe(folder + name);
    if (caption) addPlugin(name, *caption);
    else skipped.push_back(name);
  }
  return skipped;
}

}  // namespace kiv
