// File identities: what changes them, and when a document offers to reload
// its file or asks before overwriting it.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "common/save_test_support.h"
#include "core/common/file_bytes.h"
#include "core/common/file_identity.h"

using namespace kiv;
using namespace kiv::test;

namespace {

void setModified(const std::string& path, time_t seconds, long nanoseconds) {
  struct timespec t[2] = {{seconds, nanoseconds}, {seconds, nanoseconds}};
  ::utimensat(AT_FDCWD, path.c_str(), t, 0);
}

}  // namespace

TEST(FileIdentity, ChangesWithContentTimeAndInodeButNotWithReading) {
  ScratchFolder dir;
  const std::string file = dir / "a.txt";
  putBytes(file, "12345");
  setModified(file, 1700000000, 100);
  const auto first = fileIdentity(file);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->size, 5);
  EXPECT_EQ(first->modifiedSeconds, 1700000000);
  EXPECT_EQ(first->modifiedNanoseconds, 100);
  (void)readFileBytes(file);
  ::chmod(file.c_str(), 0600);  // the status, not the content
  EXPECT_EQ(fileIdentity(file), first);

  // Same size and a time only a nanosecond apart.
  putBytes(file, "54321");
  setModified(file, 1700000000, 101);
  EXPECT_NE(fileIdentity(file), first);
  // Same size and time, another file renamed over it.
  putBytes(dir / "b.txt", "12345");
  setModified(dir / "b.txt", 1700000000, 100);
  std::filesystem::rename(dir / "b.txt", file);
  auto replaced = fileIdentity(file);
  ASSERT_TRUE(replaced);
  EXPECT_NE(replaced->inode, first->inode);
  EXPECT_NE(replaced, first);

  // Through a link: the file the link names.
  ASSERT_EQ(::symlink("a.txt", (dir / "link").c_str()), 0);
  EXPECT_EQ(fileIdentity(dir / "link"), replaced);
  EXPECT_FALSE(fileIdentity(dir / "missing"));
  EXPECT_FALSE(fileIdentity(""));
}

TEST(DiskFileState, ChangedAndReloadOffers) {
  const FileIdentity a{1, 10, 5, 100, 0}, b{1, 10, 6, 101, 0}, c{1, 11, 6, 102, 0};
  struct Row {
    std::optional<FileIdentity> known, dismissed, now;
    bool changed, offers;
  } rows[] = {
      {std::nullopt, std::nullopt, a, false, false},  // never read: nothing to compare
      {a, std::nullopt, a, false, false},
      {a, std::nullopt, b, true, true},
      {a, std::nullopt, std::nullopt, false, false},  // removed: nothing to reload or overwrite
      {a, b, b, true, false},                         // the user said no to this change
      {a, b, c, true, true},                          // a later change is offered again
  };
  for (const auto& r : rows) {
    DiskFileState s;
    s.known = r.known;
    s.dismissed = r.dismissed;
    EXPECT_EQ(s.changedOnDisk(r.now), r.changed);
    EXPECT_EQ(s.offersReload(r.now), r.offers);
  }
  DiskFileState s;
  s.known = a;
  s.dismissed = b;
  s.remember(c);
  EXPECT_EQ(s.known, c);
  EXPECT_FALSE(s.dismissed);
}
