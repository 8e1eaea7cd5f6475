// Colour scheme, gradient and file-browser colour files: the bytes written,
// defaults for whatever a file lacks or spoils, names that must stay inside
// their folder, and deleting only what is there.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/appearance/color_files.h"

using namespace kiv;
namespace fs = std::filesystem;

namespace {
struct TempDir {
  fs::path path;
  explicit TempDir(const char* name) : path(fs::temp_directory_path() / name) {
    fs::remove_all(path);
    fs::create_directories(path);
  }
  ~TempDir() { fs::remove_all(path); }
  std::string folder() const { return path.string() + "/"; }
};
std::string slurp(const fs::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}
void spit(const fs::path& p, const std::string& bytes) { std::ofstream(p, std::ios::binary) << bytes; }
}  // namespace

TEST(ColorFiles, WritesEachKindByteForByte) {
  TempDir t("kiv_colorfiles_bytes");
  struct Case {
    ColorFileKind kind;
    std::vector<ColorRef> values;
    std::string bytes;
  } cases[] = {
      {ColorFileKind::Scheme, {1, 2, 3, 16777215},
       "[ColorSet]\r\nFontColor=1\r\nBackColor=2\r\nSelFontColor=3\r\nSelBackColor=16777215\r\n"},
      {ColorFileKind::Gradient, {0, 8388608}, "[Colorset]\r\ncpFrom=0\r\ncpTo=8388608\r\n"},
      {ColorFileKind::Browser, {255, 65280, 12632256}, "[Color]\r\nDirs=255\r\nFiles=65280\r\nback=12632256\r\n"},
  };
  for (const auto& c : cases) {
    const auto file = t.path / "f";
    fs::remove(file);
    ASSERT_TRUE(writeColorFile(file.string(), c.kind, c.values));
    EXPECT_EQ(slurp(file), c.bytes);
    EXPECT_EQ(readColorFile(file.string(), c.kind), c.values);
  }
}

TEST(ColorFiles, MissingOrSpoiltValuesGiveTheDefaults) {
  TempDir t("kiv_colorfiles_defaults");
  struct Case {
    const char* text;
    ColorFileKind kind;
    std::vector<ColorRef> expected;
  } cases[] = {
      {"", ColorFileKind::Scheme, {13099690, 0, 13099690, 0}},
      {"[ColorSet]\r\nBackColor=255\r\n", ColorFileKind::Scheme, {13099690, 255, 13099690, 0}},
      {"[colorset]\r\nfontcolor=7\r\nSelBackColor=abc\r\n", ColorFileKind::Scheme, {7, 0, 13099690, 0}},
      {"[ColorSet]\r\nFontColor=-5\r\nBackColor=99999999\r\n", ColorFileKind::Scheme, {0, 16777215, 13099690, 0}},
      {"[Other]\r\ncpFrom=5\r\n", ColorFileKind::Gradient, {0, 13099690}},
      {"[Colorset]\r\ncpTo=12\r\n", ColorFileKind::Gradient, {0, 12}},
      {"junk without sections", ColorFileKind::Browser, {16711680, 0, 16777215}},
      {"[Color]\r\nFiles=1\r\n", ColorFileKind::Browser, {16711680, 1, 16777215}},
  };
  for (const auto& c : cases) {
    const auto file = t.path / "f";
    spit(file, c.text);
    EXPECT_EQ(readColorFile(file.string(), c.kind), c.expected) << c.text;
  }
  EXPECT_EQ(readColorFile((t.path / "missing").string(), ColorFileKind::Gradient), (std::vector<ColorRef>{0, 13099690}));
  // A folder where the file should be reads as defaults and is not written.
  fs::create_directories(t.path / "dir.pal");
  EXPECT_EQ(readColorScheme((t.path / "dir.pal").string()).text, 13099690);
  EXPECT_FALSE(writeColorScheme((t.path / "dir.pal").string(), ColorScheme{}));
  EXPECT_TRUE(fs::is_directory(t.path / "dir.pal"));
}

TEST(ColorFiles, RewritingKeepsForeignLinesAndWrongCountsWriteNothing) {
  TempDir t("kiv_colorfiles_rewrite");
  const auto file = t.path / "a.pal";
  spit(file, "; my scheme\r\n[ColorSet]\r\nBackColor=1\r\nNote=keep\r\n");
  ASSERT_TRUE(writeColorScheme(file.string(), ColorScheme{10, 20, 30, 40}));
  const std::string bytes = slurp(file);
  EXPECT_NE(bytes.find("; my scheme"), std::string::npos);
  EXPECT_NE(bytes.find("Note=keep"), std::string::npos);
  const ColorScheme back = readColorScheme(file.string());
  EXPECT_EQ(back.text, 10);
  EXPECT_EQ(back.background, 20);
  EXPECT_EQ(back.selectionText, 30);
  EXPECT_EQ(back.selectionBackground, 40);
  const std::vector<ColorRef> tooFew{1};
  EXPECT_FALSE(writeColorFile(file.string(), ColorFileKind::Scheme, tooFew));
  EXPECT_EQ(slurp(file), bytes);
}

TEST(ColorFiles, TypedViewsRoundTrip) {
  TempDir t("kiv_colorfiles_typed");
  const std::string g = (t.path / "g.grd").string();
  ASSERT_TRUE(writeGradientPreset(g, GradientPreset{123, 456}));
  EXPECT_EQ(readGradientPreset(g).from, 123);
  EXPECT_EQ(readGradientPreset(g).to, 456);
  const std::string b = (t.path / "nep").string();
  ASSERT_TRUE(writeBrowserColors(b, BrowserColors{1, 2, 3}));
  const BrowserColors c = readBrowserColors(b);
  EXPECT_EQ(c.folders, 1);
  EXPECT_EQ(c.files, 2);
  EXPECT_EQ(c.background, 3);
  Settings s;
  applyScheme(s, ColorScheme{4, 5, 6, 7});
  EXPECT_EQ(s.textColor, 4);
  EXPECT_EQ(s.backgroundColor, 5);
  EXPECT_EQ(s.selectionTextColor, 6);
  EXPECT_EQ(s.selectionBackgroundColor, 7);
  EXPECT_EQ(schemeOf(s).selectionBackground, 7);
}

TEST(ColorFiles, ListsFilesOfOneExtensionSorted) {
  TempDir t("kiv_colorfiles_list");
  for (const char* n : {"b.pal", "A.PAL", "c.grd", "pal", "x.pal.bak"}) spit(t.path / n, "");
  fs::create_directories(t.path / "dir.pal");
  EXPECT_EQ(listColorFiles(t.folder(), ".pal"), (std::vector<std::string>{"A.PAL", "b.pal"}));
  EXPECT_EQ(listColorFiles(t.folder(), ".grd"), (std::vector<std::string>{"c.grd"}));
  EXPECT_EQ(listColorFiles(t.folder(), "").size(), 5u);
  EXPECT_TRUE(listColorFiles(t.folder() + "nowhere/", ".pal").empty());
}

TEST(ColorFiles, ChangesExtensions) {
  struct Case {
    const char* name;
    const char* ext;
    const char* expected;
  } cases[] = {
      {"Новая схема 12.pal", ".pal", "Новая схема 12.pal"},
      {"Морская", ".pal", "Морская.pal"},
      {"sea.grd", ".pal", "sea.pal"},
      {"a.b.c", ".grd", "a.b.grd"},
      {"dir.x/name", ".pal", "dir.x/name.pal"},
      {"", ".pal", ".pal"},
  };
  for (const auto& c : cases) EXPECT_EQ(changeExtension(c.name, c.ext), c.expected) << c.name;
}

TEST(ColorFiles, PlainFileNamesStayInTheirFolder) {
  struct Case {
    const char* name;
    bool ok;
  } cases[] = {
      {"Морская.pal", true}, {"a b.pal", true}, {".hidden.pal", true},
      {"", false}, {".", false}, {"..", false}, {"../x.pal", false}, {"a..b.pal", false},
      {"sub/x.pal", false}, {"sub\\x.pal", false}, {"/etc/passwd", false}, {"a\nb.pal", false},
  };
  for (const auto& c : cases) EXPECT_EQ(isPlainFileName(c.name), c.ok) << c.name;
}

TEST(ColorFiles, DeletesOnlyAnExistingFileInsideTheFolder) {
  TempDir t("kiv_colorfiles_delete");
  fs::create_directories(t.path / "inner");
  spit(t.path / "keep.pal", "x");
  spit(t.path / "inner" / "gone.pal", "x");
  EXPECT_FALSE(deleteColorFile((t.path / "inner").string() + "/", "../keep.pal"));
  EXPECT_TRUE(fs::exists(t.path / "keep.pal"));
  EXPECT_FALSE(deleteColorFile((t.path / "inner").string() + "/", "missing.pal"));
  EXPECT_FALSE(deleteColorFile(t.folder(), "inner"));
  EXPECT_TRUE(fs::exists(t.path / "inner"));
  EXPECT_TRUE(deleteColorFile((t.path / "inner").string() + "/", "gone.pal"));
  EXPECT_FALSE(fs::exists(t.path / "inner" / "gone.pal"));
}

TEST(ColorFiles, ShippedFilesSpellEveryKey) {
  // Each shipped file sets every key of its kind, so none shows a default.
  const std::string data = KIV_DATA_DIR;
  struct Case {
    std::string folder;
    ColorFileKind kind;
    std::size_t atLeast;
  } cases[] = {
      {data + "/Engine/Colors/", ColorFileKind::Scheme, 2},
      {data + "/Engine/Colors/", ColorFileKind::Gradient, 2},
      {data + "/Engine/Parts/Dizorud/Colors/", ColorFileKind::Browser, 2},
  };
  for (const auto& c : cases) {
    const ColorFileFormat& f = colorFileFormat(c.kind);
    const auto names = listColorFiles(c.folder, f.extension);
    EXPECT_GE(names.size(), c.atLeast) << c.folder;
    for (const std::string& n : names) {
      if (n == "readme.txt") continue;
      const std::string bytes = slurp(c.folder + n);
      EXPECT_EQ(bytes.find('\n'), bytes.find("\r\n") + 1) << n;  // CR LF line ends
      for (const ColorFileKey& k : f.keys)
        EXPECT_NE(bytes.find("\r\n" + std::string(k.key) + "="), std::string::npos) << n << " " << k.key;
    }
  }
}
