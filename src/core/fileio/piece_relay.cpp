#include "core/fileio/piece_relay.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <exception>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace kiv {

namespace {
// Thrown inside the making thread when the taking side has given up.
struct Abandoned {};
}  // namespace

bool relayPieces(const std::function<bool(const PieceTaker&)>& make, const PieceTaker& take, std::size_t waiting) {
  waiting = std::max<std::size_t>(waiting, 1);
  std::mutex mutex;
  std::condition_variable changed;
  std::deque<std::string> ready;
  std::vector<std::string> spare;  // buffers back from the taker, for reuse
  bool finished = false, abandoned = false, made = false;
  std::exception_ptr makeError;

  std::thread maker([&] {
    try {
      made = make([&](std::string_view piece) {
        std::unique_lock lock(mutex);
        changed.wait(lock, [&] { return ready.size() < waiting || abandoned; });
        if (abandoned) throw Abandoned{};
        std::string buffer;
        if (!spare.empty()) {
          buffer = std::move(spare.back());
          spare.pop_back();
        }
        lock.unlock();
        buffer.assign(piece);
        lock.lock();
        ready.push_back(std::move(buffer));
        changed.notify_all();
      });
    } catch (const Abandoned&) {
    } catch (...) {
      makeError = std::current_exception();
    }
    std::lock_guard lock(mutex);
    finished = true;
    changed.notify_all();
  });

  std::exception_ptr takeError;
  for (;;) {
    std::string piece;
    {
      std::unique_lock lock(mutex);
      changed.wait(lock, [&] { return !ready.empty() || finished; });
      if (ready.empty()) break;
      piece = std::move(ready.front());
      ready.pop_front();
      changed.notify_all();
    }
    try {
      take(piece);
    } catch (...) {
      takeError = std::current_exception();
      std::lock_guard lock(mutex);
      abandoned = true;
      changed.notify_all();
      break;
    }
    std::lock_guard lock(mutex);
    spare.push_back(std::move(piece));
  }
  maker.join();
  if (takeError) std::rethrow_exception(takeError);
  if (makeError) std::rethrow_exception(makeError);
  return made;
}

}  // namespace kiv
