#include "core/common/worker_control.h"

namespace kiv {

void WorkerControl::requestStop() {
  {
    std::lock_guard lock(mutex_);
    stop_.store(true);
  }
  wake_.notify_all();
}

void WorkerControl::pause() {
  std::lock_guard lock(mutex_);
  paused_.store(true);
}

void WorkerControl::resume() {
  {
    std::lock_guard lock(mutex_);
    paused_.store(false);
  }
  wake_.notify_all();
}

bool WorkerControl::waitWhilePaused() {
  std::unique_lock lock(mutex_);
  wake_.wait(lock, [this] { return !paused_.load() || stop_.load(); });
  return !stop_.load();
}

}  // namespace kiv
