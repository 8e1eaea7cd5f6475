// The hex editor's paged file: reading through the cache, typing over,
// shortening, saving and finding, checked against a plain string of the
// same bytes; and files above 4 GiB (sparse) for offsets, finding across
// block boundaries and shortening.

#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "core/common/file_bytes.h"
#include "core/hex/hex_document.h"

using namespace kiv;

namespace {

class TempFolder {
 public:
  TempFolder() {
    char name[] = "/tmp/kiv-hex-test-XXXXXX";
    path_ = ::mkdtemp(name);
  }
  ~TempFolder() { (void)!std::system(("rm -rf '" + path_ + "'").c_str()); }
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  const std::string& path() const { return path_; }
  int entries() const {
    int n = 0;
    if (DIR* d = ::opendir(path_.c_str())) {
      while (dirent* e = ::readdir(d)) n += e->d_name[0] != '.';
      ::closedir(d);
    }
    return n;
  }

 private:
  std::string path_;
};

void writeFile(const std::string& path, const std::string& bytes) {
  ASSERT_TRUE(writeFileAtomically(path, bytes));
}

std::string patterned(std::size_t n) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 7 + i / 251) & 0xFF);
  return s;
}

std::string contents(HexDocument& d) {
  std::string s(d.size(), '\0');
  EXPECT_EQ(d.read(0, s.data(), s.size()), s.size());
  return s;
}

// A tiny deterministic generator for the model tests.
struct Lcg {
  std::uint64_t state;
  std::uint64_t below(std::uint64_t n) {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return n ? (state >> 33) % n : 0;
  }
};

}  // namespace

TEST(HexDocument, OpensAndReadsThroughTheCache) {
  TempFolder t;
  const std::string bytes = patterned(200000);
  writeFile(t.file("a.bin"), bytes);
  HexDocument d;
  ASSERT_TRUE(d.open(t.file("a.bin")));
  EXPECT_EQ(d.size(), bytes.size());
  EXPECT_EQ(d.fileName(), t.file("a.bin"));
  EXPECT_FALSE(d.isModified());
  EXPECT_EQ(d.pieceCount(), 1u);
  // Rows across the cache's edges, forwards and backwards.
  for (std::uint64_t p : {0ull, 65530ull, 65536ull, 98300ull, 32760ull, 131070ull, 199990ull, 5ull}) {
    const std::string_view row = d.bytesAt(p, 16);
    EXPECT_EQ(row, std::string_view(bytes).substr(p, 16)) << p;
  }
  EXPECT_EQ(d.bytesAt(199995, 16).size(), 5u);
  EXPECT_TRUE(d.bytesAt(200000, 16).empty());
}

TEST(HexDocument, RefusesWhatItCannotRead) {
  TempFolder t;
  writeFile(t.file("a.bin"), "abc");
  HexDocument d;
  ASSERT_TRUE(d.open(t.file("a.bin")));
  std::string why;
  EXPECT_FALSE(d.open(t.file("missing"), &why));
  EXPECT_FALSE(why.empty());
  EXPECT_FALSE(d.open(t.path()));
  // The file loaded before stays.
  EXPECT_EQ(d.fileName(), t.file("a.bin"));
  EXPECT_EQ(contents(d), "abc");
}

TEST(HexDocument, EmptyDocumentTakesNoTyping) {
  HexDocument d;
  EXPECT_FALSE(d.isOpen());
  EXPECT_EQ(d.size(), 0u);
  EXPECT_FALSE(d.overwrite(0, 1));
  EXPECT_FALSE(d.erase(0, 1));
  EXPECT_FALSE(d.find("a", 0, 10, false));
  std::string why;
  EXPECT_FALSE(d.save("/tmp/never-written", &why));
}

TEST(HexDocument, TypingMarksOnlyChangedBytes) {
  TempFolder t;
  writeFile(t.file("a.bin"), "0123456789");
  HexDocument d;
  ASSERT_TRUE(d.open(t.file("a.bin")));
  EXPECT_FALSE(d.overwrite(3, '3'));  // the value it has
  EXPECT_FALSE(d.isChanged(3));
  EXPECT_FALSE(d.isModified());
  EXPECT_TRUE(d.overwrite(3, 'x'));
  EXPECT_TRUE(d.overwrite(4, 'y'));
  EXPECT_TRUE(d.overwrite(5, 'z'));
  EXPECT_FALSE(d.overwrite(10, 'q'));  // past the end
  EXPECT_EQ(contents(d), "012xyz6789");
  EXPECT_TRUE(d.isModified());
  EXPECT_TRUE(d.isChanged(4));
  EXPECT_FALSE(d.isChanged(6));
  EXPECT_EQ(d.pieceCount(), 3u);  // consecutive typing makes one piece
  d.clearChangedMarks();
  EXPECT_FALSE(d.isChanged(4));
  EXPECT_EQ(contents(d), "012xyz6789");
  // The file on disk is untouched until saved.
  EXPECT_EQ(readFileBytes(t.file("a.bin")), "0123456789");
}

TEST(HexDocument, ShorteningDropsMarksFromTheRangeOn) {
  TempFolder t;
  writeFile(t.file("a.bin"), "0123456789");
  HexDocument d;
  ASSERT_TRUE(d.open(t.file("a.bin")));
  d.overwrite(1, 'a');
  d.overwrite(8, 'b');
  EXPECT_TRUE(d.erase(4, 3));
  EXPECT_EQ(contents(d), "0a237b9");
  EXPECT_EQ(d.size(), 7u);
  EXPECT_TRUE(d.isChanged(1));
  EXPECT_FALSE(d.isChanged(5));  // the typed "b" moved down, unmarked
  EXPECT_TRUE(d.erase(5, 100));  // clipped to the end
  EXPECT_EQ(contents(d), "0a237");
  EXPECT_FALSE(d.erase(5, 1));
  EXPECT_TRUE(d.erase(0, 5));
  EXPECT_EQ(d.size(), 0u);
  EXPECT_EQ(d.pieceCount(), 0u);
}

TEST(HexDocument, RandomEditsAgreeWithAPlainString) {
  TempFolder t;
  std::string model = patterned(300000);
  writeFile(t.file("a.bin"), model);
  HexDocument d;
  ASSERT_TRUE(d.open(t.file("a.bin")));
  Lcg rng{42};
  for (int step = 0; step < 3000 && !model.empty(); ++step) {
    const std::uint64_t p = rng.below(model.size());
    if (rng.below(20) == 0) {
      const std::uint64_t n = rng.below(3000) + 1;
      d.erase(p, n);
      model.erase(p, n);
    } else {
      // Runs of typing, as a user types on.
      const int run = static_cast<int>(rng.below(8)) + 1;
      for (int k = 0; k < run && p + k < model.size(); ++k) {
        const auto v = static_cast<unsigned char>(rng.below(256));
        const bool changed = d.overwrite(p + k, v);
        EXPECT_EQ(changed, static_cast<unsigned char>(model[p + k]) != v);
        model[p + k] = static_cast<char>(v);
      }
    }
    if (step % 250 == 0) {
      ASSERT_EQ(d.size(), model.size());
      const std::uint64_t q = rng.below(model.size());
      EXPECT_EQ(d.bytesAt(q, 256), std::string_view(model).substr(q, 256));
    }
  }
  EXPECT_EQ(contents(d), model);
  // Saved, reopened: the same bytes, one piece again.
  std::string why;
  ASSERT_TRUE(d.save(t.file("b.bin"), &why)) << why;
  EXPECT_EQ(readFileBytes(t.file("b.bin")), model);
  EXPECT_EQ(d.pieceCount(), model.empty() ? 0u : 1u);
  HexDocument again;
  ASSERT_TRUE(again.open(t.file("b.bin")));
  EXPECT_EQ(contents(again), model);
}

TEST(HexDocument, SaveAndSaveAs) {
  TempFolder t;
  writeFile(t.file("a.bin"), "hello world");
  ::chmod(t.file("a.bin").c_str(), 0640);
  HexDocument d;
  ASSERT_TRUE(d.open(t.file("a.bin")));
  d.overwrite(0, 'H');
  std::string why;
  ASSERT_TRUE(d.save(t.file("a.bin"), &why)) << why;
  EXPECT_EQ(readFileBytes(t.file("a.bin")), "Hello world");
  struct stat st {};
  ::stat(t.file("a.bin").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_FALSE(d.isModified());
  EXPECT_FALSE(d.isChanged(0));
  // Save as: the new name becomes the document's file.
  d.overwrite(6, 'W');
  ASSERT_TRUE(d.save(t.file("b.bin"), &why)) << why;
  EXPECT_EQ(d.fileName(), t.file("b.bin"));
  EXPECT_EQ(readFileBytes(t.file("a.bin")), "Hello world");
  EXPECT_EQ(readFileBytes(t.file("b.bin")), "Hello World");
  d.erase(5, 6);
  ASSERT_TRUE(d.save(d.fileName(), &why));
  EXPECT_EQ(readFileBytes(t.file("b.bin")), "Hello");
  // Nothing but the two files is left in the folder.
  EXPECT_EQ(t.entries(), 2);
}

TEST(HexDocument, FailedSaveReportsAndKeepsTheMarks) {
  TempFolder t;
  writeFile(t.file("a.bin"), "abc");
  HexDocument d;
  ASSERT_TRUE(d.open(t.file("a.bin")));
  d.overwrite(1, 'X');
  std::string why;
  EXPECT_FALSE(d.save(t.file("no/such/folder/x.bin"), &why));
  EXPECT_FALSE(why.empty());
  EXPECT_FALSE(d.save(t.path(), &why));  // a folder
  EXPECT_TRUE(d.isModified());
  EXPECT_TRUE(d.isChanged(1));
  EXPECT_EQ(d.fileName(), t.file("a.bin"));
  EXPECT_EQ(readFileBytes(t.file("a.bin")), "abc");
  if (::geteuid() != 0) {
    ::chmod(t.path().c_str(), 0500);
    EXPECT_FALSE(d.save(t.file("a.bin"), &why));
    ::chmod(t.path().c_str(), 0700);
    EXPECT_EQ(readFileBytes(t.file("a.bin")), "abc");
  }
}

TEST(HexDocument, WorkingCopyLeavesNothingBehind) {
  TempFolder t, work;
  ::setenv("TMPDIR", work.path().c_str(), 1);
  writeFile(t.file("a.bin"), patterned(5000));
  {
    HexDocument d;
    ASSERT_TRUE(d.open(t.file("a.bin")));
    for (int i = 0; i < 100; ++i) d.overwrite(static_cast<std::uint64_t>(i) * 37, 0xAA);
    EXPECT_EQ(work.entries(), 0);
    // Opening another file forgets the typed bytes.
    ASSERT_TRUE(d.open(t.file("a.bin")));
    EXPECT_EQ(contents(d), patterned(5000));
  }
  EXPECT_EQ(work.entries(), 0);
  ::unsetenv("TMPDIR");
}

TEST(HexDocument, FindWithinTheRange) {
  TempFolder t;
  writeFile(t.file("a.bin"), "abcabcXYZ\xC0\xE1z");
  HexDocument d;
  ASSERT_TRUE(d.open(t.file("a.bin")));
  struct Case {
    const char* pattern;
    std::int64_t from, to;
    bool ignoreCase;
    std::optional<std::uint64_t> found;
  } cases[] = {
      {"a", 0, 0, false, 0},          // 0 and 0: only a one-byte pattern at offset 0
      {"ab", 0, 0, false, {}},        // longer than the range
      {"abc", 1, 100, false, 3},      // "to" lowered to the last byte
      {"abc", -5, 2, false, 0},       // a negative "from" counts as 0
      {"abc", 4, 100, false, {}},
      {"xyz", 0, 100, false, {}},
      {"xyz", 0, 100, true, 6},
      {"XYZ", 0, 8, false, 6},
      {"XYZ", 0, 7, false, {}},       // the match would end past "to"
      {"\xE0\xC1Z", 0, 100, true, 9},  // Cyrillic letters in either case
      {"", 0, 100, false, {}},
      {"z", 11, 11, false, 11},
      {"z", 12, 20, false, {}},
      {"a", 0, -1, false, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(d.find(c.pattern, c.from, c.to, c.ignoreCase), c.found) << c.pattern << " " << c.from << " " << c.to;
}

TEST(HexDocument, FindsEditsAndAcrossBlocks) {
  TempFolder t;
  std::string bytes(3 * 1024 * 1024 + 10, 'x');
  const std::uint64_t edge = 1 << 20;  // a match across the first block's end
  bytes.replace(edge - 2, 4, "NEED");
  writeFile(t.file("a.bin"), bytes);
  HexDocument d;
  ASSERT_TRUE(d.open(t.file("a.bin")));
  EXPECT_EQ(d.find("NEED", 0, 1 << 30, false), edge - 2);
  EXPECT_EQ(d.find("NEED", edge - 1, 1 << 30, false), std::nullopt);
  // Typed bytes are found too, and shortening moves what follows.
  d.overwrite(2 * edge + 5, 'Q');
  d.overwrite(2 * edge + 6, 'R');
  EXPECT_EQ(d.find("xQRx", 0, 1 << 30, false), 2 * edge + 4);
  d.erase(10, 100);
  EXPECT_EQ(d.find("xQRx", 0, 1 << 30, false), 2 * edge + 4 - 100);
  EXPECT_EQ(d.find("NEED", 0, 1 << 30, false), edge - 102);
}

// ---------------------------------------------------------------------------
// Files above 4 GiB: sparse, so they cost no disk space.

class BigFile : public ::testing::Test {
 protected:
  static constexpr std::uint64_t kGiB = 1ull << 30;
  static constexpr std::uint64_t kSize = 5 * kGiB + 123;
  void SetUp() override {
    path_ = folder_.file("big.bin");
    const int fd = ::open(path_.c_str(), O_CREAT | O_WRONLY, 0644);
    ASSERT_GE(fd, 0);
    if (::ftruncate(fd, static_cast<off_t>(kSize)) != 0) {
      ::close(fd);
      GTEST_SKIP() << "no sparse files here";
    }
    put(fd, 4 * kGiB - 2, "FOUR");          // across the 4 GiB line
    put(fd, 4 * kGiB + (1 << 20) - 3, "BLOCK");  // across a read block above it
    put(fd, kSize - 3, "END");
    ::close(fd);
  }
  static void put(int fd, std::uint64_t at, const char* s) {
    ASSERT_EQ(::pwrite(fd, s, std::strlen(s), static_cast<off_t>(at)), static_cast<ssize_t>(std::strlen(s)));
  }
  TempFolder folder_;
  std::string path_;
};

TEST_F(BigFile, OffsetsAboveFourGiB) {
  HexDocument d;
  ASSERT_TRUE(d.open(path_));
  EXPECT_EQ(d.size(), kSize);
  EXPECT_EQ(d.bytesAt(4 * kGiB - 2, 4), "FOUR");
  EXPECT_EQ(d.bytesAt(kSize - 3, 16), "END");
  EXPECT_EQ(d.byteAt(4 * kGiB + 2), 0);
  EXPECT_TRUE(d.overwrite(4 * kGiB + 7, 'q'));
  EXPECT_EQ(d.byteAt(4 * kGiB + 7), 'q');
  EXPECT_TRUE(d.isChanged(4 * kGiB + 7));
  EXPECT_FALSE(d.isChanged(7));  // no truncation to 32 bits
  EXPECT_EQ(d.bytesAt(7, 1), std::string(1, '\0'));
}

TEST_F(BigFile, FindsAcrossBoundariesAboveFourGiB) {
  HexDocument d;
  ASSERT_TRUE(d.open(path_));
  EXPECT_EQ(d.find("FOUR", 4 * kGiB - 100, 4 * kGiB + 100, false), 4 * kGiB - 2);
  EXPECT_EQ(d.find("four", 4 * kGiB - 100, 4 * kGiB + 100, true), 4 * kGiB - 2);
  EXPECT_EQ(d.find("BLOCK", 4 * kGiB, 4 * kGiB + (2 << 20), false), 4 * kGiB + (1 << 20) - 3);
  EXPECT_EQ(d.find("END", 5 * kGiB, -1 + static_cast<std::int64_t>(kSize) + 1000, false), kSize - 3);
  EXPECT_EQ(d.find("END", 5 * kGiB, static_cast<std::int64_t>(kSize) - 2, false), std::nullopt);
}

TEST_F(BigFile, ShorteningAboveFourGiB) {
  HexDocument d;
  ASSERT_TRUE(d.open(path_));
  ASSERT_TRUE(d.erase(4 * kGiB - 1, 2));  // "FOUR" becomes "FR"
  EXPECT_EQ(d.size(), kSize - 2);
  EXPECT_EQ(d.bytesAt(4 * kGiB - 2, 2), "FR");
  EXPECT_EQ(d.find("BLOCK", 4 * kGiB, 4 * kGiB + (2 << 20), false), 4 * kGiB + (1 << 20) - 5);
  EXPECT_EQ(d.bytesAt(kSize - 5, 16), "END");
  ASSERT_TRUE(d.erase(kSize - 5, 1));
  EXPECT_EQ(d.bytesAt(kSize - 6, 16), std::string("\0ND", 3));
}
