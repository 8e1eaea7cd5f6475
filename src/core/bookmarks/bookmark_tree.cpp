#include "core/bookmarks/bookmark_tree.h"

#include <cstring>

namespace kiv {

namespace {

constexpr unsigned char kSignature[12] = {0x45, 0x20, 0x56, 0x00, 0x54, 0x00, 0x01, 0x00, 0x10, 0x00, 0x46, 0x20};
constexpr std::int32_t kNodeChunk = 1;
constexpr std::int32_t kBaseChunk = 2;
constexpr std::int32_t kDataChunk = 4;
constexpr std::size_t kHeader = 8;
constexpr std::size_t kBaseBody = 12;

constexpr unsigned char kInitialised = 0x01;
constexpr unsigned char kExpanded = 0x20;
constexpr unsigned char kHasChildren = 0x40;
constexpr unsigned char kVisible = 0x80;

struct Corrupt {};

class Reader {
 public:
  explicit Reader(std::string_view bytes) : bytes_(bytes) {}

  std::vector<BookmarkNode> readAll(std::size_t from) {
    pos_ = from;
    std::vector<BookmarkNode> nodes;
    while (pos_ < bytes_.size()) nodes.push_back(readNode(bytes_.size(), 0));
    return nodes;
  }

 private:
  std::int32_t int32() {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes_[pos_ + static_cast<std::size_t>(i)]);
    pos_ += 4;
    return static_cast<std::int32_t>(v);
  }

  // A chunk header whose size fits before `limit`; returns the chunk's end.
  std::size_t header(std::size_t limit, std::int32_t& type) {
    if (limit - pos_ < kHeader) throw Corrupt{};
    type = int32();
    const std::int32_t size = int32();
    if (size < 0 || static_cast<std::size_t>(size) > limit - pos_) throw Corrupt{};
    return pos_ + static_cast<std::size_t>(size);
  }

  std::string shortString(std::size_t at) const {
    const auto length = static_cast<unsigned char>(bytes_[at]);
    return std::string(bytes_.substr(at + 1, length));
  }

  BookmarkNode readNode(std::size_t limit, int depth) {
    if (depth >= kBookmarkMaxDepth) throw Corrupt{};
    std::int32_t type = 0;
    const std::size_t end = header(limit, type);
    if (type != kNodeChunk) throw Corrupt{};
    const std::size_t baseEnd = header(end, type);
    if (type != kBaseChunk || baseEnd - pos_ < kBaseBody) throw Corrupt{};
    const std::int32_t childCount = int32();
    (void)int32();  // height
    const auto states = static_cast<unsigned char>(bytes_[pos_]);
    pos_ += 4;  // states, alignment, check state, check type
    if (childCount < 0) throw Corrupt{};
    BookmarkNode node;
    node.expanded = (states & kExpanded) != 0;
    for (std::int32_t i = 0; i < childCount; ++i) {
      // Each child needs at least its two headers and base body.
      if (baseEnd - pos_ < 2 * kHeader + kBaseBody) throw Corrupt{};
      node.children.push_back(readNode(baseEnd, depth + 1));
    }
    if (pos_ != baseEnd) throw Corrupt{};
    while (pos_ < end) {
      const std::size_t chunkEnd = header(end, type);
      if (type == kDataChunk) {
        if (chunkEnd - pos_ < kBookmarkDataSize) throw Corrupt{};
        node.bookmark.caption = shortString(pos_);
        node.bookmark.fileName = shortString(pos_ + 256);
        pos_ += 512;
        node.bookmark.line = int32();
      }
      pos_ = chunkEnd;  // chunks of other kinds are passed over
    }
    return node;
  }

  std::string_view bytes_;
  std::size_t pos_ = 0;
};

void putInt32(std::string& out, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void putShortString(std::string& out, const std::string& s) {
  out += static_cast<char>(s.size());
  out += s;
  out.append(255 - s.size(), '\0');
}

void writeNode(std::string& out, const BookmarkNode& node, int rowHeight) {
  std::string children;
  for (const auto& child : node.children) writeNode(children, child, rowHeight);
  const auto baseSize = static_cast<std::int32_t>(kBaseBody + children.size());
  putInt32(out, kNodeChunk);
  putInt32(out, static_cast<std::int32_t>(kHeader + baseSize + kHeader + kBookmarkDataSize));
  putInt32(out, kBaseChunk);
  putInt32(out, baseSize);
  putInt32(out, static_cast<std::int32_t>(node.children.size()));
  putInt32(out, rowHeight);
  unsigned char states = kInitialised | kVisible;
  if (!node.children.empty()) states |= kHasChildren;
  if (node.expanded) states |= kExpanded;
  out += static_cast<char>(states);
  out += static_cast<char>(rowHeight / 2 > 255 ? 255 : rowHeight / 2);  // text in the middle
  out += '\0';  // check state
  out += '\0';  // check type
  out += children;
  putInt32(out, kDataChunk);
  putInt32(out, static_cast<std::int32_t>(kBookmarkDataSize));
  putShortString(out, cutBytes(node.bookmark.caption));
  putShortString(out, cutUtf8(node.bookmark.fileName));
  putInt32(out, node.bookmark.line);
  putInt32(out, node.bookmark.line);
}

}  // namespace

std::string cutBytes(std::string_view text, std::size_t limit) { return std::string(text.substr(0, limit)); }

std::string cutUtf8(std::string_view text, std::size_t limit) {
  if (text.size() <= limit) return std::string(text);
  std::size_t n = limit;
  // Back over continuation bytes to the start of the character cut in two.
  while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) --n;
  return std::string(text.substr(0, n));
}

BookmarkTreeReading readBookmarkTree(std::string_view bytes) {
  BookmarkTreeReading result;
  if (bytes.size() < sizeof kSignature || std::memcmp(bytes.data(), kSignature, 6) != 0 ||
      std::memcmp(bytes.data() + 10, kSignature + 10, 2) != 0) {
    result.error = std::string(kBookmarkFormatWrong);
    return result;
  }
  if (std::memcmp(bytes.data() + 6, kSignature + 6, 4) != 0) {
    result.error = std::string(kBookmarkVersionUnknown);
    return result;
  }
  try {
    result.nodes = Reader(bytes).readAll(sizeof kSignature);
  } catch (const Corrupt&) {
    result.nodes.clear();
    result.error = std::string(kBookmarkDataCorrupt);
  }
  return result;
}

std::string writeBookmarkTree(const std::vector<BookmarkNode>& nodes, int rowHeight) {
  std::string out(reinterpret_cast<const char*>(kSignature), sizeof kSignature);
  for (const auto& node : nodes) writeNode(out, node, rowHeight);
  return out;
}

}  // namespace kiv
