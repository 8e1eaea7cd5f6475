#pragma once
// The file type table: for a file name extension, the program that views
// such files, the program that edits them and the colour of their names in
// the file browser. Kept in an INI file ("Dizorud/filelinx" in the parts
// folder): one section per type, named by the extension, with the keys
// Editor, Viewer and Color (a decimal 0x00BBGGRR value).
//
// Extensions are stored and looked up lower-cased (Latin and Russian
// letters), without their dot.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

struct FileType {
  std::string name;    // the extension without its dot, lower case ("txt")
  std::string viewer;  // the viewer program's path; may be empty
  std::string editor;  // the editor program's path; may be empty
  int color = 16777215;
};

class FileTypes {
 public:
  static constexpr int kDefaultColor = 16777215;  // white

  FileTypes() = default;
  // The table of the file at path (see load()).
  explicit FileTypes(std::string path);

  const std::string& path() const { return path_; }
  // Reads the file. A missing file is an empty table; a file that cannot be
  // read leaves the table empty, returns false with the reason in
  // loadError(), and is never written over by save().
  bool load();
  const std::string& loadError() const { return loadError_; }
  // Writes the whole table atomically, creating the folder when missing;
  // false with the reason in errorText when that fails.
  bool save(std::string* errorText = nullptr) const;

  // The index of the type with that key (lower-cased first), or -1.
  int indexOfExt(std::string_view key) const;
  // The type of an extension as a file name gives it (".TXT"): lower-cased,
  // the leading dot dropped; nullptr when there is none.
  const FileType* findByExt(std::string_view extension) const;
  void deleteExt(std::string_view key);
  std::vector<std::string> exts() const;
  const std::vector<FileType>& types() const { return types_; }

  // Adds a type (its name normalised, see normalizeKey). Returns why it was
  // refused, or "" when it was added.
  std::string add(FileType type);
  // Replaces the type at index (same rules; another type's name is refused).
  std::string change(int index, FileType type);

  // A typed extension as a key: spaces around, a leading "*" and "." dropped,
  // lower-cased. nullopt (with the reason in *why) for an empty one and one
  // holding "]", "/" or a line break.
  static std::optional<std::string> normalizeKey(std::string_view typed, std::string* why = nullptr);

 private:
  std::string checkNew(FileType& type, int except) const;

  std::string path_;
  std::string loadError_;
  std::vector<FileType> types_;
};

// Latin and Russian letters of a UTF-8 name in lower case (only ASCII
// letters when the name is not valid UTF-8).
std::string lowerNameCase(std::string_view name);

}  // namespace kiv
