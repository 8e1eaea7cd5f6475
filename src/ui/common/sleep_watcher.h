#pragma once
// Tells when the computer is about to sleep (suspend or hibernate), through
// the login manager's PrepareForSleep signal on the system bus. While it
// is active it holds a "delay" inhibitor, so that the system waits (a few
// seconds at most) for the handler before it sleeps. Without a system bus
// or a login manager it stays inactive and never calls the handler.

#include <QObject>
#include <functional>

namespace kiv {

class SleepWatcher : public QObject {
  Q_OBJECT
 public:
  SleepWatcher(QObject* parent, std::function<void()> beforeSleep);
  ~SleepWatcher() override;
  // True when the login manager's signal is being listened to.
  bool active() const { return active_; }

 private slots:
  void prepareForSleep(bool start);

 private:
  void takeDelayLock();
  void releaseDelayLock();

  std::function<void()> beforeSleep_;
  bool active_ = false;
  int lockFd_ = -1;
};

// True when a SleepWatcher can act on this system.
bool sleepSignalAvailable();

}  // namespace kiv
