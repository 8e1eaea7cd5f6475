#include "core/fileio/document_file_stream.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "core/charsets/charset_detect.h"
#include "core/common/both_at_once.h"
#include "core/charsets/charset_id.h"
#include "core/charsets/code_page.h"
#include "core/fileio/document_file.h"

namespace kiv {

// ---------------------------------------------------------------------------
// Learning what a file is

void DocumentFileScanner::feed(std::string_view block) {
  size_ += block.size();
  if (head_.size() < kCharsetGuessBytes) head_.append(block.substr(0, kCharsetGuessBytes - head_.size()));
  if (later_) {
    scan(block);
    return;
  }
  if (!markDecided_) {
    // The first three bytes wait until it is known whether they are the mark.
    if (head_.size() < kUtf8Bom.size()) return;
    markDecided_ = true;
    mark_ = std::string_view(head_).substr(0, kUtf8Bom.size()) == kUtf8Bom;
    // Everything fed so far is in head_ (it is longer than three bytes only
    // when this block made it so): scan it from after the mark.
    const std::size_t alreadyFed = static_cast<std::size_t>(size_ - block.size());
    std::string_view before = std::string_view(head_).substr(0, alreadyFed);
    std::size_t skip = mark_ ? kUtf8Bom.size() : 0;
    if (skip <= before.size()) {
      scan(before.substr(skip));
      skip = 0;
    } else {
      skip -= before.size();
    }
    scan(block.substr(skip));
    return;
  }
  scan(block);
}

namespace {

// The first CR or LF at or after p (end when there is none), sixteen bytes
// at a time where the processor allows.
const char* findLineBreak(const char* p, const char* end) {
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  for (; end - p >= 16; p += 16) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const int hits = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(v, cr), _mm_cmpeq_epi8(v, lf)));
    if (hits != 0) return p + __builtin_ctz(static_cast<unsigned>(hits));
  }
#endif
  while (p < end && *p != '\r' && *p != '\n') ++p;
  return p;
}

// The first byte at or after p with the high bit set (end when none).
const char* findNonAscii(const char* p, const char* end) {
#if defined(__SSE2__)
  for (; end - p >= 16; p += 16) {
    const int high = _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)));
    if (high != 0) return p + __builtin_ctz(static_cast<unsigned>(high));
  }
#endif
  while (p < end && static_cast<unsigned char>(*p) < 0x80) ++p;
  return p;
}

}  // namespace

void DocumentFileScanner::scan(std::string_view bytes) {
  if (bytes.empty()) return;
  anyText_ = true;
  lastByte_ = bytes.back();
  countBytes(bytes);
  scanLines(bytes);
  if (valid_) scanUtf8(bytes);
}

void DocumentFileScanner::countBytes(std::string_view bytes) {
  // Four tables, so that neighbouring equal bytes do not wait on each other.
  std::uint32_t counts[4][256] = {};
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  std::size_t n = bytes.size();
  while (n > 0) {
    const std::size_t part = std::min<std::size_t>(n, std::size_t{1} << 30);
    std::size_t i = 0;
    for (; i + 4 <= part; i += 4) {
      ++counts[0][p[i]];
      ++counts[1][p[i + 1]];
      ++counts[2][p[i + 2]];
      ++counts[3][p[i + 3]];
    }
    for (; i < part; ++i) ++counts[0][p[i]];
    for (int b = 0; b < 256; ++b) {
      byteCounts_[b] += std::uint64_t{counts[0][b]} + counts[1][b] + counts[2][b] + counts[3][b];
      counts[0][b] = counts[1][b] = counts[2][b] = counts[3][b] = 0;
    }
    p += part;
    n -= part;
  }
}

void DocumentFileScanner::scanLines(std::string_view bytes) {
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  while (p < end) {
    const char* brk = findLineBreak(p, end);
    if (brk > p) {
      if (lastWasCr_) {
        ++cr_;
        lastWasCr_ = false;
      }
      lineBytes_ += static_cast<std::uint64_t>(brk - p);
    }
    if (brk == end) break;
    endLine();
    if (*brk == '\r') {
      if (lastWasCr_) ++cr_;
      lastWasCr_ = true;
    } else {
      if (lastWasCr_) ++crlf_;
      else ++lf_;
      lastWasCr_ = false;
    }
    p = brk + 1;
  }
}

void DocumentFileScanner::scanUtf8(std::string_view bytes) {
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const auto* const end = p + bytes.size();
  // A character begun in the last block is finished first.
  while (p < end && valid_ && need_ != 0) utf8Byte(*p++);
  bool sawTwoByte = false;
  while (p < end && valid_) {
    const unsigned b = *p;
    if (b < 0x80) {
      // Plain ASCII runs are valid as they are.
      p = reinterpret_cast<const unsigned char*>(
          findNonAscii(reinterpret_cast<const char*>(p + 1), reinterpret_cast<const char*>(end)));
      continue;
    }
    // Two-byte characters (Cyrillic among them) whole within the block.
    if (b >= 0xC2 && b <= 0xDF && end - p >= 2 && (p[1] & 0xC0) == 0x80) {
      const char32_t cp = (static_cast<char32_t>(b & 0x1F) << 6) | (p[1] & 0x3F);
      p += 2;
      sawTwoByte = true;
      // The Russian letters are all in Windows-1251; others are looked up.
      if ((cp < 0x410 || cp > 0x44F) && allIn1251_) noteCharacter(cp);
      continue;
    }
    // Longer characters, and one cut by the block's end, byte by byte.
    utf8Byte(*p++);
    while (p < end && valid_ && need_ != 0) utf8Byte(*p++);
  }
  if (sawTwoByte) nonAscii_ = true;
}

void DocumentFileScanner::noteCharacter(char32_t cp) {
  static const CodePage& win = CodePage::get(CodePageId::Win1251);
  if (allIn1251_ && win.fromUnicode(cp) < 0) allIn1251_ = false;
}

void DocumentFileScanner::utf8Byte(unsigned char b) {
  if (need_ == 0) {
    if (b < 0x80) return;
    if (b >= 0xC2 && b <= 0xDF) {
      need_ = 1, cp_ = b & 0x1F, min_ = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
      need_ = 2, cp_ = b & 0x0F, min_ = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
      need_ = 3, cp_ = b & 0x07, min_ = 0x10000;
    } else {
      valid_ = false;
    }
    return;
  }
  if ((b & 0xC0) != 0x80) {
    valid_ = false;
    return;
  }
  cp_ = (cp_ << 6) | (b & 0x3F);
  if (--need_ > 0) return;
  if (cp_ < min_ || cp_ > 0x10FFFF || (cp_ >= 0xD800 && cp_ <= 0xDFFF)) {
    valid_ = false;
    return;
  }
  nonAscii_ = true;
  noteCharacter(cp_);
}

void DocumentFileScanner::endLine() {
  if (lineBytes_ == 0) return;
  longestLine_ = std::max(longestLine_, lineBytes_);
  if (lineBytes_ > kLongLine) piecesCut_ += (lineBytes_ - 1) / kLongLinePiece;
  lineBytes_ = 0;
}

void DocumentFileScanner::append(const DocumentFileScanner& later) {
  size_ += later.size_;
  // The code page is guessed from the first bytes, wherever they were read.
  if (head_.size() < kCharsetGuessBytes) head_.append(later.head_.substr(0, kCharsetGuessBytes - head_.size()));
  for (int b = 0; b < 256; ++b) byteCounts_[b] += later.byteCounts_[b];
  if (!later.anyText_) return;
  // This part ends with a LF: no character, line or CR LF runs on.
  if (need_ != 0) valid_ = false;
  valid_ = valid_ && later.valid_;
  nonAscii_ = nonAscii_ || later.nonAscii_;
  allIn1251_ = allIn1251_ && later.allIn1251_;
  need_ = later.need_;
  cp_ = later.cp_;
  min_ = later.min_;
  crlf_ += later.crlf_;
  lf_ += later.lf_;
  cr_ += later.cr_;
  lastWasCr_ = later.lastWasCr_;
  lastByte_ = later.lastByte_;
  lineBytes_ = later.lineBytes_;
  longestLine_ = std::max(longestLine_, later.longestLine_);
  piecesCut_ += later.piecesCut_;
  anyText_ = true;
}

DocumentFileInfo DocumentFileScanner::finish(bool guessCodePage) {
  if (!markDecided_) {
    // A file shorter than the mark.
    markDecided_ = true;
    mark_ = false;
    scan(head_);
  }
  if (lastWasCr_) ++cr_;
  lastWasCr_ = false;
  if (need_ != 0) valid_ = false;
  endLine();

  DocumentFileInfo info;
  info.size = size_;
  TextFileShape& shape = info.shape;
  shape.utf8Bom = mark_;
  if (crlf_ + lf_ + cr_ == 0) shape.lineEnd = LineEndStyle::Lf;
  else if (crlf_ >= lf_ && crlf_ >= cr_) shape.lineEnd = LineEndStyle::CrLf;
  else shape.lineEnd = lf_ >= cr_ ? LineEndStyle::Lf : LineEndStyle::Cr;
  // A file without lines (empty, or only the mark) counts as closed.
  shape.finalLineBreak = !anyText_ || lastByte_ == '\n' || lastByte_ == '\r';

  const bool utf8Text = valid_ && (nonAscii_ || mark_);
  if (utf8Text && allIn1251_) {
    shape.utf8 = true;
  } else if (utf8Text) {
    info.utf8Foreign = true;
  } else if (guessCodePage) {
    const std::string id = detectCharset(head_);
    if (charset::isKnown(id)) info.charset = id;
  }
  // The shown text: every byte in its UTF-8 form (UTF-8 text as it is, the
  // mark left out), every lone CR or LF as CR LF, the last line break gone.
  std::uint64_t shown = 0;
  if (shape.utf8) {
    shown = size_ - (mark_ ? kUtf8Bom.size() : 0);
  } else {
    const CodePage& page = CodePage::ofCharset(info.charset);
    for (int b = 0; b < 256; ++b) shown += byteCounts_[b] * page.utf8Of(static_cast<unsigned char>(b)).size();
    // A mark that does not begin UTF-8 text is shown as the three bytes it is.
    if (mark_)
      for (const char b : kUtf8Bom) shown += page.utf8Of(static_cast<unsigned char>(b)).size();
  }
  shown += lf_ + cr_;
  if (anyText_ && (lastByte_ == '\n' || lastByte_ == '\r')) shown -= 2;
  info.longestLine = longestLine_;
  if (longestLine_ > kLongLine) {
    info.cutLinesAt = kLongLinePiece;
    shown += piecesCut_;  // about: a cut in UTF-8 text waits for a character's end
  }
  info.shownSize = shown;
  return info;
}

// ---------------------------------------------------------------------------
// Making the text the control shows

ShownTextMaker::ShownTextMaker(const DocumentFileInfo& info, Take take, std::size_t pieceSize)
    : take_(std::move(take)),
      page_(info.shape.utf8 ? nullptr : &CodePage::ofCharset(info.charset)),
      skipMark_(info.shape.utf8 && info.shape.utf8Bom),
      markLeft_(skipMark_ ? kUtf8Bom.size() : 0),
      pieceSize_(std::max<std::size_t>(pieceSize, 16)),
      cutAt_(info.cutLinesAt) {
  out_.reserve(pieceSize_ + 8);
  if (page_) {
    for (int b = 0; b < 256; ++b) {
      const std::string_view u = page_->utf8Of(static_cast<unsigned char>(b));
      std::uint32_t v = 0;
      for (std::size_t i = 0; i < u.size(); ++i) v |= static_cast<std::uint32_t>(static_cast<unsigned char>(u[i])) << (8 * i);
      packed_[b] = v;
      packedLength_[b] = static_cast<std::uint8_t>(u.size());
    }
  }
}

void ShownTextMaker::flush() {
  if (out_.empty()) return;
  take_(out_);
  out_.clear();
}

void ShownTextMaker::putBreaks() {
  lineBytes_ = 0;
  for (; pendingBreaks_ > 0; --pendingBreaks_) {
    if (out_.size() >= pieceSize_) flush();
    out_ += "\r\n";
  }
}

void ShownTextMaker::putRun(const char* from, const char* to) {
  while (from < to) {
    if (!page_) {
      // UTF-8 text as it is; a piece ends only before the first byte of a
      // character (the bytes that finish one begun in the last block go on).
      const char* rest = from;
      while (rest < to && (static_cast<unsigned char>(*rest) & 0xC0) == 0x80) ++rest;
      if (rest > from) {
        out_.append(from, static_cast<std::size_t>(rest - from));
        from = rest;
        continue;
      }
      if (out_.size() >= pieceSize_) flush();
      const std::size_t room = pieceSize_ - out_.size();
      std::size_t n = std::min<std::size_t>(room, static_cast<std::size_t>(to - from));
      if (n < static_cast<std::size_t>(to - from))
        while (n > 0 && (static_cast<unsigned char>(from[n]) & 0xC0) == 0x80) --n;
      if (n == 0) n = std::min<std::size_t>(4, static_cast<std::size_t>(to - from));
      out_.append(from, n);
      from += n;
      continue;
    }
    // Single-byte text: every byte becomes its character's UTF-8 (at most
    // three bytes, written four at a time).
    if (out_.size() >= pieceSize_) flush();
    const std::size_t room = pieceSize_ - out_.size();
    const std::size_t n = std::min<std::size_t>(std::max<std::size_t>(room / 3, 1), static_cast<std::size_t>(to - from));
    const std::size_t at = out_.size();
    out_.resize(at + 3 * n + 1);
    char* w = out_.data() + at;
    for (std::size_t i = 0; i < n; ++i) {
      const unsigned char b = static_cast<unsigned char>(from[i]);
      const std::uint32_t v = packed_[b];
      std::memcpy(w, &v, 4);
      w += packedLength_[b];
    }
    out_.resize(static_cast<std::size_t>(w - out_.data()));
    from += n;
  }
}

void ShownTextMaker::feed(std::string_view block) {
  if (markLeft_ > 0) {
    const std::size_t n = std::min(markLeft_, block.size());
    block.remove_prefix(n);
    markLeft_ -= n;
  }
  const char* p = block.data();
  const char* const end = p + block.size();
  while (p < end) {
    const char ch = *p;
    if (ch == '\r') {
      if (sawCr_) ++pendingBreaks_;
      sawCr_ = true;
      ++p;
      continue;
    }
    if (ch == '\n') {
      ++pendingBreaks_;
      sawCr_ = false;
      ++p;
      continue;
    }
    if (sawCr_) {
      ++pendingBreaks_;
      sawCr_ = false;
    }
    if (pendingBreaks_ > 0) putBreaks();
    const char* runEnd = findLineBreak(p + 1, end);
    if (cutAt_ == 0) {
      putRun(p, runEnd);
      p = runEnd;
      continue;
    }
    // A very long line goes in pieces with a lone LF between them, each cut
    // at the end of a character.
    while (p < runEnd) {
      std::size_t k = static_cast<std::size_t>(std::min<std::uint64_t>(
          cutAt_ > lineBytes_ ? cutAt_ - lineBytes_ : 0, static_cast<std::uint64_t>(runEnd - p)));
      if (!page_)
        while (p + k < runEnd && (static_cast<unsigned char>(p[k]) & 0xC0) == 0x80) ++k;
      putRun(p, p + k);
      lineBytes_ += k;
      p += k;
      if (p < runEnd) {
        if (out_.size() >= pieceSize_) flush();
        out_ += '\n';
        lineBytes_ = 0;
      }
    }
  }
}

void ShownTextMaker::finish() {
  if (sawCr_) ++pendingBreaks_;
  sawCr_ = false;
  // The last line's break closes it; the control shows no line after it.
  if (pendingBreaks_ > 0) --pendingBreaks_;
  putBreaks();
  flush();
}

std::string cutLongLines(std::string_view utf8) {
  std::string out;
  const std::size_t n = utf8.size();
  out.reserve(n + n / kLongLinePiece + 1);
  std::size_t start = 0;
  while (start < n) {
    std::size_t end = utf8.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = n;
    std::size_t at = start;
    if (end - start > kLongLine) {
      while (end - at > kLongLinePiece) {
        std::size_t cut = at + kLongLinePiece;
        while (cut < end && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80) ++cut;
        if (cut >= end) break;
        out.append(utf8.substr(at, cut - at));
        out += '\n';
        at = cut;
      }
    }
    // The rest of the line and the break after it.
    std::size_t next = end;
    if (next < n) next += (utf8[next] == '\r' && next + 1 < n && utf8[next + 1] == '\n') ? 2 : 1;
    out.append(utf8.substr(at, next - at));
    start = next;
  }
  return out;
}

// ---------------------------------------------------------------------------

bool readFileBlocks(const std::string& path, std::size_t blockSize,
                    const std::function<void(std::string_view)>& take) {
  return readFileBlocks(path, blockSize, 0, UINT64_MAX, take);
}

bool readFileBlocks(const std::string& path, std::size_t blockSize, std::uint64_t from, std::uint64_t to,
                    const std::function<void(std::string_view)>& take) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  std::vector<char> buffer(std::max<std::size_t>(blockSize, 4096));
  bool ok = true;
  std::uint64_t at = from;
  while (at < to) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(buffer.size(), to - at));
    const ssize_t n = ::pread(fd, buffer.data(), want, static_cast<off_t>(at));
    if (n < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    if (n == 0) break;
    at += static_cast<std::uint64_t>(n);
    take(std::string_view(buffer.data(), static_cast<std::size_t>(n)));
  }
  const int saved = errno;
  ::close(fd);
  errno = saved;
  return ok;
}

namespace {

// Where a file of `size` bytes is split for two threads: just after the
// first LF from its middle on (0: not split).
std::uint64_t splitPoint(int fd, std::uint64_t size) {
  constexpr std::uint64_t kSplitFrom = 8 << 20;
  if (size < kSplitFrom) return 0;
  std::vector<char> buffer(64 << 10);
  for (std::uint64_t at = size / 2; at < size - size / 4;) {
    const ssize_t n = ::pread(fd, buffer.data(), buffer.size(), static_cast<off_t>(at));
    if (n <= 0) return 0;
    if (const void* lf = std::memchr(buffer.data(), '\n', static_cast<std::size_t>(n)))
      return at + static_cast<std::uint64_t>(static_cast<const char*>(lf) - buffer.data()) + 1;
    at += static_cast<std::uint64_t>(n);
  }
  return 0;
}

}  // namespace

std::optional<DocumentFileInfo> scanDocumentFile(const std::string& path, bool guessCodePage, int* error) {
  std::uint64_t split = 0;
  {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
      if (error) *error = errno;
      return std::nullopt;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) split = splitPoint(fd, static_cast<std::uint64_t>(st.st_size));
    ::close(fd);
  }
  // Each part's errno, taken on the thread that read it.
  const auto readPart = [&](DocumentFileScanner& scanner, std::uint64_t from, std::uint64_t to, int& failure) {
    const bool read =
        readFileBlocks(path, kReadBlockSize, from, to, [&](std::string_view b) { scanner.feed(b); });
    failure = read ? 0 : (errno != 0 ? errno : EIO);
  };
  DocumentFileScanner first;
  int firstError = 0;
  if (split == 0) {
    readPart(first, 0, UINT64_MAX, firstError);
    if (firstError == 0) return first.finish(guessCodePage);
    if (error) *error = firstError;
    return std::nullopt;
  }
  // The second half on a thread of its own (it reads to the end, whatever
  // the file has grown to meanwhile).
  DocumentFileScanner second{DocumentFileScanner::LaterPart{}};
  int secondError = 0;
  runBothAtOnce([&] { readPart(first, 0, split, firstError); },
                [&] { readPart(second, split, UINT64_MAX, secondError); });
  if (firstError != 0 || secondError != 0) {
    if (error) *error = firstError != 0 ? firstError : secondError;
    return std::nullopt;
  }
  first.append(second);
  return first.finish(guessCodePage);
}

}  // namespace kiv
