// The file type table: loading and writing its INI file byte for byte,
// lookups by extension in any case, keys refused before they could break
// the file, and a missing file or folder.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/filetypes/file_types.h"

using namespace kiv;

namespace {
struct TempDir {
  std::filesystem::path path;
  explicit TempDir(const char* name) : path(std::filesystem::temp_directory_path() / name) {
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~TempDir() { std::filesystem::remove_all(path); }
};
std::string slurp(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}
void spit(const std::filesystem::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }
}  // namespace

TEST(FileTypes, LoadsSectionsInOrderAndWritesThemBackKeyByKey) {
  TempDir t("kiv_filetypes_roundtrip");
  const auto file = t.path / "filelinx";
  spit(file, "[txt]\r\nViewer=/usr/bin/less\r\nColor=255\r\n[HTM]\r\nEditor=/usr/bin/vi\r\nstray line\r\n");
  FileTypes types(file.string());
  ASSERT_TRUE(types.loadError().empty());
  EXPECT_EQ(types.exts(), (std::vector<std::string>{"txt", "htm"}));
  EXPECT_EQ(types.types()[0].viewer, "/usr/bin/less");
  EXPECT_EQ(types.types()[0].editor, "");
  EXPECT_EQ(types.types()[0].color, 255);
  EXPECT_EQ(types.types()[1].color, FileTypes::kDefaultColor);  // no Color: white
  ASSERT_TRUE(types.save());
  EXPECT_EQ(slurp(file),
            "[txt]\r\nEditor=\r\nViewer=/usr/bin/less\r\nColor=255\r\n"
            "[htm]\r\nEditor=/usr/bin/vi\r\nViewer=\r\nColor=16777215\r\n");
  FileTypes again(file.string());
  EXPECT_EQ(again.exts(), types.exts());
}

TEST(FileTypes, LookupsIgnoreCase) {
  FileTypes types;
  ASSERT_EQ(types.add({"txt", "", "", 1}), "");
  ASSERT_EQ(types.add({"html", "", "", 2}), "");
  ASSERT_EQ(types.add({"\xD0\xA2\xD0\x95\xD0\x9A\xD0\xA1\xD0\xA2", "", "", 3}), "");  // "ТЕКСТ"
  struct Case {
    const char* extension;
    int color;  // 0: none
  };
  const Case cases[] = {
      {".TXT", 1}, {".Txt", 1}, {"txt", 1}, {".html", 2}, {".htm", 0}, {"", 0}, {".", 0},
      {".\xD1\x82\xD0\xB5\xD0\xBA\xD1\x81\xD1\x82", 3},  // ".текст"
      {".\xD0\xA2\xD0\xB5\xD0\xBA\xD1\x81\xD1\x82", 3},  // ".Текст"
  };
  for (const auto& c : cases) {
    const FileType* t = types.findByExt(c.extension);
    EXPECT_EQ(t ? t->color : 0, c.color) << c.extension;
  }
  EXPECT_EQ(types.indexOfExt("HTML"), 1);
  EXPECT_EQ(types.types()[2].name, "\xD1\x82\xD0\xB5\xD0\xBA\xD1\x81\xD1\x82");  // stored lower-cased
}

TEST(FileTypes, TypedExtensionsAreNormalisedOrRefused) {
  struct Case {
    const char* typed;
    const char* key;  // nullptr: refused
  };
  const Case cases[] = {
      {"TXT", "txt"}, {" .Htm ", "htm"}, {"*.Pas", "pas"}, {"tar.gz", "tar.gz"},
      {"a]b", nullptr}, {"a\nb", nullptr}, {"a\rb", nullptr}, {"", nullptr}, {"*.", nullptr}, {"a/b", nullptr},
  };
  for (const auto& c : cases) {
    std::string why;
    const auto key = FileTypes::normalizeKey(c.typed, &why);
    if (c.key) {
      EXPECT_EQ(key.value_or("<refused>"), c.key) << c.typed;
    } else {
      EXPECT_FALSE(key) << c.typed;
      EXPECT_FALSE(why.empty());
    }
  }
  FileTypes types;
  EXPECT_EQ(types.add({"TXT", "", "", 0}), "");
  EXPECT_NE(types.add({"txt", "", "", 0}), "");  // already there
  EXPECT_NE(types.add({"x", "/bin/a\nb", "", 0}), "");
  EXPECT_EQ(types.change(0, {"Doc", "v", "e", 5}), "");
  EXPECT_EQ(types.exts(), (std::vector<std::string>{"doc"}));
  EXPECT_NE(types.change(3, {"z", "", "", 0}), "");
  types.deleteExt("DOC");
  types.deleteExt("nothing");
  EXPECT_TRUE(types.exts().empty());
}

TEST(FileTypes, AMissingFileIsAnEmptyTableWrittenWithItsFolder) {
  TempDir t("kiv_filetypes_missing");
  const auto file = t.path / "Parts" / "Dizorud" / "filelinx";
  FileTypes types(file.string());
  EXPECT_TRUE(types.loadError().empty());
  EXPECT_TRUE(types.exts().empty());
  types.add({"txt", "", "", 0});
  std::string why;
  ASSERT_TRUE(types.save(&why)) << why;
  EXPECT_EQ(slurp(file), "[txt]\r\nEditor=\r\nViewer=\r\nColor=0\r\n");
}

TEST(FileTypes, AnUnreadableFileIsNeverWrittenOver) {
  TempDir t("kiv_filetypes_unreadable");
  const auto file = t.path / "filelinx";
  std::filesystem::create_directories(file);  // a folder where the file should be
  FileTypes types(file.string());
  EXPECT_FALSE(types.loadError().empty());
  std::string why;
  EXPECT_FALSE(types.save(&why));
  EXPECT_TRUE(std::filesystem::is_directory(file));
}
