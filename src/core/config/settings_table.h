#pragma once
// The typed table of "kiv.ini" keys: section, key, type, default, the limits
// of a number, the field it fills, and whether exit writes it. Start-up
// reads the table in its order; exit writes the keys in its own order
// (exitOrder). A number read from the file is brought into its limits, so
// that no hand-edited value can make the program allocate, loop or wait
// without end; the options dialog uses the same limits.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/config/ini_file.h"
#include "core/config/settings.h"

namespace kiv {

struct BoolKey {
  bool& (*field)(Configuration&);
  bool def;
};
// Limits shared by several keys.
inline constexpr int kColorMax = 0xFFFFFF;  // COLORREF 0x00BBGGRR
inline constexpr int kMinFontSize = 4;
inline constexpr int kMaxFontSize = 96;
// Window sides and positions; the main window is further fitted to the
// screen when it is placed.
inline constexpr int kMaxWindowSide = 8192;
inline constexpr int kMaxWindowPosition = 8192;

struct IntKey {
  int& (*field)(Configuration&);
  int def;
  int min;
  int max;
};
// A byte field takes the number read modulo 256, then its limits.
struct ByteKey {
  std::uint8_t& (*field)(Configuration&);
  std::uint8_t def;
  std::uint8_t min;
  std::uint8_t max;
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
// value (the dialogs' folders) keep the record's value. Returns the keys
// whose numbers lay outside their limits and were brought into them.
std::vector<const SettingKey*> readSettings(const IniFile& ini, Configuration& cfg);

// Writes every exit key in exit order, then `alsoWrite` (keys that exit does
// not write by itself, such as numbers brought into their limits at start),
// inside one batch. Returns the keys that the file refused (a value with a
// line break); they keep their old value in the file.
std::vector<const SettingKey*> writeSettings(IniFile& ini, Configuration& cfg,
                                             std::span<const SettingKey* const> alsoWrite = {});

// The table entry for a key (case-insensitive), or nullptr.
const SettingKey* findSetting(std::string_view section, std::string_view key);

// Reads or writes a single key of the table (used by the options dialog).
// readSetting returns true when the number read lay outside its limits;
// writeSetting false when the file refused the value.
bool readSetting(const IniFile& ini, const SettingKey& k, Configuration& cfg);
bool writeSetting(IniFile& ini, const SettingKey& k, std::string_view spelling, Configuration& cfg);

}  // namespace kiv
