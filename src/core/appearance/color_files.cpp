#include "core/appearance/color_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "core/common/ascii.h"
#include "core/config/ini_file.h"

namespace kiv {

namespace {

// Written in this order.
constexpr ColorFileKey kSchemeKeys[] = {
    {"FontColor", 13099690}, {"BackColor", 0}, {"SelFontColor", 13099690}, {"SelBackColor", 0}};
constexpr ColorFileKey kGradientKeys[] = {{"cpFrom", 0}, {"cpTo", 13099690}};
constexpr ColorFileKey kBrowserKeys[] = {{"Dirs", 16711680}, {"Files", 0}, {"back", 16777215}};

const ColorFileFormat kFormats[] = {
    {"ColorSet", ".pal", kSchemeKeys},
    {"Colorset", ".grd", kGradientKeys},
    {"Color", "", kBrowserKeys},
};

constexpr ColorRef kMaxColor = 0xFFFFFF;

}  // namespace

const ColorFileFormat& colorFileFormat(ColorFileKind kind) { return kFormats[static_cast<int>(kind)]; }

std::vector<ColorRef> readColorFile(const std::string& path, ColorFileKind kind) {
  const ColorFileFormat& f = colorFileFormat(kind);
  IniFile ini(path);
  std::vector<ColorRef> out;
  for (const ColorFileKey& k : f.keys) {
    const int v = ini.loadError().empty() ? ini.readInteger(f.section, k.key, k.def) : k.def;
    out.push_back(std::clamp(v, 0, kMaxColor));
  }
  return out;
}

bool writeColorFile(const std::string& path, ColorFileKind kind, std::span<const ColorRef> values) {
  const ColorFileFormat& f = colorFileFormat(kind);
  if (values.size() != f.keys.size()) return false;
  IniFile ini(path);
  if (!ini.loadError().empty()) return false;
  ini.setAutoFlush(false);
  for (std::size_t i = 0; i < values.size(); ++i) ini.writeInteger(f.section, f.keys[i].key, values[i]);
  return ini.flush();
}

ColorScheme readColorScheme(const std::string& path) {
  const auto v = readColorFile(path, ColorFileKind::Scheme);
  return {v[0], v[1], v[2], v[3]};
}

bool writeColorScheme(const std::string& path, const ColorScheme& s) {
  const std::array<ColorRef, 4> v{s.text, s.background, s.selectionText, s.selectionBackground};
  return writeColorFile(path, ColorFileKind::Scheme, v);
}

ColorScheme schemeOf(const Settings& s) {
  return {s.textColor, s.backgroundColor, s.selectionTextColor, s.selectionBackgroundColor};
}

void applyScheme(Settings& s, const ColorScheme& scheme) {
  s.textColor = scheme.text;
  s.backgroundColor = scheme.background;
  s.selectionTextColor = scheme.selectionText;
  s.selectionBackgroundColor = scheme.selectionBackground;
}

GradientPreset readGradientPreset(const std::string& path) {
  const auto v = readColorFile(path, ColorFileKind::Gradient);
  return {v[0], v[1]};
}

bool writeGradientPreset(const std::string& path, const GradientPreset& p) {
  const std::array<ColorRef, 2> v{p.from, p.to};
  return writeColorFile(path, ColorFileKind::Gradient, v);
}

BrowserColors readBrowserColors(const std::string& path) {
  const auto v = readColorFile(path, ColorFileKind::Browser);
  return {v[0], v[1], v[2]};
}

bool writeBrowserColors(const std::string& path, const BrowserColors& c) {
  const std::array<ColorRef, 3> v{c.folders, c.files, c.background};
  return writeColorFile(path, ColorFileKind::Browser, v);
}

std::vector<std::string> listColorFiles(const std::string& folder, std::string_view extension) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(fs::path(folder), ec), end;
  for (; !ec && it != end; it.increment(ec)) {
    std::error_code fec;
    if (!it->is_regular_file(fec)) continue;
    std::string name = it->path().filename().string();
    if (!extension.empty()) {
      if (name.size() <= extension.size()) continue;
      if (!equalsIgnoreAsciiCase(std::string_view(name).substr(name.size() - extension.size()), extension)) continue;
    }
    names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::string changeExtension(std::string_view name, std::string_view extension) {
  const std::size_t slash = name.find_last_of("/\\");
  const std::size_t dot = name.find_last_of('.');
  std::string_view stem = name;
  if (dot != std::string_view::npos && (slash == std::string_view::npos || dot > slash)) stem = name.substr(0, dot);
  return std::string(stem) + std::string(extension);
}

bool isPlainFileName(std::string_view name) {
  if (name.empty() || name == ".") return false;
  if (name.find_first_of("/\\") != std::string_view::npos) return false;
  if (name.find("..") != std::string_view::npos) return false;
  for (unsigned char c : name)
    if (c < 0x20 || c == 0x7F) return false;
  return true;
}

bool deleteColorFile(const std::string& folder, std::string_view name) {
  if (!isPlainFileName(name)) return false;
  std::error_code ec;
  const std::filesystem::path p = std::filesystem::path(folder) / std::string(name);
  if (!std::filesystem::is_regular_file(p, ec)) return false;
  return std::filesystem::remove(p, ec);
}

}  // namespace kiv
