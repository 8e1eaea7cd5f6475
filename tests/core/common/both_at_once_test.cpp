// Both pieces run, on two threads, and a failure on either side reaches the
// caller only after both have ended.

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <thread>

#include "core/common/both_at_once.h"

using namespace kiv;

TEST(BothAtOnce, BothRunAndFailuresComeBackAfterBothEnded) {
  struct Case {
    bool hereThrows, thereThrows;
    const char* expected;  // the message caught, or nullptr
  };
  for (const Case c : {Case{false, false, nullptr}, Case{true, false, "here"}, Case{false, true, "there"},
                       Case{true, true, "here"}}) {
    std::atomic<int> ended{0};
    std::thread::id hereId, thereId;
    const char* caught = nullptr;
    try {
      runBothAtOnce(
          [&] {
            hereId = std::this_thread::get_id();
            ++ended;
            if (c.hereThrows) throw std::runtime_error("here");
          },
          [&] {
            thereId = std::this_thread::get_id();
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            ++ended;
            if (c.thereThrows) throw std::runtime_error("there");
          });
    } catch (const std::runtime_error& e) {
      caught = e.what()[0] == 'h' ? "here" : "there";
    }
    EXPECT_EQ(ended.load(), 2);
    EXPECT_EQ(hereId, std::this_thread::get_id());
    EXPECT_NE(thereId, hereId);
    if (c.expected) EXPECT_STREQ(caught, c.expected);
    else EXPECT_EQ(caught, nullptr);
  }
}
