// Marks of changed bytes kept as runs.

#include <gtest/gtest.h>

#include <set>

#include "core/hex/changed_marks.h"

using namespace kiv;

TEST(ChangedMarks, NeighboursJoinIntoOneRun) {
  ChangedMarks m;
  for (std::uint64_t p : {5u, 7u, 6u, 4u, 8u}) m.mark(p);
  EXPECT_EQ(m.runCount(), 1u);
  EXPECT_EQ(m.count(), 5u);
  EXPECT_FALSE(m.contains(3));
  EXPECT_TRUE(m.contains(4));
  EXPECT_TRUE(m.contains(8));
  EXPECT_FALSE(m.contains(9));
}

TEST(ChangedMarks, DropFromCutsARunInTwo) {
  ChangedMarks m;
  for (std::uint64_t p = 10; p < 20; ++p) m.mark(p);
  m.mark(30);
  m.dropFrom(15);
  EXPECT_EQ(m.count(), 5u);
  EXPECT_TRUE(m.contains(14));
  EXPECT_FALSE(m.contains(15));
  EXPECT_FALSE(m.contains(30));
  m.dropFrom(0);
  EXPECT_TRUE(m.empty());
}

TEST(ChangedMarks, AgreesWithAPlainSet) {
  ChangedMarks m;
  std::set<std::uint64_t> model;
  std::uint32_t seed = 12345;
  auto next = [&seed](std::uint32_t n) {
    seed = seed * 1664525u + 1013904223u;
    return (static_cast<std::uint64_t>(seed >> 8) * n) >> 24;
  };
  const std::uint64_t base = 5ull << 32;  // offsets past 4 GiB
  for (int step = 0; step < 5000; ++step) {
    if (next(100) == 0) {
      const std::uint64_t cut = base + next(300);
      m.dropFrom(cut);
      model.erase(model.lower_bound(cut), model.end());
    } else {
      const std::uint64_t p = base + next(300);
      m.mark(p);
      model.insert(p);
    }
  }
  for (std::uint64_t p = base; p < base + 300; ++p) EXPECT_EQ(m.contains(p), model.count(p) == 1) << p - base;
  EXPECT_EQ(m.count(), model.size());
}
