#pragma once
// The registry of text plugins: caption and library file name of each known
// plugin, in the order they were added, and its file "plugslist.idx".
//
// The file is the records one after another, 512 bytes each, nothing before
// or after: a length byte and 255 bytes of caption, a length byte and 255
// bytes of file name (bytes past a length are zero when written and not
// looked at when read). A trailing part shorter than a record is ignored.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

struct PluginRecord {
  std::string caption;   // what the plugin's VersionInfo returned, at most 255 bytes
  std::string fileName;  // the library's name without folder, at most 255 bytes
};

class PluginRegistry {
 public:
  static constexpr std::size_t kRecordSize = 512;
  static constexpr std::size_t kMaxField = 255;
  static constexpr const char* kFileName = "plugslist.idx";
  static constexpr const char* kLibraryMask = "*.so";

  // Appends a record; each string is cut to its first 255 bytes (a UTF-8
  // string is cut before a character that would not fit whole).
  void addPlugin(std::string_view fileName, std::string_view caption);
  // The first record whose caption equals caption byte for byte.
  const PluginRecord* findByCaption(std::string_view caption) const;
  // Every caption in registry order.
  std::vector<std::string> captions() const;
  const std::vector<PluginRecord>& records() const { return records_; }
  bool empty() const { return records_.empty(); }
  void clear() { records_.clear(); }

  // Appends the records of a registry file's bytes.
  void parse(std::string_view bytes);
  // The registry as a file's bytes.
  std::string serialize() const;
  // Appends the records of the file; false when it cannot be read.
  bool load(const std::string& path);
  // Writes the registry to the file atomically; false (with the reason in
  // errorText) when that fails.
  bool save(const std::string& path, std::string* errorText = nullptr) const;

  // Asks for a library's caption; nullopt when the library is to be skipped
  // (it does not load, lacks an export, or failed while answering).
  using VersionProbe = std::function<std::optional<std::string>(const std::string& libraryPath)>;
  // Appends a record for every regular file of folder (ending in "/") whose
  // name matches mask, in name order, that the probe answers for. Returns
  // the names of the libraries that were skipped.
  std::vector<std::string> scanFolder(const std::string& folder, std::string_view mask, const VersionProbe& probe);
  // The names of the regular files of folder that match mask, in name order.
  static std::vector<std::string> libraryNames(const std::string& folder, std::string_view mask);

 private:
  std::vector<PluginRecord> records_;
};

// The string cut to at most 255 bytes (see addPlugin).
std::string cutRecordField(std::string_view s);

}  // namespace kiv
