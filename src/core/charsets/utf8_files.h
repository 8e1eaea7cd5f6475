#pragma once
// UTF-8 text files: importing them into Windows-1251 documents, exporting
// documents to UTF-8, and opening UTF-8 files so that saving writes back
// exactly what was read (apart from what the user edited).

#include <cstddef>
#include <string>
#include <string_view>

namespace kiv {

// ---- Line ends -------------------------------------------------------------

enum class LineEndStyle { CrLf, Lf, Cr };

// The line break used most often in the bytes (CR LF, lone LF, lone CR);
// CR LF when there is none or on a tie with it, LF on a tie of LF and CR.
LineEndStyle dominantLineEnd(std::string_view bytes);

// Text of the program (lines ended by CR LF) written with the given line
// break: every CR LF, lone CR and lone LF becomes it.
std::string withLineEnds(std::string_view text, LineEndStyle style);

// How a text file was laid out, so that saving can restore it.
struct TextFileShape {
  LineEndStyle lineEnd = LineEndStyle::CrLf;
  bool finalLineBreak = true;  // the last line ended with a line break (or there was none)
  bool utf8Bom = false;        // the file began with EF BB BF
  bool utf8 = false;           // the file is UTF-8 (the document holds it single-byte)
  friend bool operator==(const TextFileShape&, const TextFileShape&) = default;
};

TextFileShape detectTextFileShape(std::string_view bytes);

// The program's text (CR LF lines, as the file reader delivers them) laid
// out as the file was: its line break everywhere, and no break after the
// last line when the file had none there. No code page conversion.
std::string restoreTextFileShape(std::string_view text, const TextFileShape& shape);

// ---- UTF-8 import and export -----------------------------------------------

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

struct Utf8Import {
  std::string text;          // Windows-1251, lines ended by CR LF
  std::size_t unmapped = 0;  // characters Windows-1251 lacks, each now "?"
  std::size_t malformed = 0; // bytes that were not UTF-8, each now "?"
};

// A UTF-8 file as Windows-1251 document text: a leading byte-order mark is
// dropped, every line ends with CR LF, zero bytes are kept.
Utf8Import importUtf8File(std::string_view fileBytes);

// Document text in charset "win", "dos" or "koi" as UTF-8, byte for
// character (line breaks untouched, no byte-order mark).
std::string exportUtf8(std::string_view text, std::string_view charset);

// ---- Opening files ----------------------------------------------------------

enum class OpenedFileKind {
  // Valid UTF-8 with non-ASCII text that Windows-1251 holds entirely: open
  // as "win" with `text`, remember the shape, save back with saveUtf8File.
  Utf8ToWin,
  // Valid UTF-8 with characters Windows-1251 lacks: open the bytes as they
  // are (as a plain file, charset "win") and show kMsgUtf8Foreign.
  Utf8Foreign,
  // Anything else (plain ASCII, or bytes that are not UTF-8): the usual
  // opening, with detectCharset when automatic detection is on.
  Other,
};

struct OpenedFile {
  OpenedFileKind kind = OpenedFileKind::Other;
  std::string text;     // for Utf8ToWin: the Windows-1251 text, CR LF lines
  TextFileShape shape;  // the file's layout (for every kind)
};

// Classifies the bytes of an opened file. A file that is only a byte-order
// mark and ASCII is Utf8ToWin as well, so the mark is kept on saving.
OpenedFile classifyOpenedFile(std::string_view fileBytes);

// The bytes to write for a document opened as Utf8ToWin: the Windows-1251
// text back to UTF-8, laid out with the file's shape (line breaks, final
// break, byte-order mark). Unchanged text gives the original bytes.
std::string saveUtf8File(std::string_view winText, const TextFileShape& shape);

inline constexpr const char* kMsgUtf8Foreign =
    "Файл записан в UTF-8 и содержит символы, которых нет в Windows-1251. "
    "Он открыт байт в байт, без перекодировки.";

}  // namespace kiv
