#pragma once
// One worker thread of a tool window (find in files, the text analyzer): it
// takes its input when it starts, hands everything it produces to the
// interface thread as queued calls and never touches a window. Pause is
// cooperative (the job waits at its checkpoints, blocked), a stop also ends
// a pause, and the thread is joined before a new job starts and before the
// worker goes away, so a closing window or program never leaves it running.

#include <QObject>
#include <QThread>
#include <atomic>
#include <functional>
#include <memory>

#include "core/common/worker_control.h"

namespace kiv {

class BackgroundWorker : public QObject {
  Q_OBJECT
 public:
  explicit BackgroundWorker(QObject* parent = nullptr);
  ~BackgroundWorker() override;

  // Runs `job` on a new thread (a previous job is stopped and joined first).
  // The job calls control.checkpoint() between units of work and post() to
  // send results; `done` runs on the interface thread after the job's last
  // post.
  void start(std::function<void(WorkerControl& control)> job, std::function<void()> done = {});
  // From the job: runs `call` on the interface thread, in order.
  void post(std::function<void()> call);

  // False before the first start and after stopAndJoin().
  bool exists() const { return thread_ != nullptr; }
  bool running() const { return thread_ && thread_->isRunning(); }
  bool paused() const { return control_ && control_->paused(); }
  void pause();
  void resume();
  void requestStop();
  // Stops, wakes and joins the thread; the job's posts still pending are
  // dropped.
  void stopAndJoin();
  // Waits for the job to end on its own (tests, benchmarks).
  bool wait(int milliseconds);

  // Scheduling of the worker thread, 1 (idle) to 7; 4 is normal. Returns
  // false when the system refused it (raising priority needs the right).
  bool setPriorityLevel(int level);
  int priorityLevel() const { return level_; }

 private:
  bool applyPriority();

  std::unique_ptr<QThread> thread_;
  std::shared_ptr<WorkerControl> control_;
  std::atomic<long> threadId_{0};
  std::atomic<bool> dropPosts_{false};
  int level_ = 4;
};

}  // namespace kiv
