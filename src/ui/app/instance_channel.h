#pragma once
// One running Kiv per user and kiv.ini: a second start hands its file names
// to the running program through a local socket and ends. The message is
// the absolute file names, each ended by a zero byte; the running program
// answers one byte once it has them.

#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

class QLocalServer;

namespace kiv {

// Sends `files` (made absolute against the current folder) to the program
// listening on `socketName`. False when none listens or it did not answer
// within `timeoutMs`: the caller then starts as the first program.
bool handToRunningInstance(const QString& socketName, const std::vector<std::string>& files, int timeoutMs = 5000);

// The message bytes for `files` and back; a name holding a zero byte cannot
// be a file name and is dropped.
QByteArray instanceMessage(const std::vector<std::string>& files);
std::vector<std::string> filesOfInstanceMessage(const QByteArray& message);

// Listens on `socketName` (a stale socket of a program that died is
// replaced) and calls `received` with each second start's files.
class InstanceServer : public QObject {
  Q_OBJECT
 public:
  using Receiver = std::function<void(const std::vector<std::string>&)>;
  InstanceServer(const QString& socketName, Receiver received, QObject* parent = nullptr);
  bool listening() const;

 private:
  QLocalServer* server_;
  Receiver received_;
};

}  // namespace kiv
