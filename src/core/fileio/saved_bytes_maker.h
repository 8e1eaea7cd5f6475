#pragma once
// The bytes a document's file gets, made in one pass over the text the
// editing control holds (UTF-8, any line breaks, no break after the last
// line), piece by piece, straight into the file's bytes: the code page, the
// file's own line break, the final break and, for a UTF-8 file, its mark.
// The result is exactly documentFileBytes(the control's text as CR LF
// lines, charset, shape), without the whole-text copies on the way.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/charsets/utf8_files.h"
#include "core/fileio/cyrillic_quick_path.h"

namespace kiv {

class CodePage;

class SavedBytesMaker {
 public:
  SavedBytesMaker(std::string_view charset, const TextFileShape& shape);
  // A lone LF in the control's text is a cut made only for the display
  // (DocumentFileInfo::cutLinesAt) and is left out.
  void dropLoneLineFeeds();
  // Room for about this many bytes of result.
  void reserve(std::size_t bytes) { out_.reserve(bytes); }
  // The next piece of the control's text; pieces may split characters and
  // CR LF pairs anywhere.
  void feed(std::string_view utf8);
  std::string finish();
  // Makes the bytes in this buffer's room (its bytes are dropped).
  void useBuffer(std::string buffer);

  // For making a file's bytes in parts: this maker's text comes after an
  // earlier part's (no byte-order mark), or goes on in a later part (no
  // final line break).
  void afterEarlierPart();
  void beforeLaterPart() { laterPartFollows_ = true; }

 private:
  void convert(std::string_view utf8);
  CyrillicQuickPath makeQuickPath() const;

  const CodePage& page_;
  // The byte (or -1) of every code point below U+0800, the two-byte
  // characters Cyrillic text is made of, looked up without decoding.
  std::int16_t below800_[0x800];
  // The same as the file's byte, '?' where the code page has none.
  char below800Byte_[0x800];
  CyrillicQuickPath quick_;
  TextFileShape shape_;
  char breakBytes_[2] = {};
  std::size_t breakLength_ = 0;
  std::string out_;
  std::string carry_;  // an unfinished character or a CR waiting for its LF
  bool anyText_ = false;
  bool dropLoneLf_ = false;
  bool laterPartFollows_ = false;
};

// The file's bytes of the control's text given in two runs (one after the
// other), made in pieces of about `pieceSize` bytes of text, each cut after
// a line feed, by two threads working ahead of the one taking them. Taken
// in order, the pieces are exactly what one SavedBytesMaker makes of the
// whole text; only a few pieces are held at a time.
class SavedBytePieces {
 public:
  SavedBytePieces(std::string_view charset, const TextFileShape& shape, bool dropLoneLineFeeds,
                  std::array<std::string_view, 2> runs, std::size_t pieceSize = 4 << 20);
  ~SavedBytePieces();
  SavedBytePieces(const SavedBytePieces&) = delete;
  SavedBytePieces& operator=(const SavedBytePieces&) = delete;

  // The next piece (never empty), empty after the last; valid until the
  // next call. What a worker threw is thrown here.
  std::string_view next();

 private:
  struct Shared;
  void work();
  std::string make(std::size_t index, std::string buffer) const;

  std::string charset_;
  TextFileShape shape_;
  bool dropLoneLf_;
  std::array<std::string_view, 2> runs_;
  std::vector<std::size_t> cuts_;  // where each piece's text begins, and the end
  std::unique_ptr<Shared> shared_;
  std::vector<std::thread> workers_;
  std::size_t taken_ = 0;
  std::string current_;
};

// All of them joined.
std::string makeSavedBytes(std::string_view charset, const TextFileShape& shape, bool dropLoneLineFeeds,
                           std::array<std::string_view, 2> runs, std::size_t pieceSize = 4 << 20);

}  // namespace kiv
