// Pieces made on another thread arrive whole and in order; a failure on
// either side stops both and reaches the caller.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "core/fileio/piece_relay.h"

using namespace kiv;

TEST(PieceRelay, PiecesArriveInOrderOnTheCallingThread) {
  struct Case {
    int pieces;
    std::size_t waiting;
    bool result;
  };
  for (const Case c : {Case{0, 4, true}, Case{1, 1, true}, Case{500, 1, true}, Case{500, 4, false}}) {
    std::string made, taken;
    const auto caller = std::this_thread::get_id();
    bool allHere = true;
    const bool r = relayPieces(
        [&](const PieceTaker& give) {
          for (int i = 0; i < c.pieces; ++i) {
            const std::string piece = std::to_string(i) + std::string(static_cast<std::size_t>(i % 7), 'x') + ";";
            made += piece;
            give(piece);
          }
          return c.result;
        },
        [&](std::string_view piece) {
          allHere = allHere && std::this_thread::get_id() == caller;
          taken += piece;
        },
        c.waiting);
    EXPECT_EQ(r, c.result);
    EXPECT_EQ(taken, made);
    EXPECT_TRUE(allHere);
  }
}

TEST(PieceRelay, FailuresOnEitherSideReachTheCaller) {
  // The maker fails after some pieces.
  std::string taken;
  EXPECT_THROW(relayPieces(
                   [](const PieceTaker& give) {
                     give("a");
                     give("b");
                     throw std::bad_alloc();
                     return true;
                   },
                   [&](std::string_view p) { taken += p; }),
               std::bad_alloc);
  EXPECT_EQ(taken, "ab");
  // The taker fails: the maker, blocked with a full queue, is released.
  int given = 0;
  EXPECT_THROW(relayPieces(
                   [&](const PieceTaker& give) {
                     for (int i = 0; i < 100000; ++i, ++given) give("piece");
                     return true;
                   },
                   [](std::string_view) { throw std::runtime_error("full"); }, 2),
               std::runtime_error);
  EXPECT_LT(given, 100000);
}
