// Saving real files: symbolic link chains, hard links, owners, modes,
// read-only files, names too long for a temporary file, special files and
// stale temporary files.

#include <gtest/gtest.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include "common/save_test_support.h"
#include "core/common/file_bytes.h"
#include "core/common/safe_save.h"

using namespace kiv;
using namespace kiv::test;

namespace {

std::string saveError(const std::string& path, const std::string& bytes) {
  std::string why;
  return writeFileAtomically(path, bytes, &why) ? std::string() : why;
}

// A file's modification time set an hour back (or forward).
void shiftModified(const std::string& path, int seconds) {
  struct timespec t[2];
  ::clock_gettime(CLOCK_REALTIME, &t[0]);
  t[0].tv_sec += seconds;
  t[1] = t[0];
  ::utimensat(AT_FDCWD, path.c_str(), t, AT_SYMLINK_NOFOLLOW);
}

}  // namespace

TEST(SafeSave, OrdinaryFileIsReplacedWholeKeepingItsModeAndGroup) {
  struct Row {
    mode_t mode;
    bool otherGroup;  // superuser only: a group that is not ours
  } rows[] = {{0600, false}, {0640, false}, {0755, false}, {0664, true}, {02775, true}};
  for (const auto& r : rows) {
    if (r.otherGroup && ::geteuid() != 0) continue;
    ScratchFolder dir;
    const std::string file = dir / "plain.txt";
    putBytes(file, "old text\r\n");
    ASSERT_EQ(::chmod(file.c_str(), r.mode), 0);
    const gid_t group = r.otherGroup ? unprivilegedUser().gid : statOf(file).st_gid;
    ASSERT_EQ(::chown(file.c_str(), static_cast<uid_t>(-1), group), 0);
    ASSERT_EQ(::chmod(file.c_str(), r.mode), 0);  // chown clears the set-group bit
    const ino_t before = statOf(file).st_ino;
    EXPECT_EQ(saveError(file, allBytes()), "") << std::oct << r.mode;
    EXPECT_EQ(bytesOf(file), allBytes());
    const struct stat after = statOf(file);
    EXPECT_NE(after.st_ino, before) << "the ordinary save goes through a temporary file and a rename";
    EXPECT_EQ(after.st_mode & 07777, r.mode) << std::oct << r.mode;
    EXPECT_EQ(after.st_gid, group);
    EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"plain.txt"});
  }
}

TEST(SafeSave, LinkChainWritesTheRealFileAndKeepsTheLinks) {
  ScratchFolder dir;
  std::filesystem::create_directory(dir / "real");
  std::filesystem::create_directory(dir / "links");
  const std::string real = dir / "real/c.txt";
  putBytes(real, "c old\r\n");
  // links/a.txt -> b.txt (relative, same folder) -> ../real/c.txt (relative,
  // other folder); abs.txt -> links/a.txt (absolute).
  ASSERT_EQ(::symlink("../real/c.txt", (dir / "links/b.txt").c_str()), 0);
  ASSERT_EQ(::symlink("b.txt", (dir / "links/a.txt").c_str()), 0);
  ASSERT_EQ(::symlink((dir / "links/a.txt").c_str(), (dir / "abs.txt").c_str()), 0);
  struct Row {
    std::string via;
    std::string text;
  } rows[] = {{dir / "links/a.txt", "through a\r\n"}, {dir / "abs.txt", "through abs\r\n"}, {dir / "links/b.txt", "b"}};
  for (const auto& r : rows) {
    EXPECT_EQ(saveError(r.via, r.text), "") << r.via;
    EXPECT_EQ(bytesOf(real), r.text) << r.via;
    EXPECT_TRUE(S_ISLNK(lstatOf(dir / "links/a.txt").st_mode));
    EXPECT_TRUE(S_ISLNK(lstatOf(dir / "links/b.txt").st_mode)) << "the middle link became a file";
    EXPECT_EQ(linkText(dir / "links/a.txt"), "b.txt");
    EXPECT_EQ(linkText(dir / "links/b.txt"), "../real/c.txt");
    EXPECT_EQ(linkText(dir / "abs.txt"), dir / "links/a.txt");
    EXPECT_TRUE(S_ISREG(lstatOf(real).st_mode));
  }
  EXPECT_EQ(namesIn(dir / "links"), (std::vector<std::string>{"a.txt", "b.txt"}));
  EXPECT_EQ(namesIn(dir / "real"), std::vector<std::string>{"c.txt"});
  EXPECT_EQ(resolveLinkChain(dir / "abs.txt"), real);
}

TEST(SafeSave, DanglingChainCreatesTheFileAtItsEndAndALoopFails) {
  ScratchFolder dir;
  ASSERT_EQ(::symlink("b.txt", (dir / "a.txt").c_str()), 0);
  ASSERT_EQ(::symlink("c.txt", (dir / "b.txt").c_str()), 0);
  EXPECT_EQ(saveError(dir / "a.txt", "new\r\n"), "");
  EXPECT_EQ(bytesOf(dir / "c.txt"), "new\r\n");
  EXPECT_TRUE(S_ISLNK(lstatOf(dir / "a.txt").st_mode));
  EXPECT_TRUE(S_ISLNK(lstatOf(dir / "b.txt").st_mode));

  ASSERT_EQ(::symlink("loop2", (dir / "loop1").c_str()), 0);
  ASSERT_EQ(::symlink("loop1", (dir / "loop2").c_str()), 0);
  EXPECT_NE(saveError(dir / "loop1", "x"), "");
  EXPECT_EQ(linkText(dir / "loop1"), "loop2");
  EXPECT_EQ(linkText(dir / "loop2"), "loop1");
  EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"a.txt", "b.txt", "c.txt", "loop1", "loop2"}));
}

TEST(SafeSave, HardLinkedFileIsWrittenInPlace) {
  struct Row {
    std::string oldText, newText;
  } rows[] = {{"old and long text\r\n", "short"}, {"x", std::string(300000, 'y')}, {"old\r\n", ""},
              {"old\r\n", allBytes()}};
  for (const auto& r : rows) {
    ScratchFolder dir;
    putBytes(dir / "one.txt", r.oldText);
    ASSERT_EQ(::link((dir / "one.txt").c_str(), (dir / "two.txt").c_str()), 0);
    const ino_t inode = statOf(dir / "one.txt").st_ino;
    EXPECT_EQ(saveError(dir / "one.txt", r.newText), "");
    EXPECT_EQ(bytesOf(dir / "one.txt"), r.newText);
    EXPECT_EQ(bytesOf(dir / "two.txt"), r.newText) << "the other link kept the old text";
    EXPECT_EQ(statOf(dir / "two.txt").st_ino, inode);
    EXPECT_EQ(statOf(dir / "one.txt").st_nlink, 2u);
    EXPECT_EQ(namesIn(dir.path()), (std::vector<std::string>{"one.txt", "two.txt"}));
  }
}

TEST(SafeSave, SomeoneElsesFileKeepsOwnerGroupModeAndInode) {
  if (::geteuid() != 0) GTEST_SKIP() << "only the superuser can give a file to another user";
  const Unprivileged other = unprivilegedUser();
  ASSERT_TRUE(other.available) << other.note;
  ScratchFolder dir;
  const std::string file = dir / "theirs.txt";
  putBytes(file, "their text\r\n");
  ASSERT_EQ(::chown(file.c_str(), other.uid, other.gid), 0);
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  const ino_t inode = statOf(file).st_ino;
  EXPECT_EQ(saveError(file, "root edited it\r\n"), "");
  EXPECT_EQ(bytesOf(file), "root edited it\r\n");
  const struct stat after = statOf(file);
  EXPECT_EQ(after.st_uid, other.uid) << "the owner changed";
  EXPECT_EQ(after.st_gid, other.gid);
  EXPECT_EQ(after.st_mode & 07777, 0640u);
  EXPECT_EQ(after.st_ino, inode);
}

TEST(SafeSave, ReadOnlyFileIsRefusedUnlessTheUserConsents) {
  // Read-only for everyone: refused even for the superuser, who could write it.
  ScratchFolder dir;
  const std::string file = dir / "ro.txt";
  putBytes(file, "keep me\r\n");
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  EXPECT_TRUE(isWriteProtected(file));
  EXPECT_EQ(saveError(file, "overwritten\r\n"), std::strerror(EACCES));
  EXPECT_EQ(bytesOf(file), "keep me\r\n");
  EXPECT_THROW(writeFileOrThrow(file, "overwritten\r\n"), FileError);
  EXPECT_EQ(bytesOf(file), "keep me\r\n");
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"ro.txt"});
  {
    ProtectedWriteConsent consent(file);
    EXPECT_EQ(saveError(file, "confirmed\r\n"), "");
  }
  EXPECT_EQ(bytesOf(file), "confirmed\r\n");
  EXPECT_EQ(statOf(file).st_mode & 07777, 0444u) << "the file stays read-only";
  // The consent ended with its scope.
  EXPECT_NE(saveError(file, "again\r\n"), "");
  EXPECT_EQ(bytesOf(file), "confirmed\r\n");
  // Through a link the consent names the real file.
  ASSERT_EQ(::symlink("ro.txt", (dir / "link.txt").c_str()), 0);
  {
    ProtectedWriteConsent consent(dir / "link.txt");
    EXPECT_EQ(saveError(file, "via link\r\n"), "");
  }
  EXPECT_EQ(bytesOf(file), "via link\r\n");
  EXPECT_FALSE(isWriteProtected(dir / "missing.txt"));
}

TEST(SafeSave, NameTooLongForATemporaryFileIsStillSaved) {
  ScratchFolder dir;
  const std::string file = dir / (std::string(250, 'n') + ".txt");  // 254 bytes: the temporary name is longer
  EXPECT_EQ(saveError(file, "first\r\n"), "");
  EXPECT_EQ(bytesOf(file), "first\r\n");
  EXPECT_EQ(saveError(file, "second\r\n"), "");
  EXPECT_EQ(bytesOf(file), "second\r\n");
  EXPECT_EQ(namesIn(dir.path()).size(), 1u);
}

TEST(SafeSave, ExtendedAttributesStayWithTheFile) {
  ScratchFolder dir;
  const std::string file = dir / "tagged.txt";
  putBytes(file, "old\r\n");
  if (::setxattr(file.c_str(), "user.kiv.note", "keep", 4, 0) != 0)
    GTEST_SKIP() << "this file system takes no user attributes";
  EXPECT_EQ(saveError(file, "new\r\n"), "");
  EXPECT_EQ(bytesOf(file), "new\r\n");
  char value[16] = {};
  EXPECT_EQ(::getxattr(file.c_str(), "user.kiv.note", value, sizeof value), 4);
  EXPECT_STREQ(value, "keep");
}

TEST(SafeSave, SpecialFilesAreNotReplaced) {
  ScratchFolder dir;
  const std::string fifo = dir / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  EXPECT_NE(saveError(fifo, "text"), "");
  EXPECT_TRUE(S_ISFIFO(lstatOf(fifo).st_mode)) << "the pipe was replaced by a file";
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"pipe"});
  EXPECT_NE(saveError(dir.path(), "text"), "");
  EXPECT_NE(saveError(dir / "no-folder/x.txt", "text"), "");
  EXPECT_NE(saveError("", "text"), "");
}

TEST(SafeSave, StaleTemporaryFilesOfTheSameNameAreRemoved) {
  ScratchFolder dir;
  const std::string file = dir / "f.txt";
  putBytes(file, "old\r\n");
  struct Row {
    std::string name;
    int age;  // seconds before now; negative: written after this process started
    bool removed;
  } rows[] = {
      {".f.txt.kiv-0123abcd.tmp", 3600, true},
      {".f.txt.kiv-ffffffff.tmp", 86400 * 400, true},
      {".f.txt.kiv-89abcdef.tmp", -5, false},       // another run is writing it now
      {".f.txt.kiv-0123ABCD.tmp", 3600, false},     // upper-case digits: not ours
      {".f.txt.kiv-0123abc.tmp", 3600, false},      // seven digits
      {".f.txt.kiv-0123abcde.tmp", 3600, false},    // nine digits
      {".f.txt.kiv-0123abcd.tmp.bak", 3600, false},
      {"f.txt.kiv-0123abcd.tmp", 3600, false},      // no leading dot
      {".g.txt.kiv-0123abcd.tmp", 3600, false},     // another file's
      {".f.txt.kiv-0123abcd.tmpx", 3600, false},
      {"..f.txt.kiv-0123abcd.tmp", 3600, false},
  };
  for (const auto& r : rows) {
    putBytes(dir / r.name, std::string(1000, 'z'));
    shiftModified(dir / r.name, -r.age);
  }
  // Locked by a run that is still writing it.
  const std::string locked = dir / ".f.txt.kiv-00000001.tmp";
  putBytes(locked, "partial");
  shiftModified(locked, -3600);
  const int lockFd = ::open(locked.c_str(), O_RDONLY);
  ASSERT_EQ(::flock(lockFd, LOCK_EX), 0);
  // A folder of the pattern is not a file of ours.
  std::filesystem::create_directory(dir / ".f.txt.kiv-00000002.tmp");
  shiftModified(dir / ".f.txt.kiv-00000002.tmp", -3600);

  EXPECT_EQ(saveError(file, "new\r\n"), "");
  ::close(lockFd);
  EXPECT_EQ(bytesOf(file), "new\r\n");
  for (const auto& r : rows)
    EXPECT_EQ(std::filesystem::exists(dir / r.name), !r.removed) << r.name;
  EXPECT_TRUE(std::filesystem::exists(locked));
  EXPECT_TRUE(std::filesystem::is_directory(dir / ".f.txt.kiv-00000002.tmp"));
  // The lock is gone: the next save removes it.
  EXPECT_EQ(removeStaleTemporaries(file), 1);
  EXPECT_FALSE(std::filesystem::exists(locked));
}

TEST(SafeSave, StaleTemporaryFilesAreFoundBesideTheRealFile) {
  ScratchFolder dir;
  std::filesystem::create_directory(dir / "real");
  putBytes(dir / "real/c.txt", "old\r\n");
  ASSERT_EQ(::symlink("real/c.txt", (dir / "a.txt").c_str()), 0);
  const std::string stale = dir / "real/.c.txt.kiv-deadbeef.tmp";
  putBytes(stale, std::string(4096, 'q'));
  shiftModified(stale, -600);
  EXPECT_EQ(saveError(dir / "a.txt", "new\r\n"), "");
  EXPECT_FALSE(std::filesystem::exists(stale));
  EXPECT_EQ(namesIn(dir / "real"), std::vector<std::string>{"c.txt"});
}

TEST(SafeSave, TemporaryNames) {
  EXPECT_EQ(temporaryNameFor("a.txt", 0xdeadbeef), ".a.txt.kiv-deadbeef.tmp");
  EXPECT_EQ(temporaryNameFor("a.txt", 1), ".a.txt.kiv-00000001.tmp");
  for (unsigned n : {0u, 1u, 0x7fffffffu, 0xffffffffu})
    EXPECT_TRUE(isTemporaryNameFor(temporaryNameFor("Мой файл.txt", n), "Мой файл.txt")) << n;
  struct Row {
    const char* entry;
    const char* file;
    bool ours;
  } rows[] = {
      {".x.kiv-0123abcd.tmp", "x", true},   {".x.kiv-0123abcd.tmp", "y", false},
      {".x.kiv-0123abcg.tmp", "x", false},  {".x.kiv-0123abcd.tm", "x", false},
      {"x.kiv-0123abcd.tmp", "x", false},   {".xx.kiv-0123abcd.tmp", "x", false},
      {".x.kiv-0123abcd.tmp", "", false},   {"..kiv-0123abcd.tmp", "", true},
      {".x.kiv_0123abcd.tmp", "x", false},  {"", "x", false},
  };
  for (const auto& r : rows) EXPECT_EQ(isTemporaryNameFor(r.entry, r.file), r.ours) << r.entry;
}

namespace {

// Gives the pieces one at a time, then throws where asked instead of giving
// the next one.
struct PieceSource {
  std::vector<std::string> pieces;
  std::size_t throwAt = static_cast<std::size_t>(-1);
  std::size_t at = 0;
  std::string_view operator()() {
    if (at == throwAt) throw std::runtime_error("no memory for the next piece");
    return at < pieces.size() ? std::string_view(pieces[at++]) : std::string_view();
  }
};

}  // namespace

// Bytes given in pieces (one larger than a single write) land in order,
// whether the file is new, replaced or written in place for its other link.
TEST(SafeSave, PiecesAreWrittenInOrderEveryWay) {
  const std::vector<std::string> pieces = {"первая\r\n", std::string((9 << 20) + 3, 'x'), allBytes(), "z"};
  std::string joined;
  for (const std::string& p : pieces) joined += p;
  for (const char* how : {"new", "replaced", "hard link"}) {
    ScratchFolder dir;
    const std::string file = dir / "pieces.txt";
    if (std::string(how) != "new") putBytes(file, "old\r\n");
    const bool linked = std::string(how) == "hard link";
    if (linked) {
      ASSERT_EQ(::link(file.c_str(), (dir / "other.txt").c_str()), 0);
    }
    PieceSource source{pieces};
    std::string why;
    ASSERT_TRUE(saveFileSafely(file, std::ref(source), &why)) << how << ": " << why;
    EXPECT_TRUE(bytesOf(file) == joined) << how;
    if (linked) {
      EXPECT_TRUE(bytesOf(dir / "other.txt") == joined);
    }
  }
}

// A piece that cannot be made leaves the old file as it was and no
// temporary file behind, and the failure reaches the caller.
TEST(SafeSave, APieceThatCannotBeMadeLeavesTheOldFile) {
  for (const bool hardLink : {false, true})
    for (const std::size_t throwAt : {0, 1, 2}) {
      ScratchFolder dir;
      const std::string file = dir / "kept.txt";
      putBytes(file, "old text\r\n");
      if (hardLink) {
        ASSERT_EQ(::link(file.c_str(), (dir / "other.txt").c_str()), 0);
      }
      PieceSource source{{"new ", "text"}, throwAt};
      EXPECT_THROW(saveFileSafely(file, std::ref(source)), std::runtime_error);
      EXPECT_EQ(bytesOf(file), "old text\r\n") << hardLink << throwAt;
      EXPECT_EQ(namesIn(dir.path()).size(), hardLink ? 2u : 1u) << hardLink << throwAt;
    }
}

namespace {

// Sets or clears the file's immutable flag; false where that is not allowed
// (not the superuser, or a file system without the flag).
bool setImmutable(const std::string& path, bool on) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK);
  if (fd < 0) return false;
  int flags = 0;
  bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  if (ok) {
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  }
  ::close(fd);
  return ok;
}

}  // namespace

// A file the rename cannot replace (here an immutable one) has its new
// bytes, already written to the temporary file, read back and written in
// place; when that fails too, the save says so, the file keeps its bytes
// and no temporary file is left.
TEST(SafeSave, AFileTheRenameCannotReplaceFailsCleanly) {
  ScratchFolder dir;
  const std::string file = dir / "fixed.txt";
  putBytes(file, "old text\r\n");
  if (!setImmutable(file, true)) GTEST_SKIP() << "the immutable flag cannot be set here";
  struct Unfix {
    std::string path;
    ~Unfix() { setImmutable(path, false); }
  } unfix{file};
  PieceSource source{{"new ", "text"}};
  std::string why;
  EXPECT_FALSE(saveFileSafely(file, std::ref(source), &why));
  EXPECT_FALSE(why.empty());
  EXPECT_EQ(source.at, 2u) << "every piece was written before the rename was tried";
  EXPECT_EQ(bytesOf(file), "old text\r\n");
  EXPECT_EQ(namesIn(dir.path()), std::vector<std::string>{"fixed.txt"});
}
