#pragma once
// The bytes a document's file gets, made in one pass over the text the
// editing control holds (UTF-8, any line breaks, no break after the last
// line), piece by piece, straight into the file's bytes: the code page, the
// file's own line break, the final break and, for a UTF-8 file, its mark.
// The result is exactly documentFileBytes(the control's text as CR LF
// lines, charset, shape), without the whole-text copies on the way.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/charsets/utf8_files.h"

namespace kiv {

class CodePage;

class SavedBytesMaker {
 public:
  SavedBytesMaker(std::string_view charset, const TextFileShape& shape);
  // A lone LF in the control's text is a cut made only for the display
  // (DocumentFileInfo::cutLinesAt) and is left out.
  void dropLoneLineFeeds() { dropLoneLf_ = true; }
  // Room for about this many bytes of result.
  void reserve(std::size_t bytes) { out_.reserve(bytes); }
  // The next piece of the control's text; pieces may split characters and
  // CR LF pairs anywhere.
  void feed(std::string_view utf8);
  std::string finish();

  // For making a file's bytes in parts: this maker's text comes after an
  // earlier part's (no byte-order mark), or goes on in a later part (no
  // final line break).
  void afterEarlierPart();
  void beforeLaterPart() { laterPartFollows_ = true; }

 private:
  void convert(std::string_view utf8);

  const CodePage& page_;
  // The byte (or -1) of every code point below U+0800, the two-byte
  // characters Cyrillic text is made of, looked up without decoding.
  std::int16_t below800_[0x800];
  // The same as the file's byte, '?' where the code page has none.
  char below800Byte_[0x800];
  TextFileShape shape_;
  char breakBytes_[2] = {};
  std::size_t breakLength_ = 0;
  std::string out_;
  std::string carry_;  // an unfinished character or a CR waiting for its LF
  bool anyText_ = false;
  bool dropLoneLf_ = false;
  bool laterPartFollows_ = false;
};

// The file's bytes of the control's text given in runs (one after the
// other), as SavedBytesMaker makes them; a text of at least `splitFrom`
// bytes is made in two halves on two threads, split after a line feed.
std::string makeSavedBytes(std::string_view charset, const TextFileShape& shape, bool dropLoneLineFeeds,
                           std::initializer_list<std::string_view> runs, std::size_t splitFrom = 8 << 20);

}  // namespace kiv
