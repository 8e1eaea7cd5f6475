#include "core/recovery/journal_format.h"

#include <array>

#include "core/charsets/charset_id.h"

namespace kiv {

namespace {

constexpr std::size_t kRecordOverhead = 1 + 8 + 4;

// Eight tables, so that eight bytes are taken at a time (snapshots run to
// hundreds of megabytes).
constexpr std::array<std::array<std::uint32_t, 256>, 8> makeCrcTables() {
  std::array<std::array<std::uint32_t, 256>, 8> t{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[0][i] = c;
  }
  for (std::uint32_t i = 0; i < 256; ++i)
    for (int k = 1; k < 8; ++k) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
  return t;
}
constexpr auto kCrcTables = makeCrcTables();

void putU64(std::string& out, std::uint64_t v) {
  for (int i = 0; i < 8; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}
void putU32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}
std::uint64_t getU64(std::string_view b, std::size_t at) {
  std::uint64_t v = 0;
  for (int i = 7; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  return v;
}
std::uint32_t getU32(std::string_view b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
  return v;
}
void putText(std::string& out, std::string_view s) {
  putU64(out, s.size());
  out += s;
}

std::string record(char type, std::string_view payloadHead, std::string_view payloadTail = {}) {
  std::string out;
  out.reserve(kRecordOverhead + payloadHead.size() + payloadTail.size());
  out += type;
  putU64(out, payloadHead.size() + payloadTail.size());
  out += payloadHead;
  out += payloadTail;
  putU32(out, crc32(out));
  return out;
}

// Reads the fields of a header record; false when they do not add up.
class FieldReader {
 public:
  explicit FieldReader(std::string_view b) : b_(b) {}
  bool u64(std::uint64_t& v) {
    if (b_.size() - at_ < 8) return false;
    v = getU64(b_, at_);
    at_ += 8;
    return true;
  }
  bool text(std::string& s) {
    std::uint64_t n = 0;
    if (!u64(n) || n > b_.size() - at_) return false;
    s.assign(b_.substr(at_, n));
    at_ += n;
    return true;
  }
  bool byte(std::uint8_t& v) {
    if (at_ >= b_.size()) return false;
    v = static_cast<std::uint8_t>(b_[at_++]);
    return true;
  }
  bool done() const { return at_ == b_.size(); }
  std::size_t position() const { return at_; }

 private:
  std::string_view b_;
  std::size_t at_ = 0;
};

enum : std::uint8_t {
  kHasFile = 1,
  kFinalBreak = 2,
  kBom = 4,
  kUtf8 = 8,
  kKnowsDisk = 16,
};

bool parseHeader(std::string_view payload, JournalHeader& h) {
  FieldReader r(payload);
  std::uint8_t flags = 0, lineEnd = 0;
  JournalHeader out;
  if (!r.text(out.fileName) || !r.text(out.charset) || !r.byte(flags) || !r.byte(lineEnd) || lineEnd > 2)
    return false;
  out.hasFile = flags & kHasFile;
  out.shape.finalLineBreak = flags & kFinalBreak;
  out.shape.utf8Bom = flags & kBom;
  out.shape.utf8 = flags & kUtf8;
  out.shape.lineEnd = static_cast<LineEndStyle>(lineEnd);
  if (flags & kKnowsDisk) {
    FileIdentity d;
    std::uint64_t size = 0, sec = 0, nsec = 0;
    if (!r.u64(d.device) || !r.u64(d.inode) || !r.u64(size) || !r.u64(sec) || !r.u64(nsec)) return false;
    d.size = static_cast<std::int64_t>(size);
    d.modifiedSeconds = static_cast<std::int64_t>(sec);
    d.modifiedNanoseconds = static_cast<std::int64_t>(nsec);
    out.disk = d;
  }
  if (!r.done()) return false;
  h = std::move(out);
  return true;
}

}  // namespace

std::uint32_t crc32(std::string_view bytes, std::uint32_t start) {
  const auto& t = kCrcTables;
  std::uint32_t c = ~start;
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t n = bytes.size();
  for (; n >= 8; n -= 8, p += 8) {
    const std::uint32_t lo = c ^ (p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24);
    c = t[7][lo & 0xFF] ^ t[6][(lo >> 8) & 0xFF] ^ t[5][(lo >> 16) & 0xFF] ^ t[4][lo >> 24] ^ t[3][p[4]] ^
        t[2][p[5]] ^ t[1][p[6]] ^ t[0][p[7]];
  }
  for (; n > 0; --n, ++p) c = t[0][(c ^ *p) & 0xFF] ^ (c >> 8);
  return ~c;
}

std::string journalHeaderRecord(const JournalHeader& h) {
  std::string p;
  putText(p, h.fileName);
  putText(p, h.charset);
  std::uint8_t flags = 0;
  if (h.hasFile) flags |= kHasFile;
  if (h.shape.finalLineBreak) flags |= kFinalBreak;
  if (h.shape.utf8Bom) flags |= kBom;
  if (h.shape.utf8) flags |= kUtf8;
  if (h.disk) flags |= kKnowsDisk;
  p += static_cast<char>(flags);
  p += static_cast<char>(static_cast<std::uint8_t>(h.shape.lineEnd));
  if (h.disk) {
    putU64(p, h.disk->device);
    putU64(p, h.disk->inode);
    putU64(p, static_cast<std::uint64_t>(h.disk->size));
    putU64(p, static_cast<std::uint64_t>(h.disk->modifiedSeconds));
    putU64(p, static_cast<std::uint64_t>(h.disk->modifiedNanoseconds));
  }
  return record('H', p);
}

std::string journalSnapshotRecord(std::string_view text) { return record('S', text); }

std::string journalInsertRecord(std::uint64_t position, std::string_view text) {
  std::string head;
  putU64(head, position);
  return record('I', head, text);
}

std::string journalDeleteRecord(std::uint64_t position, std::uint64_t length) {
  std::string p;
  putU64(p, position);
  putU64(p, length);
  return record('D', p);
}

std::string journalStart(const JournalHeader& header, std::string_view text) {
  std::string out(kJournalSignature);
  out += journalHeaderRecord(header);
  out += journalSnapshotRecord(text);
  return out;
}

namespace {
std::string snapshotHead(std::uint64_t textSize) {
  std::string head(1, 'S');
  putU64(head, textSize);
  return head;
}
}  // namespace

namespace {
// The file record up to the file's bytes.
std::string fileRecordHead(const DocumentFileInfo& howRead, std::uint64_t textSize, std::uint64_t fileSize) {
  std::string fields;
  putText(fields, howRead.charset);
  std::uint8_t flags = 0;
  if (howRead.shape.utf8) flags |= kUtf8;
  if (howRead.shape.utf8Bom) flags |= kBom;
  fields += static_cast<char>(flags);
  putU64(fields, howRead.cutLinesAt);
  putU64(fields, textSize);
  std::string head(1, 'F');
  putU64(head, fields.size() + fileSize);
  return head + fields;
}

// The text the file record makes; false when its fields do not add up or
// the text does not come out as long as it did.
bool readFileRecord(std::string_view payload, std::string& text) {
  FieldReader r(payload);
  DocumentFileInfo howRead;
  std::uint8_t flags = 0;
  std::uint64_t cutAt = 0, textSize = 0;
  if (!r.text(howRead.charset) || !r.byte(flags) || !r.u64(cutAt) || !r.u64(textSize)) return false;
  // No byte of a file makes more than four of the text.
  const std::string_view file = payload.substr(r.position());
  if (!charset::isKnown(howRead.charset) || textSize > 4 * std::uint64_t{file.size()} + 64) return false;
  howRead.shape.utf8 = flags & kUtf8;
  howRead.shape.utf8Bom = flags & kBom;
  howRead.cutLinesAt = static_cast<std::size_t>(cutAt);
  std::string out;
  out.reserve(static_cast<std::size_t>(textSize));
  ShownTextMaker maker(howRead, [&](std::string_view piece) { out += piece; });
  maker.feed(file);
  maker.finish();
  if (out.size() != textSize) return false;
  text = std::move(out);
  return true;
}
}  // namespace

std::string journalFileStartHead(const JournalHeader& header, const DocumentFileInfo& howRead,
                                 std::uint64_t textSize, std::uint64_t fileSize) {
  std::string out(kJournalSignature);
  out += journalHeaderRecord(header);
  out += fileRecordHead(howRead, textSize, fileSize);
  return out;
}

std::uint32_t crcOfFileRecordHead(const DocumentFileInfo& howRead, std::uint64_t textSize, std::uint64_t fileSize) {
  return crc32(fileRecordHead(howRead, textSize, fileSize));
}

std::string journalStartHead(const JournalHeader& header, std::uint64_t textSize) {
  std::string out(kJournalSignature);
  out += journalHeaderRecord(header);
  out += snapshotHead(textSize);
  return out;
}

std::uint32_t crcOfSnapshotHead(std::uint64_t textSize) { return crc32(snapshotHead(textSize)); }

std::string journalSnapshotEnd(std::uint32_t crc) {
  std::string out;
  putU32(out, crc);
  return out;
}

JournalContent readJournal(std::string_view bytes) {
  JournalContent c;
  if (bytes.substr(0, kJournalSignature.size()) != kJournalSignature) {
    c.problem = "это не журнал восстановления";
    return c;
  }
  bool haveHeader = false, haveText = false, fileRecordFailed = false;
  std::size_t at = kJournalSignature.size();
  c.usedBytes = at;
  while (at < bytes.size()) {
    if (bytes.size() - at < kRecordOverhead) break;
    const char type = bytes[at];
    const std::uint64_t length = getU64(bytes, at + 1);
    if (length > bytes.size() - at - kRecordOverhead) break;
    const std::size_t end = at + 9 + static_cast<std::size_t>(length);
    if (crc32(bytes.substr(at, end - at)) != getU32(bytes, end)) break;
    const std::string_view payload = bytes.substr(at + 9, static_cast<std::size_t>(length));
    bool ok = true;
    switch (type) {
      case 'H':
        ok = parseHeader(payload, c.header);
        haveHeader = haveHeader || ok;
        break;
      case 'S':
        c.text.assign(payload);
        haveText = true;
        break;
      case 'F':
        ok = readFileRecord(payload, c.text);
        haveText = haveText || ok;
        fileRecordFailed = !ok;
        break;
      case 'I': {
        ok = haveText && payload.size() >= 8;
        const std::uint64_t pos = ok ? getU64(payload, 0) : 0;
        ok = ok && pos <= c.text.size();
        if (ok) {
          c.text.insert(static_cast<std::size_t>(pos), payload.substr(8));
          ++c.edits;
        }
        break;
      }
      case 'D': {
        ok = haveText && payload.size() == 16;
        const std::uint64_t pos = ok ? getU64(payload, 0) : 0, n = ok ? getU64(payload, 8) : 0;
        ok = ok && pos <= c.text.size() && n <= c.text.size() - pos;
        if (ok) {
          c.text.erase(static_cast<std::size_t>(pos), static_cast<std::size_t>(n));
          ++c.edits;
        }
        break;
      }
      default:
        ok = false;
    }
    if (!ok) break;
    at = end + 4;
    c.usedBytes = at;
  }
  c.cutShort = c.usedBytes < bytes.size();
  c.readable = haveHeader && haveText;
  if (!c.readable)
    c.problem = fileRecordFailed ? "копия файла в журнале не даёт текста документа" : "в журнале нет начала документа";
  return c;
}

}  // namespace kiv
