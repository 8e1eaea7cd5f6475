#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/config/ini_file.h"

using namespace kiv;

TEST(IniFile, WindowsSemantics) {
  IniFile ini;
  ini.setAutoFlush(false);
  ini.parse("; comment\r\n[Main]\r\nKey=first\r\nkey=second\r\n  Spaced  =  value with spaces  \r\n"
            "[main]\r\nOther=x\r\n[Empty]\r\n=novalue\r\nnoequals\r\n");
  EXPECT_EQ(ini.readString("MAIN", "KEY", "d"), "first");  // case-insensitive, first wins
  EXPECT_EQ(ini.readString("Main", "spaced", "d"), "  value with spaces  ");  // value kept byte for byte
  EXPECT_EQ(ini.readString("Main", "Other", "d"), "d");  // duplicate section: the first one counts
  EXPECT_EQ(ini.readString("Empty", "", "d"), "d");
  EXPECT_FALSE(ini.hasKey("Missing", "Key"));
  EXPECT_EQ(ini.readInteger("Main", "Key", 7), 7);  // not a number
  EXPECT_TRUE(ini.readBool("Main", "Key", true));
}

TEST(IniFile, WritePreservesOtherLinesAndRoundTrips) {
  IniFile ini;
  ini.setAutoFlush(false);
  ini.parse("; keep me\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
  ini.writeString("a", "X", "10");
  ini.writeString("A", "z", "new");
  ini.writeInteger("C", "n", -5);
  ini.writeBool("C", "b", true);
  EXPECT_EQ(ini.serialize(), "; keep me\r\n[A]\r\nx=10\r\nz=new\r\n\r\n[B]\r\ny=2\r\n[C]\r\nn=-5\r\nb=1\r\n");
  // Any byte but a line break survives a write and a read.
  std::string bytes;
  for (int b = 1; b < 256; ++b)
    if (b != '\r' && b != '\n') bytes += static_cast<char>(b);
  ini.writeString("Bytes", "all", bytes);
  IniFile back;
  back.parse(ini.serialize());
  EXPECT_EQ(back.readString("Bytes", "all", ""), bytes);
}

// Writes whose text would not read back as written are refused and change
// nothing: a line break would inject lines into the file.
TEST(IniFile, WritesThatWouldNotReadBackAreRefused) {
  const std::string start = "[A]\r\nx=old\r\n";
  struct Case {
    std::string section, key, value;
  };
  const std::vector<Case> refused = {
      {"A", "x", "new\r\n[Main]\r\nSpacesPerTab=2000000000"},  // over an existing key
      {"A", "y", "a\nb"},
      {"A", "y", "a\rb"},
      {"A", "y", "\n"},
      {"A\r\n[B]", "y", "1"},
      {"A\n", "x", "1"},
      {"A", "y\r\nz", "1"},
      {"A", "x\n", "1"},
      {"A]", "y", "1"},
      {" A", "y", "1"},
      {"A ", "y", "1"},
      {"A", "", "1"},
      {"A", "k=v", "1"},
      {"A", " y", "1"},
      {"A", "y\t", "1"},
      {"A", ";y", "1"},
      {"A", "[y", "1"},
  };
  for (const auto& c : refused) {
    IniFile ini;
    ini.setAutoFlush(false);
    ini.parse(start);
    EXPECT_FALSE(IniFile::canWrite(c.section, c.key, c.value)) << c.section << "|" << c.key << "|" << c.value;
    EXPECT_FALSE(ini.writeString(c.section, c.key, c.value)) << c.section << "|" << c.key << "|" << c.value;
    EXPECT_EQ(ini.serialize(), start) << c.section << "|" << c.key << "|" << c.value;
  }
  // What is accepted reads back exactly, in a fresh parse of the written text.
  const std::vector<Case> accepted = {
      {"A", "x", "  spaced value  "}, {"A b", "k;1", "=v=[x]"}, {"", "k", ";not a comment"},
      {"[A", "k", "v"},               {"A", "k]", "\t"},        {"A", "y", ""},
  };
  for (const auto& c : accepted) {
    IniFile ini;
    ini.setAutoFlush(false);
    ini.parse(start);
    EXPECT_TRUE(ini.writeString(c.section, c.key, c.value)) << c.section << "|" << c.key;
    IniFile back;
    back.parse(ini.serialize());
    EXPECT_EQ(back.readString(c.section, c.key, "missing"), c.value) << c.section << "|" << c.key;
    EXPECT_EQ(back.serialize(), ini.serialize());
  }
}

TEST(IniFile, ParsedTextIsStableAfterOneRewrite) {
  const std::vector<std::string> texts = {
      "[A\r\nk=v",  "[A]]x\r\n k = v \r\n",   "\r\r\n\n[ ]\r\n=\r\n",
      "k=v\n[a]\rx=1", "[A]\r\n[a]\r\nk=1\r\nK=2", std::string("[\0]\r\n\0=\0", 8),
  };
  for (const auto& t : texts) {
    IniFile once;
    once.parse(t);
    IniFile twice;
    twice.parse(once.serialize());
    EXPECT_EQ(twice.serialize(), once.serialize()) << t;
    for (const auto& section : once.sectionNames())
      for (const auto& key : once.keysOf(section))
        EXPECT_EQ(twice.readString(section, key, "?"), once.readString(section, key, "!")) << t;
  }
}

TEST(IniFile, EraseSectionAndKeys) {
  IniFile ini;
  ini.setAutoFlush(false);
  ini.parse("[Recent]\r\nItem_0=a\r\n[Main]\r\nk=v\r\n[recent]\r\nItem_1=b\r\n");
  ini.eraseSection("RECENT");
  EXPECT_FALSE(ini.hasSection("Recent"));
  EXPECT_EQ(ini.sectionNames(), std::vector<std::string>{"Main"});
  ini.deleteKey("main", "K");
  EXPECT_TRUE(ini.keysOf("Main").empty());
}

TEST(IniFile, FileFlushAndBatch) {
  const std::string path = ::testing::TempDir() + "kiv-ini-test.ini";
  std::remove(path.c_str());
  {
    IniFile ini(path);
    {
      IniFile::Batch batch(ini);
      ini.writeString("S", "a", "1");
      ini.writeString("S", "b", "2");
    }
    EXPECT_FALSE(ini.lastFlushFailed());
  }
  IniFile again(path);
  EXPECT_EQ(again.readString("S", "b", ""), "2");
  IniFile bad("/nonexistent-kiv-dir/x.ini");
  bad.writeString("S", "a", "1");
  EXPECT_TRUE(bad.lastFlushFailed());
  std::remove(path.c_str());
}

TEST(IniFile, UnreadableFileIsReportedAndNeverWritten) {
  const std::string dir = ::testing::TempDir() + "kiv-ini-unreadable/";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir + "kiv.ini");
  ::mkfifo((dir + "pipe.ini").c_str(), 0600);
  {
    std::ofstream big(dir + "big.ini", std::ios::binary);
    big << "[Main]\r\n";
  }
  std::filesystem::resize_file(dir + "big.ini", IniFile::kMaxFileSize + 1);
  struct Case {
    std::string name, reason;
  };
  const std::vector<Case> cases = {
      {"kiv.ini", "это папка, а не файл"},
      {"pipe.ini", "это не обычный файл"},  // would block the start if opened
      {"big.ini", "файл больше 16 МБ"},
  };
  for (const auto& c : cases) {
    IniFile ini(dir + c.name);
    EXPECT_EQ(ini.loadError(), c.reason) << c.name;
    EXPECT_FALSE(ini.hasSection("Main")) << c.name;
    EXPECT_TRUE(ini.writeString("Main", "W", "1"));  // kept in memory only
    EXPECT_TRUE(ini.lastFlushFailed()) << c.name;
    EXPECT_FALSE(ini.flush()) << c.name;
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir + "kiv.ini"));
  EXPECT_TRUE(std::filesystem::is_empty(dir + "kiv.ini"));
  EXPECT_TRUE(std::filesystem::is_fifo(dir + "pipe.ini"));
  EXPECT_EQ(std::filesystem::file_size(dir + "big.ini"), IniFile::kMaxFileSize + 1);
  std::size_t files = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir)) ++files;
  EXPECT_EQ(files, 3u);  // no temporary file left beside them
  // A missing file reads as empty and is written normally.
  IniFile fresh(dir + "new.ini");
  EXPECT_TRUE(fresh.loadError().empty());
  EXPECT_TRUE(fresh.writeString("Main", "W", "1"));
  EXPECT_FALSE(fresh.lastFlushFailed());
  std::filesystem::remove_all(dir);
}
