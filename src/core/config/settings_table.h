#pragma once
// The typed table of "kiv.ini" keys: section, key, type, default, the field
// it fills, and whether exit writes it. Start-up reads the table in its
// order; exit writes the keys in its own order (exitOrder).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "core/config/ini_file.h"
#include "core/config/settings.h"

namespace kiv {

struct BoolKey {
  bool& (*field)(Configuration&);
  bool def;
};
struct IntKey {
  int& (*field)(Configuration&);
  int def;
};
struct ByteKey {
  std::uint8_t& (*field)(Configuration&);
  std::uint8_t def;
};
struct StringKey {
  std::string& (*field)(Configuration&);
  const char* def;  // nullptr: the default is the field's value before reading
};

struct SettingKey {
  std::string_view section;
  std::string_view key;
  std::variant<BoolKey, IntKey, ByteKey, StringKey> type;
  bool writtenAtExit;
};

// Keys read at start, in reading order.
std::span<const SettingKey> settingsTable();

// Keys written at exit, in writing order, as (section, key) pairs. The key
// text is the spelling written to the file.
struct ExitKey {
  std::string_view section;
  std::string_view key;
};
std::span<const ExitKey> exitOrder();

// Fills the record from the file. Defaults whose table entry has no fixed
// value (the dialogs' folders, window bounds) keep the record's value.
void readSettings(const IniFile& ini, Configuration& cfg);

// Writes every exit key in exit order (inside one batch).
void writeSettings(IniFile& ini, Configuration& cfg);

// The table entry for a key (case-insensitive), or nullptr.
const SettingKey* findSetting(std::string_view section, std::string_view key);

// Reads or writes a single key of the table (used by the options dialog).
void readSetting(const IniFile& ini, const SettingKey& k, Configuration& cfg);
void writeSetting(IniFile& ini, const SettingKey& k, std::string_view spelling, Configuration& cfg);

}  // namespace kiv
