#pragma once
// Two pieces of work on two cores: one on the calling thread, the other on
// a thread of its own, started together and both finished on return.

#include <functional>

namespace kiv {

// Runs `here` on this thread while `there` runs on another. Returns once
// both have ended; what either threw is then thrown here (this thread's
// exception first).
void runBothAtOnce(const std::function<void()>& here, const std::function<void()>& there);

}  // namespace kiv
