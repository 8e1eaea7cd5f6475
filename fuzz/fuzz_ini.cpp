// The settings file: arbitrary text as kiv.ini, then arbitrary writes.
// The input is the file's text, optionally followed by a 0xFF byte and write
// requests (section, key, value separated by 0xFE bytes).
//  - Parsing never crashes; the rewritten text parses back to itself, with
//    every key reading the same.
//  - Every number of the settings table lands inside its limits; writing
//    the settings back (with the numbers brought into their limits) and
//    reading them again gives the same record and nothing out of limits.
//  - The recent-files list holds at most its capacity, no empty name, and
//    reads back the same after it is written.
//  - A write is done exactly when canWrite allows it; a refused write
//    changes nothing, a done one reads back exactly after a fresh parse.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/ini_file.h"
#include "core/config/recent_files.h"
#include "core/config/settings_table.h"
#include "fuzz_check.h"

namespace {

using kiv::Configuration;
using kiv::IniFile;

// Every field of the table as text, in table order.
std::string snapshot(Configuration& cfg) {
  std::string out;
  for (const auto& k : kiv::settingsTable()) {
    std::visit(
        [&](const auto& t) {
          using T = std::decay_t<decltype(t)>;
          if constexpr (std::is_same_v<T, kiv::StringKey>) out += t.field(cfg);
          else out += std::to_string(static_cast<int>(t.field(cfg)));
        },
        k.type);
    out += '\x01';
  }
  return out;
}

bool insideLimits(const kiv::SettingKey& k, Configuration& cfg) {
  if (const auto* i = std::get_if<kiv::IntKey>(&k.type)) return i->field(cfg) >= i->min && i->field(cfg) <= i->max;
  if (const auto* b = std::get_if<kiv::ByteKey>(&k.type)) return b->field(cfg) >= b->min && b->field(cfg) <= b->max;
  return true;
}

std::vector<std::string_view> split(std::string_view s, char sep) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = s.find(sep, start);
    parts.push_back(s.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view in(reinterpret_cast<const char*>(data), size);
  const std::size_t cut = in.find('\xFF');
  const std::string_view text = in.substr(0, cut);

  IniFile ini;
  ini.setAutoFlush(false);
  ini.parse(text);
  const std::string written = ini.serialize();
  IniFile again;
  again.setAutoFlush(false);
  again.parse(written);
  FUZZ_CHECK(again.serialize() == written);
  for (const auto& section : ini.sectionNames()) {
    FUZZ_CHECK(again.hasSection(section));
    for (const auto& key : ini.keysOf(section))
      FUZZ_CHECK(again.readString(section, key, "\n") == ini.readString(section, key, "\r"));
  }

  Configuration cfg;
  const auto clamped = kiv::readSettings(ini, cfg);
  for (const auto& k : kiv::settingsTable()) FUZZ_CHECK(insideLimits(k, cfg));
  const auto refused = kiv::writeSettings(again, cfg, clamped);
  FUZZ_CHECK(refused.empty());  // nothing read from a file holds a line break
  Configuration back;
  FUZZ_CHECK(kiv::readSettings(again, back).empty());
  FUZZ_CHECK(snapshot(back) == snapshot(cfg));

  kiv::RecentFiles recent;
  recent.read(ini);
  FUZZ_CHECK(recent.size() <= static_cast<std::size_t>(recent.capacity()));
  for (const auto& e : recent.entries()) FUZZ_CHECK(!e.fileName.empty());
  recent.write(again);
  IniFile reread;
  reread.parse(again.serialize());
  kiv::RecentFiles recentBack;
  FUZZ_CHECK(recentBack.read(reread) == 0);
  FUZZ_CHECK(recentBack.size() == recent.size());
  for (std::size_t i = 0; i < recent.size(); ++i) {
    FUZZ_CHECK(recentBack.entries()[i].fileName == recent.entries()[i].fileName);
    FUZZ_CHECK(recentBack.entries()[i].number == recent.entries()[i].number);
  }

  if (cut == std::string_view::npos) return 0;
  const auto parts = split(in.substr(cut + 1), '\xFE');
  for (std::size_t i = 0; i + 2 < parts.size(); i += 3) {
    const std::string before = ini.serialize();
    const bool allowed = IniFile::canWrite(parts[i], parts[i + 1], parts[i + 2]);
    FUZZ_CHECK(ini.writeString(parts[i], parts[i + 1], parts[i + 2]) == allowed);
    if (!allowed) {
      FUZZ_CHECK(ini.serialize() == before);
      continue;
    }
    IniFile fresh;
    fresh.parse(ini.serialize());
    FUZZ_CHECK(fresh.readString(parts[i], parts[i + 1], "\n") == parts[i + 2]);
    FUZZ_CHECK(fresh.serialize() == ini.serialize());
  }
  return 0;
}
