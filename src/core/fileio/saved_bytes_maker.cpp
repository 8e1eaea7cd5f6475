#include "core/fileio/saved_bytes_maker.h"

#include <algorithm>
#include <array>
#include <condition_variable>
#include <exception>
#include <mutex>

#include "core/charsets/code_page.h"
#include "core/charsets/utf8.h"

namespace kiv {

SavedBytesMaker::SavedBytesMaker(std::string_view charset, const TextFileShape& shape)
    : page_(CodePage::ofCharset(charset)), shape_(shape) {
  switch (shape.lineEnd) {
    case LineEndStyle::CrLf: breakBytes_[0] = '\r', breakBytes_[1] = '\n', breakLength_ = 2; break;
    case LineEndStyle::Lf: breakBytes_[0] = '\n', breakLength_ = 1; break;
    case LineEndStyle::Cr: breakBytes_[0] = '\r', breakLength_ = 1; break;
  }
  if (shape_.utf8 && shape_.utf8Bom) out_.assign(kUtf8Bom);
  for (char32_t cp = 0; cp < 0x800; ++cp) {
    below800_[cp] = static_cast<std::int16_t>(page_.fromUnicode(cp));
    below800Byte_[cp] = below800_[cp] < 0 ? '?' : static_cast<char>(below800_[cp]);
  }
  quick_ = makeQuickPath();
}

CyrillicQuickPath SavedBytesMaker::makeQuickPath() const {
  // Line breaks the file writes as the control holds them pass through.
  auto breaks = CyrillicQuickPath::Breaks::None;
  if (breakLength_ == 2) breaks = CyrillicQuickPath::Breaks::CrLf;
  else if (breakBytes_[0] == '\n' && !dropLoneLf_) breaks = CyrillicQuickPath::Breaks::Lf;
  return CyrillicQuickPath(below800Byte_ + 0x400, breaks);
}

void SavedBytesMaker::dropLoneLineFeeds() {
  dropLoneLf_ = true;
  quick_ = makeQuickPath();
}

namespace {
// What a byte of UTF-8 is, for the quick path of the conversion: 0 a plain
// ASCII character, 1 the first of a two-byte character, 2 a continuation,
// 3 anything else (line breaks, longer characters, bytes UTF-8 never has).
constexpr std::array<unsigned char, 256> kByteKinds = [] {
  std::array<unsigned char, 256> k{};
  for (int b = 0; b < 256; ++b) {
    if (b == '\r' || b == '\n') k[b] = 3;
    else if (b < 0x80) k[b] = 0;
    else if (b < 0xC0) k[b] = 2;
    else if (b >= 0xC2 && b <= 0xDF) k[b] = 1;
    else k[b] = 3;
  }
  return k;
}();

bool continues(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

void SavedBytesMaker::feed(std::string_view utf8) {
  if (utf8.empty()) return;
  anyText_ = true;
  if (!carry_.empty()) {
    // The held-back bytes go on with the new piece up to the first place no
    // character and no CR LF crosses.
    std::size_t k = 0;
    while (k < utf8.size() &&
           (continues(utf8[k]) || (utf8[k] == '\n' && (k ? utf8[k - 1] : carry_.back()) == '\r')))
      ++k;
    std::string joined;
    joined.swap(carry_);
    joined.append(utf8.substr(0, k));
    utf8.remove_prefix(k);
    if (utf8.empty()) {
      // Still nothing safe to cut before: hold it all.
      feed(joined);
      return;
    }
    convert(joined);
  }
  // Hold back a character that may go on in the next piece, and a final CR.
  const std::size_t n = utf8.size();
  std::size_t keep = 0;
  for (std::size_t back = 1; back <= 3 && back <= n; ++back) {
    if (static_cast<unsigned char>(utf8[n - back]) >= 0xC0) {
      keep = back;
      break;
    }
  }
  if (keep == 0 && utf8.back() == '\r') keep = 1;
  carry_.assign(utf8.substr(n - keep));
  convert(utf8.substr(0, n - keep));
}

void SavedBytesMaker::convert(std::string_view utf8) {
  // Everything the loop reads is held locally: the bytes it writes could
  // otherwise be taken to change it.
  const std::size_t n = utf8.size();
  const char* const in = utf8.data();
  const char brk0 = breakBytes_[0], brk1 = breakBytes_[1];
  const bool twoByteBreak = breakLength_ == 2;
  const bool utf8Out = shape_.utf8;
  const bool dropLoneLf = dropLoneLf_;
  const auto* const below800 = below800_;
  const char* const below800Byte = below800Byte_;
  const unsigned char* const kinds = kByteKinds.data();
  const CyrillicQuickPath quick = quick_;
  const bool quickAvailable = !utf8Out && quick.available();
  constexpr std::size_t kBlock = std::size_t{1} << 16;
  std::size_t pos = 0;
  while (pos < n) {
    // Each byte of the control's text gives at most one byte of the file's
    // or a line break, and a UTF-8 file's character takes no more than it
    // took in the control; a character or CR LF may end a little past the
    // block.
    const std::size_t blockEnd = std::min(n, pos + kBlock);
    const std::size_t start = out_.size();
    out_.resize(start + 2 * (blockEnd - pos + 4));
    char* w = out_.data() + start;
    while (pos < blockEnd) {
      if (!utf8Out) {
        // Sixteen bytes at a time while the text is plain Russian, one
        // byte at a time for a little where it is not.
        if (quickAvailable) pos += quick.run(in + pos, blockEnd - pos, &w);
        const std::size_t stepEnd = quickAvailable ? std::min(blockEnd, pos + 16) : blockEnd;
        // The quick path: plain characters and two-byte ones. Every input
        // byte is one step and writes one byte, kept unless it began a
        // character; nothing the text holds decides where the next step
        // starts, so no branch can be misled by it.
        std::size_t i = pos;
        unsigned prev = 0, prevKind = 0;
        for (; i < stepEnd; ++i) {
          const unsigned b = static_cast<unsigned char>(in[i]);
          const unsigned k = kinds[b];
          const unsigned continuation = static_cast<unsigned>(k == 2);
          const unsigned afterLead = static_cast<unsigned>(prevKind == 1);
          if (static_cast<unsigned>(k == 3) | (continuation ^ afterLead)) break;
          const unsigned mapped = static_cast<unsigned char>(below800Byte[((prev & 0x1F) << 6) | (b & 0x3F)]);
          *w = static_cast<char>(b ^ ((b ^ mapped) & (0U - continuation)));
          w += static_cast<unsigned>(k != 1);
          prev = b;
          prevKind = k;
        }
        // A character begun at the block's end, or one the quick path does
        // not take, is read again from its start.
        pos = prevKind == 1 ? i - 1 : i;
        if (pos >= blockEnd) break;
        if (i == stepEnd && stepEnd < blockEnd) continue;
      }
      const unsigned char b = static_cast<unsigned char>(in[pos]);
      if (b < 0x80) {
        ++pos;
        if (b == '\r' || b == '\n') {
          if (b == '\r' && pos < n && in[pos] == '\n') ++pos;
          else if (b == '\n' && dropLoneLf) continue;
          *w++ = brk0;
          if (twoByteBreak) *w++ = brk1;
        } else {
          *w++ = static_cast<char>(b);
        }
        continue;
      }
      int mapped;
      const unsigned char next = pos + 1 < n ? static_cast<unsigned char>(in[pos + 1]) : 0;
      if (b >= 0xC2 && b <= 0xDF && (next & 0xC0) == 0x80) {
        mapped = below800[((b & 0x1F) << 6) | (next & 0x3F)];
        pos += 2;
      } else {
        mapped = page_.fromUnicode(nextUtf8(utf8, pos));
      }
      if (mapped < 0) {
        *w++ = '?';
      } else if (!utf8Out) {
        *w++ = static_cast<char>(mapped);
      } else {
        for (char c : page_.utf8Of(static_cast<unsigned char>(mapped))) *w++ = c;
      }
    }
    out_.resize(static_cast<std::size_t>(w - out_.data()));
  }
}

std::string SavedBytesMaker::finish() {
  if (!carry_.empty()) {
    std::string rest;
    rest.swap(carry_);
    convert(rest);
  }
  if (anyText_ && shape_.finalLineBreak && !laterPartFollows_) out_.append(breakBytes_, breakLength_);
  return std::move(out_);
}

void SavedBytesMaker::afterEarlierPart() {
  if (shape_.utf8 && shape_.utf8Bom) out_.clear();
}

void SavedBytesMaker::useBuffer(std::string buffer) {
  buffer.assign(out_);
  out_ = std::move(buffer);
}

namespace {

// Feeds the bytes [from, to) of the runs taken as one text.
void feedRange(SavedBytesMaker& maker, const std::array<std::string_view, 2>& runs, std::size_t from,
               std::size_t to) {
  std::size_t at = 0;
  for (const std::string_view run : runs) {
    const std::size_t a = std::max(from, at), b = std::min(to, at + run.size());
    if (a < b) maker.feed(run.substr(a - at, b - a));
    at += run.size();
  }
}

// Just after the first LF at or after `from` (0 when there is none).
std::size_t afterLineFeed(const std::array<std::string_view, 2>& runs, std::size_t from) {
  std::size_t at = 0;
  for (const std::string_view run : runs) {
    if (from < at + run.size()) {
      const std::size_t lf = run.find('\n', from > at ? from - at : 0);
      if (lf != std::string_view::npos) return at + lf + 1;
    }
    at += run.size();
  }
  return 0;
}

// Pieces made but not yet taken, at most.
constexpr std::size_t kAhead = 4;

}  // namespace

struct SavedBytePieces::Shared {
  std::mutex mutex;
  std::condition_variable changed;
  std::size_t claimed = 0;  // pieces a worker has begun
  std::size_t taken = 0;    // pieces handed out
  std::vector<std::string> made;
  std::vector<char> ready;
  std::vector<std::string> spare;  // the room of pieces already written
  std::exception_ptr error;
  bool stop = false;
};

SavedBytePieces::SavedBytePieces(std::string_view charset, const TextFileShape& shape, bool dropLoneLineFeeds,
                                 std::array<std::string_view, 2> runs, std::size_t pieceSize)
    : charset_(charset), shape_(shape), dropLoneLf_(dropLoneLineFeeds), runs_(runs), shared_(new Shared) {
  const std::size_t total = runs[0].size() + runs[1].size();
  // Nothing crosses a line feed: no character, no CR LF.
  cuts_.push_back(0);
  for (std::size_t at = 0; at < total;) {
    const std::size_t cut = total - at > pieceSize ? afterLineFeed(runs, at + pieceSize) : 0;
    at = cut == 0 ? total : cut;
    cuts_.push_back(at);
  }
  if (cuts_.size() == 1) cuts_.push_back(0);
  const std::size_t count = cuts_.size() - 1;
  shared_->made.resize(count);
  shared_->ready.resize(count);
  if (count > 1)
    for (int i = 0; i < 2; ++i) workers_.emplace_back([this] { work(); });
}

SavedBytePieces::~SavedBytePieces() {
  {
    std::lock_guard lock(shared_->mutex);
    shared_->stop = true;
  }
  shared_->changed.notify_all();
  for (std::thread& t : workers_) t.join();
}

std::string SavedBytePieces::make(std::size_t index, std::string buffer) const {
  SavedBytesMaker maker(charset_, shape_);
  if (dropLoneLf_) maker.dropLoneLineFeeds();
  if (index > 0) maker.afterEarlierPart();
  if (index + 2 < cuts_.size()) maker.beforeLaterPart();
  maker.useBuffer(std::move(buffer));
  const std::size_t length = cuts_[index + 1] - cuts_[index];
  maker.reserve(length + length / 16 + 16);
  feedRange(maker, runs_, cuts_[index], cuts_[index + 1]);
  return maker.finish();
}

void SavedBytePieces::work() {
  Shared& s = *shared_;
  const std::size_t count = s.made.size();
  std::unique_lock lock(s.mutex);
  for (;;) {
    s.changed.wait(lock, [&] { return s.stop || s.claimed >= count || s.claimed < s.taken + kAhead; });
    if (s.stop || s.claimed >= count) return;
    const std::size_t index = s.claimed++;
    std::string buffer;
    if (!s.spare.empty()) {
      buffer = std::move(s.spare.back());
      s.spare.pop_back();
    }
    lock.unlock();
    std::string bytes;
    std::exception_ptr error;
    try {
      bytes = make(index, std::move(buffer));
    } catch (...) {
      error = std::current_exception();
    }
    lock.lock();
    if (error) {
      if (!s.error) s.error = error;
      s.stop = true;
    } else {
      s.made[index] = std::move(bytes);
      s.ready[index] = 1;
    }
    s.changed.notify_all();
  }
}

std::string_view SavedBytePieces::next() {
  Shared& s = *shared_;
  const std::size_t count = s.made.size();
  if (workers_.empty()) {
    if (s.taken++ != 0) return {};
    current_ = make(0, {});
    return current_;
  }
  std::unique_lock lock(s.mutex);
  if (current_.capacity() > 0) s.spare.push_back(std::move(current_));
  current_.clear();
  // A piece of nothing but display cuts makes no bytes and is passed over.
  while (current_.empty() && s.taken < count) {
    s.changed.wait(lock, [&] { return s.ready[s.taken] || s.error; });
    if (!s.ready[s.taken]) std::rethrow_exception(s.error);
    current_ = std::move(s.made[s.taken]);
    ++s.taken;
    s.changed.notify_all();
  }
  return current_;
}

std::string makeSavedBytes(std::string_view charset, const TextFileShape& shape, bool dropLoneLineFeeds,
                           std::array<std::string_view, 2> runs, std::size_t pieceSize) {
  SavedBytePieces pieces(charset, shape, dropLoneLineFeeds, runs, pieceSize);
  std::string out;
  out.reserve(runs[0].size() + runs[1].size() + 16);
  for (std::string_view piece = pieces.next(); !piece.empty(); piece = pieces.next()) out += piece;
  return out;
}

}  // namespace kiv
