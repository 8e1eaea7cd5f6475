#include "core/config/shipped_data.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "common/save_test_support.h"

using namespace kiv;
namespace fs = std::filesystem;

namespace {

// A scratch folder; path("a/b") names a file in it.
struct TempFolder : test::ScratchFolder {
  std::string path(const std::string& rel = {}) const { return rel.empty() ? ScratchFolder::path() : *this / rel; }
};

void write(const std::string& path, const std::string& bytes) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

std::string read(const std::string& path) { return test::bytesOf(path); }

// Every file under `root` with its bytes.
std::map<std::string, std::string> tree(const std::string& root) {
  std::map<std::string, std::string> out;
  for (const auto& e : fs::recursive_directory_iterator(root)) {
    const std::string rel = fs::relative(e.path(), root).string();
    if (e.is_symlink()) out[rel] = "->" + fs::read_symlink(e.path()).string();
    else if (e.is_regular_file()) out[rel] = read(e.path().string());
  }
  return out;
}

}  // namespace

TEST(ShippedData, MissingFilesAreCopiedAndTheUsersAreKept) {
  TempFolder shipped, user;
  const std::string all256 = [] {
    std::string s;
    for (int i = 0; i < 256; ++i) s += static_cast<char>(i);
    return s;
  }();
  write(shipped.path("Templates/Деловое письмо.txt"), "shipped letter\r\n");
  write(shipped.path("Tables/Fido.tbl"), all256);
  write(shipped.path("Colors/readme.txt"), "");
  write(shipped.path("Parts/Dizorud/filelinx"), "[.txt]\r\n");
  // The user's own changes and files.
  write(user.path("Templates/Деловое письмо.txt"), "my letter");
  write(user.path("Templates/mine.txt"), "mine");
  fs::create_directories(user.path("Parts/Dizorud/filelinx"));  // a folder where a file is shipped

  const CopyResult r = copyMissingFiles(shipped.path(), user.path());
  EXPECT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.copied, 2);
  const std::map<std::string, std::string> expected = {
      {"Templates/Деловое письмо.txt", "my letter"},
      {"Templates/mine.txt", "mine"},
      {"Tables/Fido.tbl", all256},
      {"Colors/readme.txt", ""},
  };
  EXPECT_EQ(tree(user.path()), expected);
  EXPECT_TRUE(fs::is_directory(user.path("Parts/Dizorud/filelinx")));
  // The second run has nothing to do and leaves no temporary files.
  const CopyResult again = copyMissingFiles(shipped.path(), user.path());
  EXPECT_TRUE(again.ok());
  EXPECT_EQ(again.copied, 0);
  EXPECT_EQ(tree(user.path()), expected);
}

TEST(ShippedData, CopiesAreTheUsersToChange) {
  TempFolder shipped, user;
  write(shipped.path("Settings/style.ini"), "x");
  // Installed data is read-only for everyone.
  ::chmod(shipped.path("Settings/style.ini").c_str(), 0444);
  ASSERT_TRUE(copyMissingFiles(shipped.path(), user.path()).ok());
  struct stat st {};
  ASSERT_EQ(::stat(user.path("Settings/style.ini").c_str(), &st), 0);
  EXPECT_TRUE(st.st_mode & S_IWUSR);
}

TEST(ShippedData, LinksAndOddSourcesAreNotFollowed) {
  TempFolder shipped, user, outside;
  write(outside.path("secret"), "secret");
  write(shipped.path("a.txt"), "a");
  fs::create_symlink(outside.path("secret"), shipped.path("link.txt"));
  fs::create_directory_symlink(outside.path(), shipped.path("linkdir"));
  // A link the user has at a shipped name is the user's: it is kept.
  write(shipped.path("b.txt"), "b");
  fs::create_symlink("nowhere", user.path("b.txt"));
  const CopyResult r = copyMissingFiles(shipped.path(), user.path());
  EXPECT_TRUE(r.ok()) << r.error;
  const std::map<std::string, std::string> expected = {{"a.txt", "a"}, {"b.txt", "->nowhere"}};
  EXPECT_EQ(tree(user.path()), expected);
}

TEST(ShippedData, MissingSourceAndUnwritableTarget) {
  TempFolder shipped, user;
  EXPECT_TRUE(copyMissingFiles(shipped.path("none"), user.path("x")).ok());
  EXPECT_FALSE(fs::exists(user.path("x")));
  write(shipped.path("sub/a.txt"), "a");
  fs::permissions(user.path(), fs::perms::owner_read | fs::perms::owner_exec);
  if (::access(user.path().c_str(), W_OK) == 0) GTEST_SKIP() << "the superuser writes anywhere";
  const CopyResult r = copyMissingFiles(shipped.path(), user.path());
  EXPECT_FALSE(r.ok());
  EXPECT_NE(r.error.find(user.path()), std::string::npos) << r.error;
}

TEST(ShippedData, FirstIniFromTheDefaultOrEmpty) {
  TempFolder t;
  struct Case {
    const char* name;
    std::string existing;  // "" none
    std::string source;    // "" none; "missing" a path that is not there
    std::string expected;
    int copied;
  };
  write(t.path("default.ini"), "[Main]\r\nDoEncDetect=1\r\n");
  const std::vector<Case> cases = {
      {"from the default", "", t.path("default.ini"), "[Main]\r\nDoEncDetect=1\r\n", 1},
      {"no default", "", "", "", 1},
      {"default missing", "", t.path("missing.ini"), "", 1},
      {"user's kept", "[Main]\r\nW=5\r\n", t.path("default.ini"), "[Main]\r\nW=5\r\n", 0},
  };
  int n = 0;
  for (const Case& c : cases) {
    const std::string target = t.path("cfg" + std::to_string(n++) + "/kiv/kiv.ini");
    if (!c.existing.empty()) write(target, c.existing);
    const CopyResult r = createFileIfMissing(target, c.source);
    EXPECT_TRUE(r.ok()) << c.name << ": " << r.error;
    EXPECT_EQ(r.copied, c.copied) << c.name;
    EXPECT_EQ(read(target), c.expected) << c.name;
    EXPECT_FALSE(fs::exists(target + ".kivnew")) << c.name;
  }
}
