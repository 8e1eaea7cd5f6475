#include "ui/common/sleep_watcher.h"

#include <unistd.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusUnixFileDescriptor>

namespace kiv {

namespace {
const QString kService = QStringLiteral("org.freedesktop.login1");
const QString kPath = QStringLiteral("/org/freedesktop/login1");
const QString kManager = QStringLiteral("org.freedesktop.login1.Manager");
}  // namespace

bool sleepSignalAvailable() {
  QDBusConnection bus = QDBusConnection::systemBus();
  return bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(kService).value();
}

SleepWatcher::SleepWatcher(QObject* parent, std::function<void()> beforeSleep)
    : QObject(parent), beforeSleep_(std::move(beforeSleep)) {
  if (!sleepSignalAvailable()) return;
  active_ = QDBusConnection::systemBus().connect(kService, kPath, kManager, QStringLiteral("PrepareForSleep"), this,
                                                 SLOT(prepareForSleep(bool)));
  if (active_) takeDelayLock();
}

SleepWatcher::~SleepWatcher() { releaseDelayLock(); }

void SleepWatcher::takeDelayLock() {
  if (lockFd_ >= 0) return;
  QDBusInterface manager(kService, kPath, kManager, QDBusConnection::systemBus());
  const QDBusReply<QDBusUnixFileDescriptor> reply =
      manager.call(QStringLiteral("Inhibit"), QStringLiteral("sleep"), QStringLiteral("Kiv"),
                   QStringLiteral("Сохранение документов"), QStringLiteral("delay"));
  if (reply.isValid() && reply.value().isValid()) lockFd_ = ::dup(reply.value().fileDescriptor());
}

void SleepWatcher::releaseDelayLock() {
  if (lockFd_ >= 0) ::close(lockFd_);
  lockFd_ = -1;
}

void SleepWatcher::prepareForSleep(bool start) {
  if (start) {
    if (beforeSleep_) beforeSleep_();
    releaseDelayLock();
  } else {
    takeDelayLock();
  }
}

}  // namespace kiv
