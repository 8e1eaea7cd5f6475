// The bookmarks file: byte-exact records, round trips, cut strings, and
// damaged or hostile files refused with the tree left empty.

#include <gtest/gtest.h>

#include <cstring>

#include "core/bookmarks/bookmark_tree.h"

using namespace kiv;

namespace {

const std::string kSignature("\x45\x20\x56\x00\x54\x00\x01\x00\x10\x00\x46\x20", 12);

std::int32_t int32At(const std::string& s, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + static_cast<std::size_t>(i)]);
  return static_cast<std::int32_t>(v);
}

void setInt32(std::string& s, std::size_t at, std::int32_t value) {
  for (int i = 0; i < 4; ++i) s[at + static_cast<std::size_t>(i)] = static_cast<char>((static_cast<std::uint32_t>(value) >> (8 * i)) & 0xFF);
}

BookmarkNode node(const std::string& caption, const std::string& file, int line, std::vector<BookmarkNode> children = {},
                  bool expanded = false) {
  BookmarkNode n;
  n.bookmark = {caption, file, line};
  n.children = std::move(children);
  n.expanded = expanded;
  return n;
}

std::vector<BookmarkNode> sampleTree() {
  return {node("notes.txt1", "/home/u/notes.txt", 12,
               {node("child\xE0", "/home/u/\xD0\xB4.txt", 0), node("deep", "/x", 7, {node("leaf", "/y", -1)}, true)},
               true),
          node("second", "/tmp/a b.txt", 100000)};
}

}  // namespace

TEST(BookmarkTree, EmptyTreeIsTheSignatureAlone) {
  EXPECT_EQ(writeBookmarkTree({}), kSignature);
  const auto r = readBookmarkTree(kSignature);
  EXPECT_TRUE(r.ok());
  EXPECT_TRUE(r.nodes.empty());
}

TEST(BookmarkTree, OneNodeByteForByte) {
  const std::string f = writeBookmarkTree({node("cap", "/f", 5)}, 18);
  ASSERT_EQ(f.size(), 12u + 8 + 8 + 12 + 8 + 520);
  EXPECT_EQ(f.substr(0, 12), kSignature);
  struct Field {
    std::size_t at;
    std::int32_t value;
  } fields[] = {{12, 1}, {16, 8 + 12 + 8 + 520}, {20, 2}, {24, 12}, {28, 0}, {32, 18}, {40, 4}, {44, 520}};
  for (const auto& x : fields) EXPECT_EQ(int32At(f, x.at), x.value) << x.at;
  EXPECT_EQ(static_cast<unsigned char>(f[36]), 0x81);  // initialised, visible
  EXPECT_EQ(f[37], 9);
  EXPECT_EQ(f[38], 0);
  EXPECT_EQ(f[39], 0);
  EXPECT_EQ(f[48], 3);
  EXPECT_EQ(f.substr(49, 3), "cap");
  EXPECT_EQ(f[52], 0);  // the rest of the 256 is zero
  EXPECT_EQ(f[48 + 256], 2);
  EXPECT_EQ(f.substr(48 + 257, 2), "/f");
  EXPECT_EQ(int32At(f, 48 + 512), 5);
  EXPECT_EQ(int32At(f, 48 + 516), 5);
}

TEST(BookmarkTree, NestedTreeRoundTrips) {
  const auto tree = sampleTree();
  const std::string f = writeBookmarkTree(tree);
  const auto r = readBookmarkTree(f);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.nodes, tree);
  EXPECT_EQ(writeBookmarkTree(r.nodes), f);
  // The parent's flags: has children, expanded.
  EXPECT_EQ(static_cast<unsigned char>(f[36]), 0x01 | 0x20 | 0x40 | 0x80);
}

TEST(BookmarkTree, LongStringsAreCut) {
  const std::string caption(300, 'c');
  std::string path = "/";
  while (path.size() < 254) path += "a";
  path += "\xD0\xB4\xD0\xB4";  // a two-byte letter across byte 255
  const auto r = readBookmarkTree(writeBookmarkTree({node(caption, path, 1)}));
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.nodes[0].bookmark.caption, std::string(255, 'c'));
  EXPECT_EQ(r.nodes[0].bookmark.fileName, path.substr(0, 254));
  EXPECT_EQ(cutUtf8("ab\xD0\xB4", 3), "ab");
  EXPECT_EQ(cutUtf8("ab\xD0\xB4", 4), "ab\xD0\xB4");
  EXPECT_EQ(cutUtf8("\xE2\x82\xAC", 2), "");
}

TEST(BookmarkTree, LeftoversAfterAStringAreIgnored) {
  std::string f = writeBookmarkTree({node("ab", "/f", 1)});
  f[48 + 3] = 'Z';  // past the caption's length
  const auto r = readBookmarkTree(f);
  ASSERT_TRUE(r.ok());
  EXPECT_EQ(r.nodes[0].bookmark.caption, "ab");
}

TEST(BookmarkTree, SignaturesRefused) {
  struct Case {
    std::string bytes;
    std::string_view error;
  } cases[] = {
      {"", kBookmarkFormatWrong},
      {"garbage that is long enough", kBookmarkFormatWrong},
      {kSignature.substr(0, 11), kBookmarkFormatWrong},
      {std::string("\x45\x20\x56\x00\x54\x00\x02\x00\x10\x00\x46\x20", 12), kBookmarkVersionUnknown},
      {std::string("\x45\x20\x56\x00\x54\x00\x01\x00\x11\x00\x46\x20", 12), kBookmarkVersionUnknown},
  };
  for (const auto& c : cases) {
    const auto r = readBookmarkTree(c.bytes);
    EXPECT_EQ(r.error, c.error);
    EXPECT_TRUE(r.nodes.empty());
  }
}

TEST(BookmarkTree, EveryTruncationIsRefusedOrWhole) {
  const std::string f = writeBookmarkTree(sampleTree());
  const std::size_t secondNode = f.size() - (8 + 8 + 12 + 8 + 520);
  for (std::size_t n = 12; n < f.size(); ++n) {
    const auto r = readBookmarkTree(std::string_view(f).substr(0, n));
    if (n == 12 || n == secondNode) {
      EXPECT_TRUE(r.ok()) << n;  // whole top-level records
    } else {
      EXPECT_EQ(r.error, kBookmarkDataCorrupt) << n;
      EXPECT_TRUE(r.nodes.empty());
    }
  }
}

TEST(BookmarkTree, HostileSizesAndCountsRefused) {
  const std::string good = writeBookmarkTree({node("a", "/f", 1)});
  struct Case {
    const char* what;
    std::size_t at;
    std::int32_t value;
  } cases[] = {
      {"node type", 12, 7},
      {"negative node size", 16, -1},
      {"node size past the end", 16, 0x7FFFFFFF},
      {"node size short of its data", 16, 20},
      {"base type", 20, 3},
      {"base size below its body", 24, 11},
      {"base size past the node", 24, 600},
      {"negative child count", 28, -5},
      {"child count with no children", 28, 0x7FFFFFFF},
      {"data size short", 44, 519},
      {"data size past the node", 44, 521},
  };
  for (const auto& c : cases) {
    std::string f = good;
    setInt32(f, c.at, c.value);
    const auto r = readBookmarkTree(f);
    EXPECT_EQ(r.error, kBookmarkDataCorrupt) << c.what;
    EXPECT_TRUE(r.nodes.empty()) << c.what;
  }
  // Data after the last record that is not a record.
  EXPECT_EQ(readBookmarkTree(good + "xyz").error, kBookmarkDataCorrupt);
}

TEST(BookmarkTree, UnknownChunksArePassedOverAndNodesWithoutDataAreEmpty) {
  std::string f = kSignature;
  auto put = [&f](std::int32_t v) {
    for (int i = 0; i < 4; ++i) f += static_cast<char>((static_cast<std::uint32_t>(v) >> (8 * i)) & 0xFF);
  };
  put(1);
  put(8 + 12 + 8 + 3);
  put(2);
  put(12);
  put(0);
  put(18);
  put(0x81);
  put(9);  // an unknown chunk of three bytes
  put(3);
  f += "abc";
  const auto r = readBookmarkTree(f);
  ASSERT_TRUE(r.ok()) << r.error;
  ASSERT_EQ(r.nodes.size(), 1u);
  EXPECT_EQ(r.nodes[0].bookmark, Bookmark{});
}

TEST(BookmarkTree, DeepNestingIsRefusedNotOverflowed) {
  BookmarkNode deep = node("leaf", "/f", 0);
  for (int i = 0; i < kBookmarkMaxDepth + 5; ++i) deep = node("n", "/f", 0, {deep});
  const auto r = readBookmarkTree(writeBookmarkTree({deep}));
  EXPECT_EQ(r.error, kBookmarkDataCorrupt);
  BookmarkNode fine = node("leaf", "/f", 0);
  for (int i = 0; i < kBookmarkMaxDepth - 1; ++i) fine = node("n", "/f", 0, {fine});
  EXPECT_TRUE(readBookmarkTree(writeBookmarkTree({fine})).ok());
}
