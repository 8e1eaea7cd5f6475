#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <optional>
#include <set>

#include "core/common/ascii.h"
#include "core/config/recent_files.h"
#include "core/config/settings_table.h"
#include "core/transfer/transfer_encodings.h"

using namespace kiv;

TEST(SettingsTable, EmptyFileGivesDefaults) {
  IniFile ini;
  ini.setAutoFlush(false);
  Configuration cfg;
  cfg.session.lastOpenFolder = "/prog/";
  readSettings(ini, cfg);
  const Settings fresh;
  EXPECT_EQ(cfg.settings.autoScrollInterval, 2500);
  EXPECT_EQ(cfg.settings.recentFilesCount, 25);
  EXPECT_EQ(cfg.settings.gutterFill.kind, 2);
  EXPECT_EQ(cfg.settings.gutterFill.plainColor, 16724212);
  EXPECT_EQ(cfg.settings.textAreaFill.kind, 0);
  EXPECT_EQ(cfg.settings.versions.namePrefix, "version");
  EXPECT_TRUE(cfg.settings.versions.saveInSameFolder);
  EXPECT_EQ(cfg.settings.dosFont, "Terminal");
  EXPECT_EQ(cfg.settings.quoteChar, "\"");
  EXPECT_EQ(cfg.settings.codeTablesFolder, "Engine\\Tables\\");
  EXPECT_EQ(cfg.session.lastOpenFolder, "/prog/");  // the program folder stays the default
  EXPECT_EQ(cfg.session.mainWindow.width, 802);
  EXPECT_EQ(cfg.session.documentsWindow.height, 200);
  EXPECT_EQ(cfg.settings.browserFolderColor, fresh.browserFolderColor);
}

TEST(SettingsTable, BadNumbersAndBytes) {
  IniFile ini;
  ini.setAutoFlush(false);
  ini.parse("[Fonts]\r\nKOI8Size=256\r\nWINSize=-2\r\nDOSSize=x\r\n[Main]\r\nWordWrap=0\r\nShowSplash=5\r\n"
            "autoindent=2.5\r\n[Editor]\r\nGradientMode=513\r\n");
  Configuration cfg;
  readSettings(ini, cfg);
  // Modulo 256 first (0 and 254), then the font size limits.
  EXPECT_EQ(cfg.settings.koiFontSize, kMinFontSize);
  EXPECT_EQ(cfg.settings.winFontSize, kMaxFontSize);
  EXPECT_EQ(cfg.settings.dosFontSize, 10);
  EXPECT_FALSE(cfg.settings.wordWrap);
  EXPECT_TRUE(cfg.settings.showSplash);  // any non-zero number is true
  EXPECT_EQ(cfg.settings.blockIndent, 1);
  EXPECT_EQ(cfg.settings.textAreaFill.gradientMode, 1);
}

TEST(SettingsTable, EveryWrittenKeyIsInTheTableOnceAndExitOnlyWritesExitKeys) {
  std::set<std::string> seen;
  for (const auto& e : exitOrder()) {
    const SettingKey* k = findSetting(e.section, e.key);
    ASSERT_NE(k, nullptr) << e.section << "/" << e.key;
    EXPECT_TRUE(k->writtenAtExit) << e.key;
    EXPECT_TRUE(seen.insert(asciiLowerCopy(std::string(e.section) + "/" + std::string(e.key))).second) << e.key;
  }
  for (const auto& k : settingsTable()) {
    if (k.writtenAtExit) {
      EXPECT_TRUE(seen.count(asciiLowerCopy(std::string(k.section) + "/" + std::string(k.key)))) << k.key;
    }
  }
}

TEST(SettingsTable, WriteThenReadRoundTrips) {
  Configuration cfg;
  cfg.settings.rightMargin = 90;
  cfg.settings.textAreaFill.picture = "/home/u/обои.png";
  cfg.settings.koiFontSize = 72;
  cfg.settings.keyClickSound = true;
  cfg.session.lastOpenFolder = "/docs/";
  cfg.session.writeLastFolders = true;
  IniFile ini;
  ini.setAutoFlush(false);
  writeSettings(ini, cfg);
  EXPECT_TRUE(ini.hasKey("Sounds", "key"));
  Configuration back;
  readSettings(ini, back);
  EXPECT_EQ(back.settings.rightMargin, 90);
  EXPECT_EQ(back.settings.textAreaFill.picture, "/home/u/обои.png");
  EXPECT_EQ(back.settings.koiFontSize, 72);
  EXPECT_TRUE(back.settings.keyClickSound);
  EXPECT_EQ(back.session.lastOpenFolder, "/docs/");
  // Not written when the dialogs' folders are to be kept.
  IniFile ini2;
  ini2.setAutoFlush(false);
  cfg.session.writeLastFolders = false;
  writeSettings(ini2, cfg);
  EXPECT_FALSE(ini2.hasKey("Main", "LastOpenDir"));
  EXPECT_FALSE(ini2.hasKey("Main", "SpacesPerTab"));
}

TEST(Settings, FoldersFromProgramFolder) {
  Settings t;
  buildFolders(t, "/opt/kiv/", "Engine\\Tables\\");
  EXPECT_EQ(t.codeTablesFolder, "/opt/kiv/Engine/Tables/");
  EXPECT_EQ(t.partsFolder, "/opt/kiv/Engine/Parts/");
  buildFolders(t, "/opt/kiv/", "My\\Codes");
  EXPECT_EQ(t.codeTablesFolder, "/opt/kiv/My/Codes/");
  t.spacesPerTab = -3;
  EXPECT_EQ(t.tabWidth(), 0);
}

TEST(RecentFiles, AddMovesToTopAndCapacityDropsOldest) {
  RecentFiles r(3);
  r.add("/a", 1);
  r.add("/b", 2);
  r.add("/c", 3);
  r.add("/a", 10);
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r.entries()[0].fileName, "/a");
  EXPECT_EQ(r.entries()[0].number, 10);
  r.add("/d", 0);
  EXPECT_EQ(r.entries().back().fileName, "/c");  // "/b" was the oldest
  r.add("/A", 0);  // names are compared exactly
  EXPECT_EQ(r.entries()[0].fileName, "/A");
  r.setCapacity(1);
  EXPECT_EQ(r.size(), 1u);
}

TEST(RecentFiles, ReadsFromCapacityDownAndWritesErasingSection) {
  IniFile ini;
  ini.setAutoFlush(false);
  ini.parse("[Recent]\r\nItem_0=/zero\r\nUser_0=5\r\nItem_1=/one\r\nItem_2=\r\nItem_3=/zero\r\nItem_9=/far\r\n");
  RecentFiles r(4);
  r.read(ini);
  // Index 3 repeats index 0: the later read (index 0) moves it to the top.
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r.entries()[0].fileName, "/zero");
  EXPECT_EQ(r.entries()[0].number, 5);
  EXPECT_EQ(r.entries()[1].fileName, "/one");
  r.write(ini);
  EXPECT_EQ(ini.keysOf("Recent"), (std::vector<std::string>{"Item_0", "User_0", "Item_1"}));
  RecentFiles empty(4);
  empty.write(ini);
  EXPECT_FALSE(ini.hasSection("Recent"));
}

namespace {
// The limits of a numeric table entry, or nullopt for a bool or a string.
std::optional<std::pair<int, int>> limitsOf(const SettingKey& k) {
  if (const auto* i = std::get_if<IntKey>(&k.type)) return std::pair{i->min, i->max};
  if (const auto* b = std::get_if<ByteKey>(&k.type)) return std::pair{int(b->min), int(b->max)};
  return std::nullopt;
}
int fieldOf(const SettingKey& k, Configuration& cfg) {
  if (const auto* i = std::get_if<IntKey>(&k.type)) return i->field(cfg);
  return std::get<ByteKey>(k.type).field(cfg);
}
int defaultOf(const SettingKey& k) {
  if (const auto* i = std::get_if<IntKey>(&k.type)) return i->def;
  return std::get<ByteKey>(k.type).def;
}
}  // namespace

TEST(SettingsTable, EveryNumberHasLimitsAroundItsDefault) {
  int numbers = 0;
  for (const auto& k : settingsTable()) {
    const auto limits = limitsOf(k);
    if (!limits) continue;
    ++numbers;
    EXPECT_LE(limits->first, defaultOf(k)) << k.section << "/" << k.key;
    EXPECT_LE(defaultOf(k), limits->second) << k.section << "/" << k.key;
  }
  EXPECT_GT(numbers, 50);
}

// Any number at all in the file ends inside the key's limits; a number
// outside them is reported for writing back, one inside is kept as it is.
TEST(SettingsTable, EveryNumberIsBroughtIntoItsLimits) {
  const std::vector<long long> hostile = {INT_MAX, INT_MIN, 2000000000, -1, 0, 1, 255, 256, 300, 100000};
  for (const auto& k : settingsTable()) {
    const auto limits = limitsOf(k);
    if (!limits) continue;
    for (long long v : hostile) {
      IniFile ini;
      ini.setAutoFlush(false);
      ini.parse("[" + std::string(k.section) + "]\r\n" + std::string(k.key) + "=" + std::to_string(v) + "\r\n");
      Configuration cfg;
      const auto clamped = readSettings(ini, cfg);
      const int got = fieldOf(k, cfg);
      const long long seen = std::holds_alternative<ByteKey>(k.type) ? (v & 0xFF) : v;
      const bool inside = seen >= limits->first && seen <= limits->second;
      EXPECT_GE(got, limits->first) << k.section << "/" << k.key << "=" << v;
      EXPECT_LE(got, limits->second) << k.section << "/" << k.key << "=" << v;
      if (inside) EXPECT_EQ(got, seen) << k.section << "/" << k.key << "=" << v;
      else EXPECT_EQ(got, seen < limits->first ? limits->first : limits->second) << k.section << "/" << k.key;
      const bool reported = std::find(clamped.begin(), clamped.end(), &k) != clamped.end();
      EXPECT_EQ(reported, !inside) << k.section << "/" << k.key << "=" << v;
    }
  }
}

TEST(SettingsTable, NamedLimits) {
  struct Case {
    const char* text;
    int Settings::*field;
    int expected;
  };
  const std::vector<Case> cases = {
      {"[Main]\r\nSpacesPerTab=2000000000\r\n", &Settings::spacesPerTab, 32},
      {"[Main]\r\nSpacesPerTab=0\r\n", &Settings::spacesPerTab, 1},
      {"[Main]\r\nRMargin=-5\r\n", &Settings::rightMargin, 1},
      {"[Main]\r\nRMargin=1001\r\n", &Settings::rightMargin, 1000},
      {"[Autoscroll]\r\nTime=0\r\n", &Settings::autoScrollInterval, 10},
      {"[Autoscroll]\r\nLinesPerTime=-3\r\n", &Settings::autoScrollLines, 1},
      {"[Main]\r\nMRUItemsCount=1000000\r\n", &Settings::recentFilesCount, 100},
      {"[Main]\r\nChildW=2147483647\r\n", &Settings::documentWidth, kMaxWindowSide},
      {"[Main]\r\nautoindent=0\r\n", &Settings::blockIndent, 1},
      {"[Main]\r\nBGColor=-1\r\n", &Settings::backgroundColor, 0},
      {"[FileBox]\r\nCols=999\r\n", &Settings::browserColumns, 16},
  };
  for (const auto& c : cases) {
    IniFile ini;
    ini.setAutoFlush(false);
    ini.parse(c.text);
    Configuration cfg;
    readSettings(ini, cfg);
    EXPECT_EQ(cfg.settings.*c.field, c.expected) << c.text;
  }
  IniFile ini;
  ini.setAutoFlush(false);
  ini.parse("[Main]\r\nW=2147483647\r\nH=2147483647\r\n[Fonts]\r\nDOSSize=300\r\nWINSize=200\r\n"
            "[Gutter]\r\nwidth=100000\r\nGFillOption=7\r\n");
  Configuration cfg;
  readSettings(ini, cfg);
  EXPECT_EQ(cfg.session.mainWindow.width, kMaxWindowSide);
  EXPECT_EQ(cfg.session.mainWindow.height, kMaxWindowSide);
  EXPECT_EQ(cfg.settings.dosFontSize, 44);  // 300 modulo 256
  EXPECT_EQ(cfg.settings.winFontSize, kMaxFontSize);
  EXPECT_EQ(cfg.settings.gutterFill.width, 256);
  EXPECT_EQ(cfg.settings.gutterFill.kind, 2);
}

TEST(SettingsTable, NumbersBroughtIntoLimitsAreWrittenBack) {
  IniFile ini;
  ini.setAutoFlush(false);
  ini.parse("[Main]\r\nSpacesPerTab=2000000000\r\nRMargin=0\r\n");
  Configuration cfg;
  const auto clamped = readSettings(ini, cfg);
  ASSERT_EQ(clamped.size(), 2u);
  // Exit does not write SpacesPerTab by itself; a number brought into its
  // limits is written back all the same.
  writeSettings(ini, cfg);
  EXPECT_EQ(ini.readString("Main", "SpacesPerTab", ""), "2000000000");
  EXPECT_EQ(ini.readString("Main", "RMargin", ""), "1");
  writeSettings(ini, cfg, clamped);
  EXPECT_EQ(ini.readString("Main", "SpacesPerTab", ""), "32");
  Configuration again;
  EXPECT_TRUE(readSettings(ini, again).empty());
}

TEST(SettingsTable, ValuesWithLineBreaksAreRefusedAndReported) {
  IniFile ini;
  ini.setAutoFlush(false);
  ini.parse("[Main]\r\nLastOpenDir=/old/\r\n");
  Configuration cfg;
  readSettings(ini, cfg);
  cfg.session.lastOpenFolder = "/new\r\n[Main]\r\nSpacesPerTab=2000000000\r\n/";
  cfg.session.lastSaveFolder = "/fine/";
  cfg.session.writeLastFolders = true;
  const auto refused = writeSettings(ini, cfg);
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_EQ(refused[0]->key, "LastOpenDir");
  EXPECT_EQ(ini.readString("Main", "LastOpenDir", ""), "/old/");
  EXPECT_EQ(ini.readString("Main", "LastSaveDir", ""), "/fine/");
  EXPECT_FALSE(ini.hasKey("Main", "SpacesPerTab"));
}

TEST(Settings, FitBoundsKeepsTheWindowOnTheArea) {
  struct Case {
    WindowBounds in, area, out;  // top, left, width, height
  };
  const std::vector<Case> cases = {
      {{60, 163, 802, 644}, {0, 0, 1920, 1080}, {60, 163, 802, 644}},
      {{60, 163, 802, 644}, {0, 0, 800, 600}, {0, 0, 800, 600}},
      {{0, 0, INT_MAX, INT_MAX}, {0, 0, 1920, 1040}, {0, 0, 1920, 1040}},
      {{INT_MAX, INT_MIN, 300, 200}, {0, 0, 1920, 1040}, {840, 0, 300, 200}},
      {{-50, 1900, 300, 200}, {30, 1920, 1280, 1024}, {30, 1920, 300, 200}},  // second screen
      {{900, 3000, 300, 200}, {30, 1920, 1280, 1024}, {854, 2900, 300, 200}},
      {{10, 10, 300, 200}, {0, 0, 0, 0}, {10, 10, 300, 200}},  // no screen: unchanged
  };
  for (const auto& c : cases) {
    const WindowBounds b = fitBounds(c.in, c.area);
    EXPECT_EQ(b.top, c.out.top);
    EXPECT_EQ(b.left, c.out.left);
    EXPECT_EQ(b.width, c.out.width);
    EXPECT_EQ(b.height, c.out.height);
  }
}

TEST(RecentFiles, NamesWithLineBreaksReadBackExactly) {
  RecentFiles r(5);
  r.add("/plain/name with spaces = and ;", 3);
  r.add("/dir/line\nbreak.txt", 7);
  r.add("/dir/cr\rlf\r\n.txt", 0);
  r.add("/ordinary.txt", 0);
  IniFile ini;
  ini.setAutoFlush(false);
  r.write(ini);
  const std::string text = ini.serialize();
  // Ordinary names are stored as they are; the others in Base64 under their own key.
  EXPECT_EQ(text, "[Recent]\r\nItem_0=/ordinary.txt\r\nItemBase64_1=" + base64Encode("/dir/cr\rlf\r\n.txt") +
                      "\r\nItemBase64_2=" + base64Encode("/dir/line\nbreak.txt") +
                      "\r\nUser_2=7\r\nItem_3=/plain/name with spaces = and ;\r\nUser_3=3\r\n");
  IniFile file;
  file.parse(text);
  RecentFiles back(5);
  EXPECT_EQ(back.read(file), 0);
  ASSERT_EQ(back.size(), r.size());
  for (std::size_t i = 0; i < r.size(); ++i) {
    EXPECT_EQ(back.entries()[i].fileName, r.entries()[i].fileName);
    EXPECT_EQ(back.entries()[i].number, r.entries()[i].number);
  }
}

TEST(RecentFiles, DamagedEncodedNamesAreSkippedAndCounted) {
  IniFile ini;
  ini.setAutoFlush(false);
  ini.parse("[Recent]\r\nItem_0=/a\r\nItemBase64_1=QU*=\r\nItemBase64_2=L2I=\r\nItemBase64_3=L2\r\n"
            "Item_4=/e\r\nItemBase64_4=L2I=\r\n");
  RecentFiles r(6);
  EXPECT_EQ(r.read(ini), 2);
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r.entries()[0].fileName, "/a");
  EXPECT_EQ(r.entries()[1].fileName, "/b");
  EXPECT_EQ(r.entries()[2].fileName, "/e");  // Item_ wins over ItemBase64_
}
