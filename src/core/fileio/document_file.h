#pragma once
// A document's text and the file it came from. Every way text comes from
// disk into a document (open, drop, command line, recent list, revert, the
// backup copy, templates) goes through loadDocumentFile, and saving goes
// through documentFileBytes, so a file saved without edits gets back
// exactly the bytes it had: code page, UTF-8, line breaks, final break,
// byte-order mark and zero bytes included.

#include <string>
#include <string_view>

#include "core/charsets/utf8_files.h"

namespace kiv {

// How much of a file the code page guess looks at.
inline constexpr std::size_t kCharsetGuessBytes = 64 * 1024;

struct DocumentFile {
  // The document's bytes in `charset`, every line ended by CR LF (a last
  // line without a break gets one; shape.finalLineBreak remembers it).
  std::string text;
  // "win", "dos" or "koi".
  std::string charset = "win";
  // How to write the text back: line breaks, final break, byte-order mark,
  // and whether the file is UTF-8.
  TextFileShape shape;
  // Valid UTF-8 holding characters Windows-1251 lacks: the bytes are kept
  // as they are (charset "win") and the user is told.
  bool utf8Foreign = false;
};

// Turns a file's bytes into a document. Valid UTF-8 with non-ASCII text is
// always recognised; guessCodePage decides whether other files get their
// single-byte code page guessed (otherwise they are "win").
DocumentFile loadDocumentFile(std::string_view fileBytes, bool guessCodePage);

// The bytes to write for a document's text (CR LF lines in `charset`) with
// the shape of its file. Zero bytes are written as they are.
std::string documentFileBytes(std::string_view text, std::string_view charset, const TextFileShape& shape);

// The shape a new document is saved with: LF line breaks, a final break,
// no byte-order mark, single-byte.
TextFileShape newDocumentShape();

}  // namespace kiv
