#include <gtest/gtest.h>

#include "core/sound/typing_sounds.h"

using namespace kiv;

namespace {
unsigned u32(const std::string& w, std::size_t at) {
  return static_cast<unsigned char>(w[at]) | (static_cast<unsigned char>(w[at + 1]) << 8) |
         (static_cast<unsigned char>(w[at + 2]) << 16) | (static_cast<unsigned>(static_cast<unsigned char>(w[at + 3])) << 24);
}
unsigned u16(const std::string& w, std::size_t at) {
  return static_cast<unsigned char>(w[at]) | (static_cast<unsigned char>(w[at + 1]) << 8);
}
}  // namespace

TEST(TypingSounds, WaveHeadersAndLengths) {
  struct Row {
    std::string wave;
    unsigned channels;
    double seconds;
  } rows[] = {{keyClickWave(), 1, 0.14}, {enterWave(), 2, 0.37}};
  for (const auto& r : rows) {
    const std::string& w = r.wave;
    ASSERT_GT(w.size(), 44u);
    EXPECT_EQ(w.substr(0, 4), "RIFF");
    EXPECT_EQ(u32(w, 4), w.size() - 8);
    EXPECT_EQ(w.substr(8, 8), "WAVEfmt ");
    EXPECT_EQ(u16(w, 20), 1u);  // PCM
    EXPECT_EQ(u16(w, 22), r.channels);
    EXPECT_EQ(u32(w, 24), 22050u);
    EXPECT_EQ(u16(w, 34), 8u);
    EXPECT_EQ(w.substr(36, 4), "data");
    const double seconds = static_cast<double>(u32(w, 40)) / (22050.0 * r.channels);
    EXPECT_NEAR(seconds, r.seconds, 0.005);
  }
}
