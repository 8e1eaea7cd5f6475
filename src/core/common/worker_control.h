#pragma once
// The controls of a worker thread, shared with the thread that steers it: a
// cooperative pause that the worker waits out (blocked, not spinning) at its
// checkpoints, and a stop request that also ends a pause. The worker calls
// checkpoint() between units of work and ends when it returns false.

#include <atomic>
#include <condition_variable>
#include <mutex>

namespace kiv {

class WorkerControl {
 public:
  // Asks the worker to end; a paused worker wakes at once.
  void requestStop();
  void pause();
  void resume();
  bool stopRequested() const { return stop_.load(std::memory_order_relaxed); }
  bool paused() const { return paused_.load(std::memory_order_relaxed); }

  // For the worker: waits while paused; false once a stop was asked for.
  // Cheap when neither is set (two relaxed loads).
  bool checkpoint() {
    if (!paused_.load(std::memory_order_relaxed)) return !stop_.load(std::memory_order_relaxed);
    return waitWhilePaused();
  }

 private:
  bool waitWhilePaused();

  std::atomic<bool> stop_{false};
  std::atomic<bool> paused_{false};
  std::mutex mutex_;
  std::condition_variable wake_;
};

}  // namespace kiv
