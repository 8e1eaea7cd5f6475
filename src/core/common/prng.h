#pragma once
// The program-wide pseudo-random generator: a 32-bit linear congruential
// generator, seed <- seed * 134775813 + 1 (mod 2^32). A draw below n takes
// the step first and returns (seed * n) div 2^32. The program's generator
// starts at seed 0 and is never reseeded, so its sequence of draws is the
// same in every run. It is meant for the interface thread only.

#include <cstdint>

namespace kiv {

class Prng {
 public:
  explicit Prng(std::uint32_t seed = 0) : seed_(seed) {}

  std::uint32_t seed() const { return seed_; }

  // One step of the generator; returns the new seed.
  std::uint32_t step() {
    seed_ = seed_ * 134775813u + 1u;
    return seed_;
  }

  // A number in 0 .. n-1 (0 when n is 0).
  std::uint32_t below(std::uint32_t n) {
    return static_cast<std::uint32_t>((static_cast<std::uint64_t>(step()) * n) >> 32);
  }

 private:
  std::uint32_t seed_;
};

// The one generator of the program.
Prng& programPrng();

}  // namespace kiv
