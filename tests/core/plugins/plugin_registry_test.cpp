// The registry file's record layout, captions cut at 255 bytes, lookups and
// the folder scan with a probe.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/plugins/plugin_registry.h"

using namespace kiv;

namespace {
std::string record(std::string_view caption, std::string_view file) {
  std::string r(512, '\0');
  r[0] = static_cast<char>(caption.size());
  r.replace(1, caption.size(), caption);
  r[256] = static_cast<char>(file.size());
  r.replace(257, file.size(), file);
  return r;
}
}  // namespace

TEST(PluginRegistry, ElevenHundredBytesHoldTwoRecordsAndTheTailIsIgnored) {
  std::string bytes = record("First", "first.so") + record("Second|hint", "second.so");
  bytes += std::string(76, 'z');
  ASSERT_EQ(bytes.size(), 1100u);
  PluginRegistry reg;
  reg.parse(bytes);
  ASSERT_EQ(reg.records().size(), 2u);
  EXPECT_EQ(reg.records()[0].caption, "First");
  EXPECT_EQ(reg.records()[0].fileName, "first.so");
  EXPECT_EQ(reg.records()[1].caption, "Second|hint");
  EXPECT_EQ(reg.records()[1].fileName, "second.so");
  // Written back: the records only, with zeros past each length.
  EXPECT_EQ(reg.serialize(), bytes.substr(0, 1024));
}

TEST(PluginRegistry, BytesPastALengthAreNotSignificant) {
  std::string r = record("Cap", "c.so");
  r[100] = 'x';
  r[400] = 'y';
  PluginRegistry reg;
  reg.parse(r);
  ASSERT_EQ(reg.records().size(), 1u);
  EXPECT_EQ(reg.records()[0].caption, "Cap");
  EXPECT_EQ(reg.records()[0].fileName, "c.so");
}

TEST(PluginRegistry, LongCaptionsAreCutTo255Bytes) {
  struct Case {
    std::string caption;
    std::size_t keptBytes;
  };
  const std::string cyr = "\xD0\xAF";  // "Я" in UTF-8
  std::string utf8;
  for (int i = 0; i < 150; ++i) utf8 += cyr;  // 300 bytes
  const Case cases[] = {
      {std::string(300, 'a'), 255},
      {std::string(255, 'b'), 255},
      {std::string(256, 'c'), 255},
      {utf8, 254},                                   // not cut inside a character
      {std::string(254, 'd') + "\xC0\xC1\xC2", 255},  // not UTF-8: bytes as they are
  };
  for (const auto& c : cases) {
    PluginRegistry reg;
    reg.addPlugin("x.so", c.caption);
    EXPECT_EQ(reg.records()[0].caption, c.caption.substr(0, c.keptBytes));
    PluginRegistry back;
    back.parse(reg.serialize());
    EXPECT_EQ(back.records()[0].caption, c.caption.substr(0, c.keptBytes));
  }
}

TEST(PluginRegistry, FindByCaptionIsExactAndTakesTheFirst) {
  PluginRegistry reg;
  reg.addPlugin("a.so", "Sort");
  reg.addPlugin("b.so", "sort");
  reg.addPlugin("c.so", "Sort");
  EXPECT_EQ(reg.findByCaption("Sort")->fileName, "a.so");
  EXPECT_EQ(reg.findByCaption("sort")->fileName, "b.so");
  EXPECT_EQ(reg.findByCaption("SORT"), nullptr);
  EXPECT_EQ(reg.captions(), (std::vector<std::string>{"Sort", "sort", "Sort"}));
}

TEST(PluginRegistry, SaveAndLoadRoundTrip) {
  const auto dir = std::filesystem::temp_directory_path() / "kiv_registry_test";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "plugslist.idx").string();
  PluginRegistry reg;
  reg.addPlugin("one.so", "Один|подсказка");
  reg.addPlugin("two.so", "");
  ASSERT_TRUE(reg.save(path));
  EXPECT_EQ(std::filesystem::file_size(path), 1024u);
  PluginRegistry back;
  ASSERT_TRUE(back.load(path));
  EXPECT_EQ(back.serialize(), reg.serialize());
  EXPECT_FALSE(back.load((dir / "missing.idx").string()));
  std::filesystem::remove_all(dir);
}

TEST(PluginRegistry, ScanTakesMatchingFilesInNameOrderAndSkipsWhatTheProbeRefuses) {
  const auto dir = std::filesystem::temp_directory_path() / "kiv_scan_test";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "folder.so");
  for (const char* name : {"b.so", "a.so", "bad.so", "readme.txt", "c.so.txt"}) std::ofstream(dir / name) << "x";
  PluginRegistry reg;
  std::vector<std::string> asked;
  const auto skipped = reg.scanFolder(dir.string() + "/", "*.so", [&](const std::string& path) -> std::optional<std::string> {
    asked.push_back(path.substr(path.rfind('/') + 1));
    if (path.ends_with("bad.so")) return std::nullopt;
    return "caption of " + asked.back();
  });
  EXPECT_EQ(asked, (std::vector<std::string>{"a.so", "b.so", "bad.so"}));
  EXPECT_EQ(skipped, (std::vector<std::string>{"bad.so"}));
  ASSERT_EQ(reg.records().size(), 2u);
  EXPECT_EQ(reg.records()[0].fileName, "a.so");
  EXPECT_EQ(reg.records()[1].caption, "caption of b.so");
  std::filesystem::remove_all(dir);
}
