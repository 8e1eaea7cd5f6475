#include "ui/app/instance_channel.h"

#include <unistd.h>

#include <QElapsedTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <cerrno>

namespace kiv {

namespace {
constexpr char kAnswer = '\x06';
// A message larger than this is not from Kiv.
constexpr qsizetype kMaxMessage = 16 * 1024 * 1024;

std::string absoluteName(const std::string& name) {
  if (!name.empty() && name.front() == '/') return name;
  std::vector<char> buf(4096);
  while (::getcwd(buf.data(), buf.size()) == nullptr) {
    if (errno != ERANGE || buf.size() > (1u << 20)) return name;
    buf.resize(buf.size() * 2);
  }
  std::string out(buf.data());
  if (out.empty() || out.back() != '/') out += '/';
  return out + name;
}
// The message goes after its length, four bytes, most significant first.
QByteArray lengthBytes(quint32 n) {
  QByteArray b(4, '\0');
  for (int i = 0; i < 4; ++i) b[i] = static_cast<char>((n >> (8 * (3 - i))) & 0xFF);
  return b;
}

struct Pending {
  QByteArray bytes;
  bool answered = false;
};

quint32 lengthOf(const QByteArray& b) {
  quint32 n = 0;
  for (int i = 0; i < 4; ++i) n = (n << 8) | static_cast<unsigned char>(b[i]);
  return n;
}
}  // namespace

QByteArray instanceMessage(const std::vector<std::string>& files) {
  QByteArray out;
  for (const std::string& f : files) {
    if (f.empty() || f.find('\0') != std::string::npos) continue;
    const std::string name = absoluteName(f);
    out.append(name.data(), static_cast<qsizetype>(name.size()));
    out.append('\0');
  }
  return out;
}

std::vector<std::string> filesOfInstanceMessage(const QByteArray& message) {
  std::vector<std::string> files;
  qsizetype start = 0;
  for (qsizetype i = 0; i < message.size(); ++i) {
    if (message[i] != '\0') continue;
    if (i > start) files.emplace_back(message.constData() + start, static_cast<std::size_t>(i - start));
    start = i + 1;
  }
  // An unterminated tail is a message cut short: not a file name.
  return files;
}

bool handToRunningInstance(const QString& socketName, const std::vector<std::string>& files, int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(socketName);
  if (!socket.waitForConnected(std::min(timeoutMs, 1000))) return false;
  QElapsedTimer clock;
  clock.start();
  const QByteArray message = instanceMessage(files);
  if (message.size() > kMaxMessage) return false;
  socket.write(lengthBytes(static_cast<quint32>(message.size())) + message);
  if (!socket.waitForBytesWritten(timeoutMs)) return false;
  while (socket.bytesAvailable() < 1) {
    const qint64 left = timeoutMs - clock.elapsed();
    if (left <= 0 || !socket.waitForReadyRead(static_cast<int>(left))) return false;
  }
  char answer = 0;
  return socket.read(&answer, 1) == 1 && answer == kAnswer;
}

InstanceServer::InstanceServer(const QString& socketName, Receiver received, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)), received_(std::move(received)) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  if (!server_->listen(socketName)) {
    // Nobody answered on it (the caller tried): left by a program that died.
    QLocalServer::removeServer(socketName);
    server_->listen(socketName);
  }
  connect(server_, &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* s = server_->nextPendingConnection()) {
      connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
      // A caller that never finishes its message is not kept waiting for.
      QTimer::singleShot(10000, s, [s] { s->abort(); });
      auto* pending = new Pending;
      connect(s, &QObject::destroyed, this, [pending] { delete pending; });
      connect(s, &QLocalSocket::readyRead, this, [this, s, pending] {
        if (pending->answered) return;
        QByteArray* buffer = &pending->bytes;
        buffer->append(s->readAll());
        if (buffer->size() < 4) return;
        const quint32 length = lengthOf(*buffer);
        if (length > static_cast<quint32>(kMaxMessage)) {
          s->abort();
          return;
        }
        if (buffer->size() < 4 + static_cast<qsizetype>(length)) return;
        const std::vector<std::string> files = filesOfInstanceMessage(buffer->mid(4, length));
        pending->answered = true;
        s->write(&kAnswer, 1);
        s->flush();
        s->disconnectFromServer();
        if (received_) received_(files);
      });
    }
  });
}

bool InstanceServer::listening() const { return server_->isListening(); }

}  // namespace kiv
