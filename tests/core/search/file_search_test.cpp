// Find in files on a real folder tree: the walk's order, hidden folders,
// links, special files, unreadable entries, blocks, zero bytes, stop.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "core/charsets/cp1251_literal.h"
#include "core/common/worker_control.h"
#include "core/search/content_pattern.h"
#include "core/search/file_search.h"

using namespace kiv;
namespace fs = std::filesystem;

namespace {

class Tree : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("kiv_find_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
  }
  void TearDown() override { fs::remove_all(root_); }
  void put(const std::string& rel, const std::string& bytes) {
    const fs::path p = root_ / rel;
    fs::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
  }
  std::vector<std::string> find(const std::string& mask, const std::string& text, FileSearchSummary* s = nullptr) {
    std::vector<std::string> found;
    const FileSearchSummary sum = searchFiles({root_.string(), mask, text}, nullptr, [&](const FoundFile& f) {
      found.push_back(f.path.substr(root_.string().size() + 1) + (f.inUtf8 ? " (utf-8)" : ""));
    });
    if (s) *s = sum;
    return found;
  }
  fs::path root_;
};

using Paths = std::vector<std::string>;

}  // namespace

TEST_F(Tree, BreadthFirstInNameOrder) {
  put("b.txt", "needle");
  put("a.txt", "NEEDLE");
  put("z/deep/x.txt", "needle");
  put("m/c.txt", "a needle");
  put("m/d.log", "needle");
  put("m/e.txt", "nothing");
  FileSearchSummary s;
  EXPECT_EQ(find("*.txt", "needle", &s), (Paths{"a.txt", "b.txt", "m/c.txt", "z/deep/x.txt"}));
  EXPECT_EQ(s.found, 4u);
  EXPECT_EQ(s.searched, 5u);
  EXPECT_EQ(s.unreadable, 0u);
  EXPECT_EQ(fileSearchEndText(s), "КОНЕЦ ПОИСКА... НАЙДЕНО 4 ФАЙЛ/ОВ");
}

TEST_F(Tree, CyrillicInBothCodePages) {
  put("cp1251.txt", cp1251("Здесь ПРИВЕТ есть"));
  put("utf8.txt", "Здесь ПРИВЕТ есть");
  put("other.txt", "Здесь пока нет");
  FileSearchSummary s;
  EXPECT_EQ(find("*", "привет", &s), (Paths{"cp1251.txt", "utf8.txt (utf-8)"}));
  EXPECT_EQ(fileSearchEndText(s), "КОНЕЦ ПОИСКА... НАЙДЕНО 2 ФАЙЛ/ОВ; в UTF-8: 1");
}

TEST_F(Tree, HiddenFoldersLinksAndSpecialFiles) {
  put(".hidden/a.txt", "needle");
  put(".dotfile.txt", "needle");
  put("sub/real.txt", "needle");
  fs::create_directory_symlink(root_, root_ / "sub" / "loop");           // would never end
  fs::create_directory_symlink(root_ / "sub", root_ / "linkdir");
  fs::create_symlink(root_ / "sub" / "real.txt", root_ / "link.txt");    // a file: searched
  fs::create_symlink(root_ / "missing.txt", root_ / "dangling.txt");     // unreadable
  ASSERT_EQ(::mkfifo((root_ / "fifo.txt").c_str(), 0600), 0);            // never opened for long
  FileSearchSummary s;
  EXPECT_EQ(find("*.txt", "needle", &s), (Paths{".dotfile.txt", "link.txt", "sub/real.txt"}));
  EXPECT_EQ(s.unreadable, 1u);
  EXPECT_EQ(fileSearchEndText(s), "КОНЕЦ ПОИСКА... НАЙДЕНО 3 ФАЙЛ/ОВ; не прочитано: 1");
}

TEST_F(Tree, MissingFolderEmptyMaskAndText) {
  FileSearchSummary s;
  EXPECT_TRUE(searchFiles({(root_ / "nope").string(), "*", "x"}, nullptr, [](const FoundFile&) {}).found == 0);
  put("a.txt", "x");
  EXPECT_TRUE(find("", "x").empty());
  EXPECT_TRUE(find("*", "", &s).empty());
  EXPECT_EQ(fileSearchEndText(s), "КОНЕЦ ПОИСКА... НАЙДЕНО 0 ФАЙЛ/ОВ");
}

TEST_F(Tree, MatchesAcrossBlocksAndStopsAtZeroByte) {
  std::string big(3 << 20, 'x');
  big.replace((1 << 20) - 3, 6, "NeEdLe");      // across the first block's end
  put("across.bin", big);
  std::string utf8(3 << 20, 'x');
  const std::string word = "привет";
  utf8.replace((2 << 20) - 5, word.size(), word);
  put("across_utf8.bin", utf8);
  put("after_zero.bin", std::string("abc\0needle", 10));
  put("before_zero.bin", std::string("needle\0abc", 10));
  EXPECT_EQ(find("*.bin", "needle"), (Paths{"across.bin", "before_zero.bin"}));
  EXPECT_EQ(find("*.bin", "ПРИВЕТ"), (Paths{"across_utf8.bin (utf-8)"}));
  EXPECT_EQ(find("*.bin", "П?ИВЕТ"), (Paths{"across_utf8.bin (utf-8)"}));
}

TEST_F(Tree, StopEndsTheSearch) {
  for (int i = 0; i < 50; ++i) put("f" + std::to_string(i) + ".txt", "needle");
  WorkerControl control;
  int seen = 0;
  const FileSearchSummary s = searchFiles({root_.string(), "*", "needle"}, &control, [&](const FoundFile&) {
    if (++seen == 3) control.requestStop();
  });
  EXPECT_TRUE(s.stopped);
  EXPECT_EQ(s.found, 3u);
}
