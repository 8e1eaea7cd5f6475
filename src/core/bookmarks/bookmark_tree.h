#pragma once
// The bookmarks tree and its file, "Engine/bookmarx/bmxtree.bmx": a
// 12-byte signature, then one record per top-level node; a record holds
// its node's state, its children's records and the 520-byte bookmark
// (caption and file name as length-prefixed strings of 255 bytes at most,
// the line twice as a little-endian 32-bit number). The reader takes the
// file as untrusted: every size and count is checked against what is left,
// and anything that does not add up refuses the whole file.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

inline constexpr std::size_t kBookmarkStringMax = 255;
inline constexpr std::size_t kBookmarkDataSize = 520;

struct Bookmark {
  std::string caption;   // Windows-1251 text, at most 255 bytes
  std::string fileName;  // the file's path (UTF-8), at most 255 bytes
  std::int32_t line = 0; // the top line in view, from 0
  friend bool operator==(const Bookmark&, const Bookmark&) = default;
};

struct BookmarkNode {
  Bookmark bookmark;
  bool expanded = false;
  std::vector<BookmarkNode> children;
  friend bool operator==(const BookmarkNode&, const BookmarkNode&) = default;
};

inline constexpr std::string_view kBookmarkFormatWrong = "Unable to load tree structure, the format is wrong.";
inline constexpr std::string_view kBookmarkVersionUnknown = "Unable to load tree structure, the version is unknown.";
inline constexpr std::string_view kBookmarkDataCorrupt =
    "Stream data corrupt. Unexpected data after node's end position.";

struct BookmarkTreeReading {
  std::vector<BookmarkNode> nodes;
  std::string error;  // one of the three messages above; nodes then empty
  bool ok() const { return error.empty(); }
};

// The file's bytes as a tree. Nesting deeper than kBookmarkMaxDepth is
// refused as corrupt data.
inline constexpr int kBookmarkMaxDepth = 256;
BookmarkTreeReading readBookmarkTree(std::string_view bytes);

// The tree as the file's bytes; strings longer than 255 bytes are cut
// (file names at a UTF-8 character boundary). `rowHeight` is written as
// every node's height.
std::string writeBookmarkTree(const std::vector<BookmarkNode>& nodes, int rowHeight = 18);

// Text cut to at most `limit` bytes; the UTF-8 form never splits a
// character.
std::string cutBytes(std::string_view text, std::size_t limit = kBookmarkStringMax);
std::string cutUtf8(std::string_view text, std::size_t limit = kBookmarkStringMax);

}  // namespace kiv
