#pragma once
// The hex editor's file: a 64-bit working copy of a file of any size that
// never holds the file in memory. The file opened stays the source of the
// bytes nobody changed; the bytes typed over go to a temporary file (the
// working copy's own), and a table of pieces says where each stretch of the
// edited file comes from. Opening is immediate whatever the size; saving
// streams the pieces into a temporary file beside the target and renames it
// over the target. A read cache of kCacheSize bytes serves the rows in view.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/hex/changed_marks.h"

namespace kiv {

class HexDocument {
 public:
  static constexpr std::size_t kCacheSize = 65536;

  HexDocument() = default;
  ~HexDocument();
  HexDocument(const HexDocument&) = delete;
  HexDocument& operator=(const HexDocument&) = delete;

  // Loads a regular file that can be read. On failure the document stays
  // as it was and errorText (if given) says why.
  bool open(const std::string& path, std::string* errorText = nullptr);
  // Drops the file and the edits: the document holds no bytes.
  void close();
  bool isOpen() const { return source_ >= 0; }
  // The file last opened or saved to; empty when none.
  const std::string& fileName() const { return fileName_; }
  std::uint64_t size() const { return size_; }
  // Changed since the last open or save (typing or shortening).
  bool isModified() const { return modified_; }

  // Up to `count` bytes (at most kCacheSize / 2) from `offset`, fewer at the
  // end of the file, through the read cache: the cache serves the request
  // when it holds all of it, and is otherwise refilled from kCacheSize / 2
  // bytes before the offset.
  std::string_view bytesAt(std::uint64_t offset, std::size_t count);
  unsigned char byteAt(std::uint64_t offset);
  // Bytes [offset, offset + count) as far as the file goes, without the
  // cache; returns how many were read.
  std::size_t read(std::uint64_t offset, char* out, std::size_t count) const;

  // Types a byte over the one at the offset: false (and no mark) beyond the
  // end or for the value the byte already has. Throws FileError when the
  // working copy cannot be written.
  bool overwrite(std::uint64_t offset, unsigned char value);
  // Removes [offset, offset + count) (clipped to the file): the bytes after
  // it move down, the marks from the offset on are dropped. False when
  // nothing was removed.
  bool erase(std::uint64_t offset, std::uint64_t count);

  bool isChanged(std::uint64_t offset) const { return marks_.contains(offset); }
  const ChangedMarks& changedMarks() const { return marks_; }
  void clearChangedMarks() { marks_.clear(); }

  // Writes the edited bytes as the whole file at `path` (symbolic links
  // followed to the real file): streamed into a temporary file beside it,
  // then renamed over it, so the old file stays whole until the new one is.
  // On success the file becomes the document's file, the marks and the
  // modified flag are cleared. On failure nothing else changes and
  // errorText says why.
  bool save(const std::string& path, std::string* errorText = nullptr);

  // The first occurrence of `pattern` starting at or after `from` and
  // ending at or before `to` (lowered to the last byte of the file; a
  // negative `from` counts as 0). With ignoreCase, letters are compared in
  // Windows-1251 lower case.
  std::optional<std::uint64_t> find(std::string_view pattern, std::int64_t from, std::int64_t to,
                                    bool ignoreCase) const;

  // The number of stretches the edited file is made of (1 for an unedited
  // file, 0 for an empty one).
  std::size_t pieceCount() const { return pieces_.size(); }

 private:
  struct Piece {
    std::uint64_t start;   // offset in the edited file
    std::uint64_t length;
    std::uint64_t from;    // offset in the source or the working copy
    bool typed;            // bytes in the working copy
  };

  std::size_t pieceAt(std::uint64_t offset) const;
  // Makes a piece start at the offset; returns its index (pieces_.size()
  // for the end of the file).
  std::size_t splitAt(std::uint64_t offset);
  void renumber(std::size_t fromIndex);
  void ensureWorkingCopy();
  void dropCache() { cacheValid_ = false; }
  void resetTo(int fd, std::uint64_t size);

  int source_ = -1;
  int working_ = -1;              // the typed bytes; unlinked at creation
  std::uint64_t workingEnd_ = 0;
  std::string fileName_;
  std::uint64_t size_ = 0;
  bool modified_ = false;
  std::vector<Piece> pieces_;
  ChangedMarks marks_;
  std::vector<char> cache_;
  std::uint64_t cacheStart_ = 0;
  std::size_t cacheLength_ = 0;
  bool cacheValid_ = false;
};

}  // namespace kiv
