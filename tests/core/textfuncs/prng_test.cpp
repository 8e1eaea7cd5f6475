#include "core/common/prng.h"

#include <gtest/gtest.h>

namespace {

using kiv::Prng;

TEST(Prng, SeedSequenceFromZero) {
  // seed <- seed * 134775813 + 1 (mod 2^32), computed independently.
  const std::uint32_t expected[] = {1u, 134775814u, 3698175007u, 870078620u, 1172187917u, 2884733762u};
  Prng p;
  for (std::uint32_t e : expected) EXPECT_EQ(p.step(), e);
}

TEST(Prng, DrawsBelowN) {
  struct Case {
    std::uint32_t n;
    std::uint32_t draws[6];
  };
  const Case cases[] = {
      {5, {0, 0, 4, 1, 1, 3}},
      {100, {0, 3, 86, 20, 27, 67}},
      {1, {0, 0, 0, 0, 0, 0}},
      {0, {0, 0, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    Prng p;
    for (std::uint32_t d : c.draws) EXPECT_EQ(p.below(c.n), d) << "n=" << c.n;
  }
}

TEST(Prng, DrawStaysBelowNAtTheTopOfTheRange) {
  Prng p(0xFFFFFFFFu - 134775813u);  // the next seeds are near 2^32
  for (int i = 0; i < 1000; ++i) {
    EXPECT_LT(p.below(7), 7u);
    EXPECT_LT(p.below(0xFFFFFFFFu), 0xFFFFFFFFu);
  }
}

TEST(Prng, ProgramGeneratorIsOneInstanceStartingAtZero) {
  kiv::Prng& a = kiv::programPrng();
  EXPECT_EQ(a.seed(), 0u);
  a.step();
  EXPECT_EQ(&kiv::programPrng(), &a);
  EXPECT_EQ(kiv::programPrng().seed(), 1u);
}

}  // namespace
