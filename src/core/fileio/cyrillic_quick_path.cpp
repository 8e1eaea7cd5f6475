#include "core/fileio/cyrillic_quick_path.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define KIV_CYRILLIC_QUICK_PATH 1
#endif

namespace kiv {

#ifdef KIV_CYRILLIC_QUICK_PATH
namespace {

// For every set of kept bytes among eight (a bit each), the shuffle that
// packs them together in order, and how many there are.
struct PackTable {
  alignas(16) unsigned char shuffle[256][16];
  unsigned char count[256];
};

constexpr PackTable makePackTable() {
  PackTable t{};
  for (unsigned m = 0; m < 256; ++m) {
    unsigned k = 0;
    for (unsigned bit = 0; bit < 8; ++bit)
      if (m & (1U << bit)) t.shuffle[m][k++] = static_cast<unsigned char>(bit);
    t.count[m] = static_cast<unsigned char>(k);
    for (; k < 16; ++k) t.shuffle[m][k] = 0x80;
  }
  return t;
}

constexpr PackTable kPack = makePackTable();

__attribute__((target("ssse3"))) std::size_t runSsse3(const unsigned char* table, CyrillicQuickPath::Breaks breaks,
                                                      const char* in, std::size_t n, char** wp) {
  __m128i tables[8];
  for (int k = 0; k < 8; ++k) tables[k] = _mm_load_si128(reinterpret_cast<const __m128i*>(table + 16 * k));
  const __m128i leadBits = _mm_set1_epi8(static_cast<char>(0xFE)), leadValue = _mm_set1_epi8(static_cast<char>(0xD0));
  const __m128i topBits = _mm_set1_epi8(static_cast<char>(0xC0)), contValue = _mm_set1_epi8(static_cast<char>(0x80));
  const __m128i secondLead = _mm_set1_epi8(static_cast<char>(0xD1));
  const __m128i low6 = _mm_set1_epi8(0x3F), bit6 = _mm_set1_epi8(0x40), low3 = _mm_set1_epi8(0x07);
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  char* w = *wp;
  std::size_t pos = 0;
  while (pos + 16 <= n) {
    const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + pos));
    const auto mask = [](__m128i m) { return static_cast<unsigned>(_mm_movemask_epi8(m)); };
    const unsigned ascii = ~mask(v) & 0xFFFF;
    const __m128i isCont = _mm_cmpeq_epi8(_mm_and_si128(v, topBits), contValue);
    const unsigned cont = mask(isCont);
    unsigned leads = mask(_mm_cmpeq_epi8(_mm_and_si128(v, leadBits), leadValue));
    // A character begun in the last byte is left for the next step.
    unsigned take = 16;
    if (leads & 0x8000) take = 15, leads &= 0x7FFF;
    const unsigned within = (1U << take) - 1;
    // Nothing but ASCII and whole characters of the block, every lead
    // byte followed by its continuation and no other continuation.
    if (((ascii | leads | cont) & within) != within || (cont & within) != leads << 1) break;
    const unsigned crs = mask(_mm_cmpeq_epi8(v, cr)) & within, lfs = mask(_mm_cmpeq_epi8(v, lf)) & within;
    if (crs | lfs) {
      const bool same = (breaks == CyrillicQuickPath::Breaks::Lf && crs == 0) ||
                        (breaks == CyrillicQuickPath::Breaks::CrLf && crs << 1 == lfs);
      if (!same) break;
    }
    // The character's offset from U+0400 at each continuation byte: six
    // bits of its own and whether the lead byte before it was D1.
    const __m128i before = _mm_slli_si128(v, 1);
    const __m128i index = _mm_or_si128(_mm_and_si128(v, low6), _mm_and_si128(_mm_cmpeq_epi8(before, secondLead), bit6));
    const __m128i row = _mm_and_si128(_mm_srli_epi16(index, 4), low3);
    __m128i mapped = _mm_setzero_si128();
    for (int k = 0; k < 8; ++k)
      mapped = _mm_or_si128(mapped, _mm_and_si128(_mm_shuffle_epi8(tables[k], index),
                                                  _mm_cmpeq_epi8(row, _mm_set1_epi8(static_cast<char>(k)))));
    const __m128i bytes = _mm_or_si128(_mm_and_si128(isCont, mapped), _mm_andnot_si128(isCont, v));
    const unsigned keep = ~leads & within;
    const unsigned low = keep & 0xFF, high = keep >> 8;
    _mm_storeu_si128(reinterpret_cast<__m128i*>(w),
                     _mm_shuffle_epi8(bytes, _mm_load_si128(reinterpret_cast<const __m128i*>(kPack.shuffle[low]))));
    w += kPack.count[low];
    _mm_storeu_si128(reinterpret_cast<__m128i*>(w),
                     _mm_shuffle_epi8(_mm_srli_si128(bytes, 8),
                                      _mm_load_si128(reinterpret_cast<const __m128i*>(kPack.shuffle[high]))));
    w += kPack.count[high];
    pos += take;
  }
  *wp = w;
  return pos;
}

}  // namespace
#endif

CyrillicQuickPath::CyrillicQuickPath(const char* byteOf400, Breaks breaks) : breaks_(breaks) {
  std::memcpy(table_, byteOf400, sizeof table_);
#ifdef KIV_CYRILLIC_QUICK_PATH
  available_ = __builtin_cpu_supports("ssse3");
#else
  available_ = false;
#endif
}

std::size_t CyrillicQuickPath::run(const char* in, std::size_t n, char** w) const {
#ifdef KIV_CYRILLIC_QUICK_PATH
  if (available_) return runSsse3(table_, breaks_, in, n, w);
#endif
  (void)in, (void)n, (void)w;
  return 0;
}

}  // namespace kiv
