#include "ui/common/background_worker.h"

#include <sched.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <QMetaObject>
#include <algorithm>

namespace kiv {

namespace {

// Slider positions to the Linux scheduler: 1 runs only when the processor
// is otherwise idle; 2 to 7 are nice values of the worker thread alone.
constexpr int kNiceOf[8] = {0, 19, 10, 5, 0, -5, -10, -15};

}  // namespace

BackgroundWorker::BackgroundWorker(QObject* parent) : QObject(parent) {}

BackgroundWorker::~BackgroundWorker() { stopAndJoin(); }

void BackgroundWorker::start(std::function<void(WorkerControl&)> job, std::function<void()> done) {
  stopAndJoin();
  dropPosts_ = false;
  control_ = std::make_shared<WorkerControl>();
  threadId_ = 0;
  auto control = control_;
  thread_.reset(QThread::create([this, control, job = std::move(job), done = std::move(done)]() mutable {
    threadId_ = static_cast<long>(::syscall(SYS_gettid));
    applyPriority();
    job(*control);
    if (done) post(std::move(done));
  }));
  thread_->start();
}

void BackgroundWorker::post(std::function<void()> call) {
  if (dropPosts_) return;
  QMetaObject::invokeMethod(
      this,
      [this, call = std::move(call)] {
        if (!dropPosts_) call();
      },
      Qt::QueuedConnection);
}

void BackgroundWorker::pause() {
  if (control_) control_->pause();
}

void BackgroundWorker::resume() {
  if (control_) control_->resume();
}

void BackgroundWorker::requestStop() {
  if (control_) control_->requestStop();
}

void BackgroundWorker::stopAndJoin() {
  if (!thread_) return;
  dropPosts_ = true;
  control_->requestStop();
  thread_->wait();
  thread_.reset();
  control_.reset();
}

bool BackgroundWorker::wait(int milliseconds) {
  return !thread_ || thread_->wait(QDeadlineTimer(milliseconds));
}

bool BackgroundWorker::setPriorityLevel(int level) {
  level_ = std::clamp(level, 1, 7);
  if (!running()) return true;  // applied when the next thread starts
  return applyPriority();
}

bool BackgroundWorker::applyPriority() {
  const long tid = threadId_.load();
  if (tid == 0) return true;  // applied when the thread starts
  sched_param param{};
  const int level = level_;
  if (level == 1) return ::sched_setscheduler(static_cast<pid_t>(tid), SCHED_IDLE, &param) == 0;
  bool ok = ::sched_setscheduler(static_cast<pid_t>(tid), SCHED_OTHER, &param) == 0;
  ok = ::setpriority(PRIO_PROCESS, static_cast<id_t>(tid), kNiceOf[level]) == 0 && ok;
  return ok;
}

}  // namespace kiv
