// The file browser's core: parents of folders, rename names, the whole-file
// operations on real files (line ends, zero bytes, failures part-way) and
// the hotlist file.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/filebrowser/browser_paths.h"
#include "core/filebrowser/hotlist_file.h"
#include "core/filebrowser/whole_file_ops.h"

using namespace kiv;

namespace {
struct TempDir {
  std::filesystem::path path;
  explicit TempDir(const char* name) : path(std::filesystem::temp_directory_path() / name) {
    std::filesystem::remove_all(path);
    std::filesystem::create_directories(path);
  }
  ~TempDir() { std::filesystem::remove_all(path); }
  std::string file(const char* name, const std::string& bytes) const {
    std::ofstream(path / name, std::ios::binary) << bytes;
    return (path / name).string();
  }
};
std::string slurp(const std::string& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}
}  // namespace

TEST(BrowserPaths, Parents) {
  const std::pair<const char*, const char*> cases[] = {
      {"/home/user/docs", "/home/user"}, {"/home/user/", "/home"}, {"/home", "/"}, {"/", "/"}, {"", "/"},
      {"//", "/"}, {"/a b/ц", "/a b"},
  };
  for (const auto& [folder, parent] : cases) EXPECT_EQ(parentFolder(folder), parent) << folder;
  EXPECT_EQ(entryPath("/", "etc"), "/etc");
  EXPECT_EQ(entryPath("/home/", "u"), "/home/u");
  EXPECT_EQ(normalizeFolder("/tmp///"), "/tmp");
}

TEST(BrowserPaths, RenameNames) {
  for (const char* ok : {"a.txt", "новое имя", ".hidden", "a\\b"}) EXPECT_EQ(renameRefusal(ok), "") << ok;
  for (std::string_view bad : {std::string_view(""), std::string_view("."), std::string_view(".."),
                               std::string_view("a/b"), std::string_view("/"), std::string_view("a\0b", 3)})
    EXPECT_NE(renameRefusal(bad), "");
}

TEST(WholeFileOps, RecodingsAndReplacements) {
  EXPECT_EQ(recodeText("\xE0\xC0x", Recoding::WinToDos), "\xA0\x80x");
  EXPECT_EQ(recodeText("\xA0\x80x", Recoding::DosToWin), "\xE0\xC0x");
  EXPECT_EQ(recodeText("\xE0\xC0x", Recoding::WinToKoi), "\xC1\xE1x");
  EXPECT_EQ(recodeText("\xC1\xE1x", Recoding::KoiToWin), "\xE0\xC0x");

  struct Case {
    ReplaceRequest request;
    std::string in, out;
  };
  const Case cases[] = {
      {{false, {}, "a", "b"}, "aXa", "bXb"},
      {{false, {}, "a", ""}, "aXa", "aXa"},  // empty replacement: unchanged
      {{false, {}, "", "b"}, "aXa", "aXa"},
      {{true, parseReplacePairs("a=b\r\nb=c\r\n"), "", ""}, "ab", "cc"},
      {{true, parseReplacePairs("a=\r\nno pair\r\n=x\r\nq=r=s"), "", ""}, "aq=", "r=s="},
      {{true, parseReplacePairs("a=aa"), "", ""}, "aa", "aaaa"},
      {{true, parseReplacePairs("abc=x"), "", ""}, "ABC abc", "ABC x"},
  };
  for (const auto& c : cases) EXPECT_EQ(applyReplaceRequest(c.in, c.request), c.out) << c.in;
}

TEST(WholeFileOps, Utf8Detection) {
  EXPECT_TRUE(isNonAsciiUtf8("\xD0\xAF"));
  EXPECT_FALSE(isNonAsciiUtf8("plain"));
  EXPECT_FALSE(isNonAsciiUtf8("\xE0\xE1"));
}

TEST(WholeFileOps, FilesEndWithCrLfAndZeroByteFilesAreSkipped) {
  TempDir t("kiv_whole_file_ops");
  const std::string lf = t.file("lf.txt", "one\ntwo");
  const std::string cr = t.file("cr.txt", "a\rb\r");
  const std::string bin = t.file("bin.dat", std::string("ab\0cd\n", 6));
  const std::string empty = t.file("empty.txt", "");
  const WholeFileReport r = transformFiles({lf, cr, bin, empty}, [](std::string_view s) { return std::string(s); });
  EXPECT_TRUE(r.error.empty());
  EXPECT_EQ(r.rewritten, (std::vector<std::string>{lf, cr, empty}));
  EXPECT_EQ(r.skippedZeroByte, (std::vector<std::string>{bin}));
  EXPECT_EQ(slurp(lf), "one\r\ntwo\r\n");
  EXPECT_EQ(slurp(cr), "a\r\nb\r\n");
  EXPECT_EQ(slurp(bin), std::string("ab\0cd\n", 6));
  EXPECT_EQ(slurp(empty), "");
}

TEST(WholeFileOps, AGateSkipsAndAFailureStopsWithEarlierFilesDone) {
  TempDir t("kiv_whole_file_stop");
  const std::string a = t.file("a.txt", "x\r\n");
  const std::string b = t.file("b.txt", "x\r\n");
  const std::string missing = (t.path / "missing.txt").string();
  const std::string c = t.file("c.txt", "x\r\n");
  auto upper = [](std::string_view s) {
    std::string o(s);
    for (char& ch : o) ch = ch == 'x' ? 'X' : ch;
    return o;
  };
  const WholeFileReport r =
      transformFiles({a, b, missing, c}, upper, [&](const std::string& path, std::string_view) { return path != b; });
  EXPECT_EQ(r.rewritten, (std::vector<std::string>{a}));
  EXPECT_EQ(r.skippedByCaller, (std::vector<std::string>{b}));
  EXPECT_EQ(r.failedFile, missing);
  EXPECT_FALSE(r.error.empty());
  EXPECT_EQ(slurp(a), "X\r\n");
  EXPECT_EQ(slurp(b), "x\r\n");
  EXPECT_EQ(slurp(c), "x\r\n");
}

TEST(HotlistFile, RoundTripWithAMissingFolder) {
  TempDir t("kiv_hotlist_file");
  const std::string path = (t.path / "Parts" / "Dizorud" / "hotlist.txt").string();
  EXPECT_EQ(readHotlist(path), std::vector<std::string>{});
  const std::vector<std::string> folders{"/home/u", "/tmp", "/tmp", "/папка с пробелом"};
  ASSERT_TRUE(writeHotlist(path, folders));
  EXPECT_EQ(slurp(path), "/home/u\r\n/tmp\r\n/tmp\r\n/папка с пробелом\r\n");
  EXPECT_EQ(readHotlist(path), folders);
  ASSERT_TRUE(writeHotlist(path, {"/a\nb", "/ok"}));
  EXPECT_EQ(readHotlist(path), std::vector<std::string>{"/ok"});
  std::filesystem::create_directories(t.path / "dir.txt");
  EXPECT_EQ(readHotlist((t.path / "dir.txt").string()), std::nullopt);
}
