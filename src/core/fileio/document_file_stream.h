#pragma once
// Opening a file block by block, so that a large file is never held whole
// beside the text made of it: a first reading learns what the file is (UTF-8
// or a single-byte code page, line breaks, final break, byte-order mark), a
// second turns it into the text the editing control shows (UTF-8, CR LF
// between lines, no break after the last line). Both agree exactly with
// loadDocumentFile, which does the same on bytes held in memory.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/charsets/utf8_files.h"

namespace kiv {

class CodePage;

// What opening learns about a file before its text is made.
struct DocumentFileInfo {
  std::string charset = "win";  // "win", "dos" or "koi"
  TextFileShape shape;          // line breaks, final break, mark, UTF-8
  bool utf8Foreign = false;     // valid UTF-8 with characters Windows-1251 lacks
  std::uint64_t size = 0;       // the file's bytes
  // How many bytes of UTF-8 the control will hold (exactly, unless the file
  // changes before it is read again).
  std::uint64_t shownSize = 0;
  // The longest line, in bytes of the file.
  std::uint64_t longestLine = 0;
  // Lines longer than kLongLine are shown cut into pieces of this many bytes
  // of the file (0: none is that long). The control cannot lay out a line of
  // megabytes quickly; the cuts are lone LFs that belong to the display only
  // (see EditingControl::linesCutForDisplay).
  std::size_t cutLinesAt = 0;
};

inline constexpr std::uint64_t kLongLine = std::uint64_t{1} << 20;
inline constexpr std::size_t kLongLinePiece = std::size_t{1} << 14;
// The control's text (UTF-8) with every line longer than kLongLine bytes cut
// by a lone LF every kLongLinePiece bytes, each cut at a character's end:
// the same display cuts for text that did not come from a file.
std::string cutLongLines(std::string_view utf8);

// Said in the status bar when a file's lines are cut for the display.
inline constexpr const char* kMsgLongLinesCut =
    "В файле есть строки длиннее мегабайта: они показаны частями по 16 КБ "
    "(на экране, файл сохраняется без этих переносов).";

class DocumentFileScanner {
 public:
  DocumentFileScanner() = default;
  // A scanner of a later part of a file that begins just after a line
  // break (LF): it looks for no mark and guesses nothing from its bytes.
  struct LaterPart {};
  explicit DocumentFileScanner(LaterPart) : markDecided_(true), later_(true) {}

  void feed(std::string_view block);
  // Takes in what the scanner of the bytes right after this one's learnt
  // (made with LaterPart; this one's bytes end with a LF).
  void append(const DocumentFileScanner& later);
  // guessCodePage: a file that is not UTF-8 gets its single-byte code page
  // guessed from its first bytes (otherwise it is "win").
  DocumentFileInfo finish(bool guessCodePage);

 private:
  void scan(std::string_view bytes);
  void countBytes(std::string_view bytes);
  void scanLines(std::string_view bytes);
  void scanUtf8(std::string_view bytes);
  void utf8Byte(unsigned char b);
  void noteCharacter(char32_t cp);
  void endLine();

  std::uint64_t size_ = 0;
  std::uint64_t byteCounts_[256] = {};  // of the text after the mark
  std::string head_;  // the first bytes: the mark and the code page guess
  bool markDecided_ = false;
  bool mark_ = false;
  // UTF-8 reading of the text after the mark.
  bool valid_ = true;
  bool nonAscii_ = false;
  bool allIn1251_ = true;
  int need_ = 0;  // continuation bytes still expected
  char32_t cp_ = 0, min_ = 0;
  // Line breaks.
  std::uint64_t crlf_ = 0, lf_ = 0, cr_ = 0;
  bool lastWasCr_ = false;
  char lastByte_ = 0;
  std::uint64_t lineBytes_ = 0, longestLine_ = 0;
  std::uint64_t piecesCut_ = 0;  // cuts a long line needs in kLongLinePiece pieces
  bool anyText_ = false;
  bool later_ = false;
};

// Learns what a file is, reading it in blocks; a large file is read in two
// halves on two threads at once. Nothing (and `error` set to errno) when
// the file cannot be read.
std::optional<DocumentFileInfo> scanDocumentFile(const std::string& path, bool guessCodePage, int* error = nullptr);

// The text the editing control shows for a file, in pieces of about
// pieceSize bytes handed to `take` (which must not keep the view).
class ShownTextMaker {
 public:
  using Take = std::function<void(std::string_view utf8)>;
  ShownTextMaker(const DocumentFileInfo& info, Take take, std::size_t pieceSize = std::size_t{1} << 20);
  void feed(std::string_view block);
  void finish();

 private:
  void flush();
  void putBreaks();
  void putRun(const char* from, const char* to);

  Take take_;
  const CodePage* page_;  // the document's code page; nullptr for UTF-8 text
  // Each byte's UTF-8 form packed little-end first, and its length.
  std::uint32_t packed_[256] = {};
  std::uint8_t packedLength_[256] = {};
  bool skipMark_;
  std::size_t markLeft_;
  std::size_t pieceSize_;
  std::string out_;
  std::uint64_t pendingBreaks_ = 0;
  bool sawCr_ = false;
  std::size_t cutAt_ = 0;          // 0: lines are not cut
  std::uint64_t lineBytes_ = 0;    // of the line being made, since its start or last cut
};

// The bytes of a file, in blocks of blockSize handed to `take`. False (with
// nothing or only part handed over) when the file cannot be opened or read.
bool readFileBlocks(const std::string& path, std::size_t blockSize,
                    const std::function<void(std::string_view)>& take);
// The same for the bytes from `from` up to `to` (or the end).
bool readFileBlocks(const std::string& path, std::size_t blockSize, std::uint64_t from, std::uint64_t to,
                    const std::function<void(std::string_view)>& take);

// The size of the blocks files are read in.
inline constexpr std::size_t kReadBlockSize = std::size_t{1} << 20;

}  // namespace kiv
