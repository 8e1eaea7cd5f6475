#pragma once
// The recovery journal of a document with unsaved changes: a file that
// holds everything needed to rebuild the document after a crash. It is a
// signature followed by records; each record is
//   type (1 byte) | payload length (8 bytes, little-endian) | payload | CRC-32
// where the CRC-32 covers type, length and payload. Records:
//   'H' header    what the document is (name, code page, file shape, the file
//                 on disk as the document knew it); a later one replaces it
//   'S' snapshot  the whole text as the editing control holds it (UTF-8)
//   'F' file      the document's file as it was read, instead of a snapshot
//                 of a large text that had not changed since: how it was
//                 read (code page, UTF-8 and mark, line cuts), the length of
//                 the text that makes, then the file's bytes
//   'I' insert    position (8 bytes) then the inserted text
//   'D' delete    position (8 bytes) then the length (8 bytes)
// Positions and lengths count bytes of the control's text. Edits are
// appended as they happen; from time to time the journal is rewritten as a
// header and a snapshot. Reading stops at the first record that is cut off
// or damaged: everything before it is rebuilt.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/charsets/utf8_files.h"
#include "core/common/file_identity.h"
#include "core/fileio/document_file_stream.h"

namespace kiv {

inline constexpr std::string_view kJournalSignature = "KIVJRNL1";
// The extension of journal files in the recovery folder.
inline constexpr std::string_view kJournalExtension = ".kivjournal";

struct JournalHeader {
  std::string fileName;  // UTF-8 path, or the untitled document's name
  bool hasFile = false;  // false: a document never saved
  std::string charset = "win";
  TextFileShape shape;
  std::optional<FileIdentity> disk;  // the file as the document last read or wrote it
  friend bool operator==(const JournalHeader&, const JournalHeader&) = default;
};

std::uint32_t crc32(std::string_view bytes, std::uint32_t start = 0);

std::string journalHeaderRecord(const JournalHeader& header);
std::string journalSnapshotRecord(std::string_view text);
std::string journalInsertRecord(std::uint64_t position, std::string_view text);
std::string journalDeleteRecord(std::uint64_t position, std::uint64_t length);
// Signature, header and snapshot: a journal's whole content when it is
// started or compacted.
std::string journalStart(const JournalHeader& header, std::string_view text);
// The same content written in pieces, for a text too large to copy: the
// signature, the header and the snapshot record's type and length; then
// the text; then journalSnapshotEnd with the CRC-32 of everything from the
// snapshot record's type on (crcOfSnapshotHead is that CRC's start).
std::string journalStartHead(const JournalHeader& header, std::uint64_t textSize);
std::uint32_t crcOfSnapshotHead(std::uint64_t textSize);
std::string journalSnapshotEnd(std::uint32_t crc);
// The same for a start from the document's file: the signature, the header
// and the file record up to the file's bytes, which follow, then
// journalSnapshotEnd. `howRead` says how the text was made of the file
// (charset, shape.utf8 and utf8Bom, cutLinesAt) and `textSize` how long it
// came out.
std::string journalFileStartHead(const JournalHeader& header, const DocumentFileInfo& howRead,
                                 std::uint64_t textSize, std::uint64_t fileSize);
std::uint32_t crcOfFileRecordHead(const DocumentFileInfo& howRead, std::uint64_t textSize, std::uint64_t fileSize);

struct JournalContent {
  // False when the bytes are no journal or hold no header and snapshot: the
  // document cannot be rebuilt (`problem` says why, in Russian).
  bool readable = false;
  std::string problem;
  JournalHeader header;
  std::string text;
  std::size_t edits = 0;      // insert and delete records applied
  std::size_t usedBytes = 0;  // bytes up to the end of the last record read
  bool cutShort = false;      // records after usedBytes were cut off or damaged
};

// Rebuilds the document from a journal's bytes.
JournalContent readJournal(std::string_view bytes);

}  // namespace kiv
