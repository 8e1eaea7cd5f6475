#include "core/common/prng.h"

namespace kiv {

Prng& programPrng() {
  static Prng prng(0);
  return prng;
}

}  // namespace kiv
