#include "ui/app/termination_watch.h"

#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <mutex>
#include <thread>

namespace kiv {

namespace {

int gWakeFd = -1;
int gWatchPipe[2] = {-1, -1};
std::atomic<bool> gEndsProcess{false};

// Never destroyed: the watching thread may still wait on it while the
// process runs its exit handlers.
struct WatchState {
  std::mutex mutex;
  std::condition_variable takenUp;
  bool taken = false;
  std::function<void()> lastWords;
};
WatchState& state() {
  static auto* s = new WatchState;
  return *s;
}

void onSignal(int) {
  const int saved = errno;
  const char b = 1;
  if (gWakeFd >= 0) (void)!::write(gWakeFd, &b, 1);
  if (gWatchPipe[1] >= 0) (void)!::write(gWatchPipe[1], &b, 1);
  errno = saved;
}

void watch() {
  for (;;) {
    char b;
    const ssize_t n = ::read(gWatchPipe[0], &b, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    WatchState& s = state();
    std::unique_lock lock(s.mutex);
    if (!gEndsProcess) {
      s.takenUp.wait_for(lock, std::chrono::milliseconds(kTerminationGraceMs), [&] { return s.taken; });
      s.taken = false;
      continue;
    }
    // The real program: whatever the interface thread is doing, the process
    // ends within the grace time; a clean end gets there first.
    s.takenUp.wait_for(lock, std::chrono::milliseconds(kTerminationGraceMs), [] { return false; });
    if (s.lastWords) s.lastWords();
    ::_exit(0);
  }
}

}  // namespace

void installTerminationHandlers(int wakeFd) {
  if (gWatchPipe[0] >= 0) {
    gWakeFd = wakeFd;
    return;
  }
  gWakeFd = wakeFd;
  state();
  if (::pipe(gWatchPipe) == 0) std::thread(watch).detach();
  struct sigaction sa {};
  sa.sa_handler = onSignal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(sig, &sa, nullptr);
}

void setTerminationEndsProcess(bool on) { gEndsProcess = on; }

void terminationTakenUp() {
  WatchState& s = state();
  {
    std::lock_guard lock(s.mutex);
    s.taken = true;
  }
  s.takenUp.notify_all();
}

void setLastWords(std::function<void()> words) {
  WatchState& s = state();
  std::lock_guard lock(s.mutex);
  s.lastWords = std::move(words);
}

}  // namespace kiv
