#include "core/config/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <set>

#include "core/common/ascii.h"
#include "core/common/file_bytes.h"

namespace kiv {

namespace {

std::string reasonOf(int error) {
  switch (error) {
    case EACCES:
    case EPERM: return "нет прав на чтение";
    case EIO: return "ошибка ввода-вывода";
    case ELOOP: return "символические ссылки зациклены";
    case ENAMETOOLONG: return "слишком длинное имя";
    default: return std::string("ошибка чтения (") + std::strerror(error) + ")";
  }
}

std::string tooLarge() { return "файл больше " + std::to_string(IniFile::kMaxFileSize >> 20) + " МБ"; }

// Reads the whole settings file. A missing file gives empty data; a file
// that is there but cannot be read gives false and the reason.
bool readSettingsFile(const std::string& path, std::string& data, std::string& why) {
  data.clear();
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return true;
    why = reasonOf(errno);
    return false;
  }
  if (S_ISDIR(st.st_mode)) {
    why = "это папка, а не файл";
    return false;
  }
  // A pipe or a device could block the start or never end.
  if (!S_ISREG(st.st_mode)) {
    why = "это не обычный файл";
    return false;
  }
  if (static_cast<std::uint64_t>(st.st_size) > IniFile::kMaxFileSize) {
    why = tooLarge();
    return false;
  }
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    why = reasonOf(errno);
    return false;
  }
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    why = "это не обычный файл";
    return false;
  }
  char buf[1 << 16];
  for (;;) {
    const ssize_t got = ::read(fd, buf, sizeof buf);
    if (got < 0) {
      if (errno == EINTR) continue;
      why = reasonOf(errno);
      ::close(fd);
      return false;
    }
    if (got == 0) break;
    data.append(buf, static_cast<std::size_t>(got));
    if (data.size() > IniFile::kMaxFileSize) {
      why = tooLarge();
      ::close(fd);
      data.clear();
      return false;
    }
  }
  ::close(fd);
  return true;
}

bool hasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

bool isTrimmed(std::string_view s) { return trimAsciiSpace(s).size() == s.size(); }

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) { load(); }

bool IniFile::load() {
  preamble_.clear();
  sections_.clear();
  dirty_ = false;
  loadError_.clear();
  std::string data;
  if (!readSettingsFile(path_, data, loadError_)) {
    if (loadError_.empty()) loadError_ = reasonOf(EIO);
    return false;
  }
  parse(data);
  return true;
}

bool IniFile::canWrite(std::string_view section, std::string_view key, std::string_view value) {
  if (hasLineBreak(section) || hasLineBreak(key) || hasLineBreak(value)) return false;
  if (section.find(']') != std::string_view::npos || !isTrimmed(section)) return false;
  if (key.empty() || key.find('=') != std::string_view::npos || !isTrimmed(key)) return false;
  return key.front() != ';' && key.front() != '[';
}

void IniFile::parse(std::string_view text) {
  preamble_.clear();
  sections_.clear();
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;

    std::string_view trimmed = trimAsciiSpace(line);
    auto& target = sections_.empty() ? preamble_ : sections_.back().lines;
    if (!trimmed.empty() && trimmed.front() == '[') {
      auto close = trimmed.find(']');
      std::string_view name = trimmed.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1);
      sections_.push_back(Section{std::string(trimAsciiSpace(name)), {}});
      continue;
    }
    const auto eq = line.find('=');
    if (trimmed.empty() || trimmed.front() == ';' || eq == std::string_view::npos) {
      target.push_back(Line{{}, std::string(line), true});
      continue;
    }
    std::string_view key = trimAsciiSpace(line.substr(0, eq));
    if (key.empty()) {
      target.push_back(Line{{}, std::string(line), true});
      continue;
    }
    target.push_back(Line{std::string(key), std::string(line.substr(eq + 1)), false});
  }
}

std::string IniFile::serialize() const {
  std::string out;
  auto emit = [&out](const Line& l) {
    if (l.raw) {
      out += l.value;
    } else {
      out += l.key;
      out += '=';
      out += l.value;
    }
    out += "\r\n";
  };
  for (const auto& l : preamble_) emit(l);
  for (const auto& s : sections_) {
    out += '[';
    out += s.name;
    out += "]\r\n";
    for (const auto& l : s.lines) emit(l);
  }
  return out;
}

bool IniFile::flush() {
  dirty_ = false;
  if (!loadError_.empty()) {
    // The file on disk was never read: writing would replace it with defaults.
    lastFlushFailed_ = true;
    return false;
  }
  lastFlushFailed_ = path_.empty() || !writeFileAtomically(path_, serialize());
  return !lastFlushFailed_;
}

void IniFile::changed() {
  dirty_ = true;
  if (autoFlush_ && batchDepth_ == 0) flush();
}

IniFile::Section* IniFile::findSection(std::string_view name) {
  for (auto& s : sections_)
    if (equalsIgnoreAsciiCase(s.name, name)) return &s;
  return nullptr;
}

const IniFile::Section* IniFile::findSection(std::string_view name) const {
  for (const auto& s : sections_)
    if (equalsIgnoreAsciiCase(s.name, name)) return &s;
  return nullptr;
}

const IniFile::Line* IniFile::findKey(std::string_view section, std::string_view key) const {
  const Section* s = findSection(section);
  if (!s) return nullptr;
  for (const auto& l : s->lines)
    if (!l.raw && equalsIgnoreAsciiCase(l.key, key)) return &l;
  return nullptr;
}

bool IniFile::hasSection(std::string_view section) const { return findSection(section) != nullptr; }

bool IniFile::hasKey(std::string_view section, std::string_view key) const {
  return findKey(section, key) != nullptr;
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view def) const {
  const Line* l = findKey(section, key);
  return l ? l->value : std::string(def);
}

int IniFile::readInteger(std::string_view section, std::string_view key, int def) const {
  const Line* l = findKey(section, key);
  int v = 0;
  return (l && parseInt32(l->value, v)) ? v : def;
}

bool IniFile::readBool(std::string_view section, std::string_view key, bool def) const {
  return readInteger(section, key, def ? 1 : 0) != 0;
}

bool IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
  if (!canWrite(section, key, value)) return false;
  Section* s = findSection(section);
  if (!s) {
    sections_.push_back(Section{std::string(section), {}});
    s = &sections_.back();
  }
  for (auto& l : s->lines) {
    if (!l.raw && equalsIgnoreAsciiCase(l.key, key)) {
      l.value = std::string(value);
      changed();
      return true;
    }
  }
  // New keys go after the section's last key, before trailing blank lines.
  auto it = s->lines.end();
  while (it != s->lines.begin() && std::prev(it)->raw && trimAsciiSpace(std::prev(it)->value).empty()) --it;
  s->lines.insert(it, Line{std::string(key), std::string(value), false});
  changed();
  return true;
}

bool IniFile::writeInteger(std::string_view section, std::string_view key, int value) {
  return writeString(section, key, std::to_string(value));
}

bool IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
  return writeString(section, key, value ? "1" : "0");
}

void IniFile::eraseSection(std::string_view section) {
  bool any = false;
  for (auto it = sections_.begin(); it != sections_.end();) {
    if (equalsIgnoreAsciiCase(it->name, section)) {
      it = sections_.erase(it);
      any = true;
    } else {
      ++it;
    }
  }
  if (any) changed();
}

void IniFile::deleteKey(std::string_view section, std::string_view key) {
  Section* s = findSection(section);
  if (!s) return;
  for (auto it = s->lines.begin(); it != s->lines.end(); ++it) {
    if (!it->raw && equalsIgnoreAsciiCase(it->key, key)) {
      s->lines.erase(it);
      changed();
      return;
    }
  }
}

std::vector<std::string> IniFile::sectionNames() const {
  std::vector<std::string> names;
  std::set<std::string> seen;
  for (const auto& s : sections_)
    if (seen.insert(asciiLowerCopy(s.name)).second) names.push_back(s.name);
  return names;
}

std::vector<std::string> IniFile::keysOf(std::string_view section) const {
  std::vector<std::string> keys;
  const Section* s = findSection(section);
  if (!s) return keys;
  std::set<std::string> seen;
  for (const auto& l : s->lines)
    if (!l.raw && seen.insert(asciiLowerCopy(l.key)).second) keys.push_back(l.key);
  return keys;
}

}  // namespace kiv
