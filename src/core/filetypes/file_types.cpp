#include "core/filetypes/file_types.h"

#include <filesystem>
#include <system_error>

#include "core/charsets/utf8.h"
#include "core/common/file_bytes.h"
#include "core/common/paths.h"
#include "core/config/ini_file.h"

namespace kiv {

std::string lowerNameCase(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  if (!isValidUtf8(name)) {
    for (char c : name) out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    return out;
  }
  for (std::size_t pos = 0; pos < name.size();) {
    char32_t cp = nextUtf8(name, pos);
    if (cp >= U'A' && cp <= U'Z') cp += 32;
    else if (cp >= 0x410 && cp <= 0x42F) cp += 0x20;  // А..Я
    else if (cp >= 0x400 && cp <= 0x40F) cp += 0x50;  // Ё and the other Cyrillic capitals
    appendUtf8(out, cp);
  }
  return out;
}

FileTypes::FileTypes(std::string path) : path_(std::move(path)) { load(); }

bool FileTypes::load() {
  types_.clear();
  loadError_.clear();
  if (!fileExists(path_) && !directoryExists(path_)) return true;
  IniFile ini(path_);
  if (!ini.loadError().empty()) {
    loadError_ = ini.loadError();
    return false;
  }
  for (const std::string& section : ini.sectionNames()) {
    FileType t;
    t.viewer = ini.readString(section, "Viewer", "");
    t.editor = ini.readString(section, "Editor", "");
    t.color = ini.readInteger(section, "Color", kDefaultColor);
    t.name = lowerNameCase(section);
    // A section the table could not write back (or a second spelling of
    // one already read) is left out.
    if (!IniFile::canWrite(t.name, "Viewer", "") || indexOfExt(t.name) >= 0) continue;
    types_.push_back(std::move(t));
  }
  return true;
}

bool FileTypes::save(std::string* errorText) const {
  if (!loadError_.empty()) {
    if (errorText) *errorText = loadError_;
    return false;
  }
  std::error_code ec;
  const std::string folder = fileFolder(path_);
  if (!folder.empty()) std::filesystem::create_directories(folder, ec);
  IniFile ini;
  ini.setAutoFlush(false);
  for (const FileType& t : types_) {
    ini.writeString(t.name, "Editor", t.editor);
    ini.writeString(t.name, "Viewer", t.viewer);
    ini.writeInteger(t.name, "Color", t.color);
  }
  return writeFileAtomically(path_, ini.serialize(), errorText);
}

int FileTypes::indexOfExt(std::string_view key) const {
  const std::string lower = lowerNameCase(key);
  for (std::size_t i = 0; i < types_.size(); ++i)
    if (types_[i].name == lower) return static_cast<int>(i);
  return -1;
}

const FileType* FileTypes::findByExt(std::string_view extension) const {
  if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
  const int i = indexOfExt(extension);
  return i < 0 ? nullptr : &types_[static_cast<std::size_t>(i)];
}

void FileTypes::deleteExt(std::string_view key) {
  const int i = indexOfExt(key);
  if (i >= 0) types_.erase(types_.begin() + i);
}

std::vector<std::string> FileTypes::exts() const {
  std::vector<std::string> out;
  for (const auto& t : types_) out.push_back(t.name);
  return out;
}

std::optional<std::string> FileTypes::normalizeKey(std::string_view typed, std::string* why) {
  auto refuse = [why](const char* text) -> std::optional<std::string> {
    if (why) *why = text;
    return std::nullopt;
  };
  if (typed.find_first_of("\r\n") != std::string_view::npos) return refuse("Расширение не может содержать перевод строки.");
  while (!typed.empty() && (typed.front() == ' ' || typed.front() == '\t')) typed.remove_prefix(1);
  while (!typed.empty() && (typed.back() == ' ' || typed.back() == '\t')) typed.remove_suffix(1);
  if (!typed.empty() && typed.front() == '*') typed.remove_prefix(1);
  if (!typed.empty() && typed.front() == '.') typed.remove_prefix(1);
  if (typed.empty()) return refuse("Введите расширение: например, TXT (без точки, без *).");
  if (typed.find(']') != std::string_view::npos) return refuse("Расширение не может содержать «]».");
  if (typed.find('/') != std::string_view::npos) return refuse("Расширение не может содержать «/».");
  const std::string key = lowerNameCase(typed);
  if (!IniFile::canWrite(key, "Viewer", "")) return refuse("Такое расширение нельзя записать в таблицу типов файлов.");
  return key;
}

std::string FileTypes::checkNew(FileType& type, int except) const {
  std::string why;
  const auto key = normalizeKey(type.name, &why);
  if (!key) return why;
  const int existing = indexOfExt(*key);
  if (existing >= 0 && existing != except) return "Тип файлов «" + *key + "» уже есть в таблице.";
  for (const std::string* path : {&type.viewer, &type.editor})
    if (path->find_first_of("\r\n") != std::string::npos) return "Путь к программе не может содержать перевод строки.";
  type.name = *key;
  return {};
}

std::string FileTypes::add(FileType type) {
  std::string why = checkNew(type, -1);
  if (why.empty()) types_.push_back(std::move(type));
  return why;
}

std::string FileTypes::change(int index, FileType type) {
  if (index < 0 || index >= static_cast<int>(types_.size())) return "Нет такого типа файлов.";
  std::string why = checkNew(type, index);
  if (why.empty()) types_[static_cast<std::size_t>(index)] = std::move(type);
  return why;
}

}  // namespace kiv
