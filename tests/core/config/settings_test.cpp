#include <gtest/gtest.h>

#include <set>

#include "core/common/ascii.h"
#include "core/config/recent_files.h"
#include "core/config/settings_table.h"

using namespace kiv;

TEST(SettingsTable, EmptyFileGivesDefaults) {
  IniFile ini;
  ini.setAutoFlush(false);
  Configuration cfg;
  cfg.session.LastOpenDir = "/prog/";
  readSettings(ini, cfg);
  const RConnectionTable fresh;
  EXPECT_EQ(cfg.table.Time, 2500);
  EXPECT_EQ(cfg.table.MRUItemsCount, 25);
  EXPECT_EQ(cfg.table.Gutter.FillOption, 2);
  EXPECT_EQ(cfg.table.Gutter.SimpleColor, 16724212);
  EXPECT_EQ(cfg.table.Editor.FillOption, 0);
  EXPECT_EQ(cfg.table.SaveOptions.VersionNamePrefix, "version");
  EXPECT_TRUE(cfg.table.SaveOptions.SaveInSameFolder);
  EXPECT_EQ(cfg.table.DOS, "Terminal");
  EXPECT_EQ(cfg.table.QuoteChar, "\"");
  EXPECT_EQ(cfg.table.codeTablesFolder, "Engine\\Tables\\");
  EXPECT_EQ(cfg.session.LastOpenDir, "/prog/");  // the program folder stays the default
  EXPECT_EQ(cfg.session.Main.W, 802);
  EXPECT_EQ(cfg.session.Dox.H, 200);
  EXPECT_EQ(cfg.table.Folders, fresh.Folders);
}

TEST(SettingsTable, BadNumbersAndBytes) {
  IniFile ini;
  ini.setAutoFlush(false);
  ini.parse("[Fonts]\r\nKOI8Size=256\r\nWINSize=-2\r\nDOSSize=x\r\n[Main]\r\nWordWrap=0\r\nShowSplash=5\r\n"
            "autoindent=2.5\r\n[Editor]\r\nGradientMode=513\r\n");
  Configuration cfg;
  readSettings(ini, cfg);
  EXPECT_EQ(cfg.table.KOI8Size, 0);
  EXPECT_EQ(cfg.table.WINSize, 254);
  EXPECT_EQ(cfg.table.DOSSize, 10);
  EXPECT_FALSE(cfg.table.WordWrap);
  EXPECT_TRUE(cfg.table.ShowSplash);  // any non-zero number is true
  EXPECT_EQ(cfg.table.autoindent, 1);
  EXPECT_EQ(cfg.table.Editor.GradientMode, 1);
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
  cfg.table.RMargin = 90;
  cfg.table.Editor.Wallpaper = "/home/u/обои.png";
  cfg.table.KOI8Size = 200;
  cfg.table.Key = true;
  cfg.session.LastOpenDir = "/docs/";
  cfg.session.writeLastDirs = true;
  IniFile ini;
  ini.setAutoFlush(false);
  writeSettings(ini, cfg);
  EXPECT_TRUE(ini.hasKey("Sounds", "key"));
  Configuration back;
  readSettings(ini, back);
  EXPECT_EQ(back.table.RMargin, 90);
  EXPECT_EQ(back.table.Editor.Wallpaper, "/home/u/обои.png");
  EXPECT_EQ(back.table.KOI8Size, 200);
  EXPECT_TRUE(back.table.Key);
  EXPECT_EQ(back.session.LastOpenDir, "/docs/");
  // Not written when the dialogs' folders are to be kept.
  IniFile ini2;
  ini2.setAutoFlush(false);
  cfg.session.writeLastDirs = false;
  writeSettings(ini2, cfg);
  EXPECT_FALSE(ini2.hasKey("Main", "LastOpenDir"));
  EXPECT_FALSE(ini2.hasKey("Main", "SpacesPerTab"));
}

TEST(Settings, FoldersFromProgramFolder) {
  RConnectionTable t;
  buildFolders(t, "/opt/kiv/", "Engine\\Tables\\");
  EXPECT_EQ(t.codeTablesFolder, "/opt/kiv/Engine/Tables/");
  EXPECT_EQ(t.partsFolder, "/opt/kiv/Engine/Parts/");
  buildFolders(t, "/opt/kiv/", "My\\Codes");
  EXPECT_EQ(t.codeTablesFolder, "/opt/kiv/My/Codes/");
  t.SpacesPerTab = -3;
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
