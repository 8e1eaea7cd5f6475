#include <gtest/gtest.h>

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
  ini.writeString("Bytes", "broken", "a\r\nb");
  back.parse(ini.serialize());
  EXPECT_EQ(back.readString("Bytes", "broken", ""), "a  b");
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
