// Saving as a user without the superuser's rights: a forked child drops to
// the "nobody" account (or runs as we are, when we are not the superuser)
// and saves real files that the parent prepared and then checks.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <optional>

#include "common/save_test_support.h"
#include "core/common/file_bytes.h"
#include "core/common/safe_save.h"

using namespace kiv;
using namespace kiv::test;

namespace {

// The child's report of one save: "" when it succeeded, the reason otherwise.
std::string saveAsUser(const Unprivileged& user, const std::string& path, const std::string& bytes,
                       bool consent = false) {
  return runAsUnprivileged(user, [&] {
    std::optional<ProtectedWriteConsent> guard;
    if (consent) guard.emplace(path);
    std::string why;
    return writeFileAtomically(path, bytes, &why) ? std::string() : "failed: " + why;
  });
}

class UnprivilegedSave : public ::testing::Test {
 protected:
  void SetUp() override {
    user_ = unprivilegedUser();
    if (!user_.available) GTEST_SKIP() << user_.note;
    // The child must reach the scratch folder.
    ASSERT_EQ(::chmod(dir_.path().c_str(), 0755), 0);
  }
  void skipUnlessDropped(const std::string& report) {
    if (report.rfind("SKIP: ", 0) == 0) GTEST_SKIP() << report;
  }
  // A file of the user's own.
  void own(const std::string& path, mode_t mode) {
    ASSERT_EQ(::chown(path.c_str(), user_.uid, user_.gid), 0);
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
  }
  Unprivileged user_;
  ScratchFolder dir_;
};

}  // namespace

TEST_F(UnprivilegedSave, OwnFileInAFolderTheUserCannotWrite) {
  std::filesystem::create_directory(dir_ / "locked");
  const std::string file = dir_ / "locked/mine.txt";
  putBytes(file, "old text, longer than the new one\r\n");
  own(file, 0644);
  ASSERT_EQ(::chmod((dir_ / "locked").c_str(), 0555), 0);
  const ino_t inode = statOf(file).st_ino;
  const std::string report = saveAsUser(user_, file, allBytes());
  skipUnlessDropped(report);
  EXPECT_EQ(report, "") << "the file could not be saved where no temporary file can be made";
  EXPECT_EQ(bytesOf(file), allBytes());
  EXPECT_EQ(statOf(file).st_ino, inode);
  EXPECT_EQ(statOf(file).st_uid, user_.uid);
  EXPECT_EQ(statOf(file).st_mode & 07777, 0644u);
  EXPECT_EQ(namesIn(dir_ / "locked"), std::vector<std::string>{"mine.txt"});
  // A new file cannot be made there: the save fails and leaves nothing.
  const std::string report2 = saveAsUser(user_, dir_ / "locked/new.txt", "x");
  EXPECT_EQ(report2, std::string("failed: ") + std::strerror(EACCES));
  EXPECT_EQ(namesIn(dir_ / "locked"), std::vector<std::string>{"mine.txt"});
}

TEST_F(UnprivilegedSave, AnotherUsersFileIsNotReplacedThroughAWritableFolder) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs the superuser to own a file the user cannot write";
  // A folder everyone may write, holding the superuser's file: a rename there
  // would replace the file although the user may not write it.
  std::filesystem::create_directory(dir_ / "shared");
  ASSERT_EQ(::chmod((dir_ / "shared").c_str(), 0777), 0);
  const std::string file = dir_ / "shared/roots.txt";
  putBytes(file, "root's text\r\n");
  ASSERT_EQ(::chmod(file.c_str(), 0644), 0);
  const std::string protectedReport = runAsUnprivileged(user_, [&] {
    return std::string(isWriteProtected(file) ? "protected" : "writable");
  });
  skipUnlessDropped(protectedReport);
  EXPECT_EQ(protectedReport, "protected");
  for (bool consent : {false, true}) {
    EXPECT_EQ(saveAsUser(user_, file, "user's text\r\n", consent), std::string("failed: ") + std::strerror(EACCES))
        << consent;
    EXPECT_EQ(bytesOf(file), "root's text\r\n");
    EXPECT_EQ(statOf(file).st_uid, 0u);
    EXPECT_EQ(namesIn(dir_ / "shared"), std::vector<std::string>{"roots.txt"});
  }
}

TEST_F(UnprivilegedSave, OwnReadOnlyFileIsSavedOnlyWithConsent) {
  struct Row {
    const char* folder;
    mode_t folderMode;
  } rows[] = {{"writable", 0755}, {"locked", 0555}};
  for (const auto& r : rows) {
    const std::string folder = dir_ / r.folder;
    std::filesystem::create_directory(folder);
    if (::geteuid() == 0) {
      ASSERT_EQ(::chown(folder.c_str(), user_.uid, user_.gid), 0);
    }
    const std::string file = folder + "/ro.txt";
    putBytes(file, "read-only text\r\n");
    own(file, 0444);
    ASSERT_EQ(::chmod(folder.c_str(), r.folderMode), 0);
    const std::string refused = saveAsUser(user_, file, "unasked\r\n");
    skipUnlessDropped(refused);
    EXPECT_EQ(refused, std::string("failed: ") + std::strerror(EACCES)) << r.folder;
    EXPECT_EQ(bytesOf(file), "read-only text\r\n") << r.folder;
    EXPECT_EQ(saveAsUser(user_, file, "confirmed\r\n", true), "") << r.folder;
    EXPECT_EQ(bytesOf(file), "confirmed\r\n") << r.folder;
    EXPECT_EQ(statOf(file).st_mode & 07777, 0444u) << r.folder;
    EXPECT_EQ(statOf(file).st_uid, user_.uid) << r.folder;
    EXPECT_EQ(namesIn(folder), std::vector<std::string>{"ro.txt"}) << r.folder;
  }
}

TEST_F(UnprivilegedSave, TheChildReallyRunsWithoutRights) {
  const std::string report = runAsUnprivileged(user_, [] { return std::to_string(::geteuid()); });
  skipUnlessDropped(report);
  EXPECT_NE(report, "0");
  EXPECT_EQ(report, std::to_string(user_.uid));
}
