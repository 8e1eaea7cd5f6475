#include "core/config/ini_file.h"

#include "core/common/ascii.h"
#include "core/common/file_bytes.h"

namespace kiv {

namespace {
std::string cleanValue(std::string_view v) {
  // A line break inside a value would split the line; store it as a blank.
  std::string s(v);
  for (auto& c : s)
    if (c == '\r' || c == '\n') c = ' ';
  return s;
}
}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) { load(); }

bool IniFile::load() {
  preamble_.clear();
  sections_.clear();
  dirty_ = false;
  auto data = readFileBytes(path_);
  if (!data) return false;
  parse(*data);
  return true;
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

void IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
  Section* s = findSection(section);
  if (!s) {
    sections_.push_back(Section{std::string(section), {}});
    s = &sections_.back();
  }
  for (auto& l : s->lines) {
    if (!l.raw && equalsIgnoreAsciiCase(l.key, key)) {
      l.value = cleanValue(value);
      changed();
      return;
    }
  }
  // New keys go after the section's last key, before trailing blank lines.
  auto it = s->lines.end();
  while (it != s->lines.begin() && std::prev(it)->raw && trimAsciiSpace(std::prev(it)->value).empty()) --it;
  s->lines.insert(it, Line{std::string(key), cleanValue(value), false});
  changed();
}

void IniFile::writeInteger(std::string_view section, std::string_view key, int value) {
  writeString(section, key, std::to_string(value));
}

void IniFile::writeBool(std::string_view section, std::string_view key, bool value) {
  writeString(section, key, value ? "1" : "0");
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
  for (const auto& s : sections_) {
    bool seen = false;
    for (const auto& n : names) seen = seen || equalsIgnoreAsciiCase(n, s.name);
    if (!seen) names.push_back(s.name);
  }
  return names;
}

std::vector<std::string> IniFile::keysOf(std::string_view section) const {
  std::vector<std::string> keys;
  const Section* s = findSection(section);
  if (!s) return keys;
  for (const auto& l : s->lines) {
    if (l.raw) continue;
    bool seen = false;
    for (const auto& k : keys) seen = seen || equalsIgnoreAsciiCase(k, l.key);
    if (!seen) keys.push_back(l.key);
  }
  return keys;
}

}  // namespace kiv
