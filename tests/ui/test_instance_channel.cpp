// The channel through which a second start hands its files to the running
// program: the message format, the hand-over, and the cases where nobody (or
// nobody sensible) listens.

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTest>
#include <thread>

#include "ui/app/instance_channel.h"

using namespace kiv;
using Names = std::vector<std::string>;

class InstanceChannelTest : public QObject {
  Q_OBJECT
 private slots:
  void messageRoundTrip();
  void filesReachTheListeningProgram();
  void nobodyListening();
  void staleSocketIsReplaced();
  void aListenerThatNeverAnswers();

 private:
  QString socketName(const char* tag) const { return dir_.path() + QLatin1Char('/') + QLatin1String(tag); }
  static inline std::atomic<bool> finished_{false};
  QTemporaryDir dir_;
};

void InstanceChannelTest::messageRoundTrip() {
  const std::string cwd = QDir::currentPath().toStdString();
  struct Case {
    const char* name;
    Names files, expected;
  };
  const std::vector<Case> cases = {
      {"none", {}, {}},
      {"absolute", {"/a/b.txt"}, {"/a/b.txt"}},
      {"relative made absolute", {"b.txt", "sub/c d.txt"}, {cwd + "/b.txt", cwd + "/sub/c d.txt"}},
      {"line break and odd bytes", {"/x/line\nbreak", "/x/\xff\xfe.txt"}, {"/x/line\nbreak", "/x/\xff\xfe.txt"}},
      {"named like options", {"/x/--new-window", "/x/-reverse"}, {"/x/--new-window", "/x/-reverse"}},
      {"empty and zero bytes dropped", {"", std::string("/x/a\0b", 6), "/y"}, {"/y"}},
  };
  for (const Case& c : cases) QCOMPARE(filesOfInstanceMessage(instanceMessage(c.files)), c.expected);
  // A message cut short loses only its unfinished name.
  QByteArray cut = instanceMessage({"/a", "/bcd"});
  cut.chop(2);
  QCOMPARE(filesOfInstanceMessage(cut), Names{"/a"});
  QCOMPARE(filesOfInstanceMessage(QByteArray("\0\0/a\0", 5)), Names{"/a"});
}

void InstanceChannelTest::filesReachTheListeningProgram() {
  std::vector<Names> received;
  InstanceServer server(socketName("s1"), [&](const Names& files) { received.push_back(files); });
  QVERIFY(server.listening());
  finished_ = false;
  bool ok = false;
  std::thread t([&] {
    ok = handToRunningInstance(socketName("s1"), {"/tmp/one.txt", "/tmp/two words.txt"});
    finished_ = true;
  });
  QTRY_VERIFY_WITH_TIMEOUT(finished_.load(), 10000);
  t.join();
  QVERIFY(ok);
  QTRY_COMPARE(received.size(), std::size_t(1));
  QCOMPARE(received[0], (Names{"/tmp/one.txt", "/tmp/two words.txt"}));
  // A start without files still reaches it (the window comes forward).
  finished_ = false;
  std::thread t2([&] {
    ok = handToRunningInstance(socketName("s1"), {});
    finished_ = true;
  });
  QTRY_VERIFY_WITH_TIMEOUT(finished_.load(), 10000);
  t2.join();
  QVERIFY(ok);
  QTRY_COMPARE(received.size(), std::size_t(2));
  QVERIFY(received[1].empty());
}

void InstanceChannelTest::nobodyListening() {
  QElapsedTimer clock;
  clock.start();
  QVERIFY(!handToRunningInstance(socketName("none"), {"/a"}));
  QVERIFY(clock.elapsed() < 3000);
}

void InstanceChannelTest::staleSocketIsReplaced() {
  // A socket file left by a program that died: bound, never unlinked.
  {
    const QByteArray path = QFile::encodeName(socketName("stale"));
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::memcpy(addr.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    QVERIFY(fd >= 0);
    QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr), 0);
    ::close(fd);
    QVERIFY(QFileInfo::exists(socketName("stale")));
  }
  QVERIFY(!handToRunningInstance(socketName("stale"), {"/z"}));
  std::vector<Names> received;
  InstanceServer server(socketName("stale"), [&](const Names& files) { received.push_back(files); });
  QVERIFY(server.listening());
  finished_ = false;
  bool ok = false;
  std::thread t([&] {
    ok = handToRunningInstance(socketName("stale"), {"/z"});
    finished_ = true;
  });
  QTRY_VERIFY_WITH_TIMEOUT(finished_.load(), 10000);
  t.join();
  QVERIFY(ok);
  QTRY_COMPARE(received.size(), std::size_t(1));
}

void InstanceChannelTest::aListenerThatNeverAnswers() {
  QLocalServer silent;
  QVERIFY(silent.listen(socketName("silent")));
  finished_ = false;
  bool ok = true;
  QElapsedTimer clock;
  clock.start();
  std::thread t([&] {
    ok = handToRunningInstance(socketName("silent"), {"/a"}, 1500);
    finished_ = true;
  });
  QTRY_VERIFY_WITH_TIMEOUT(finished_.load(), 10000);
  t.join();
  QVERIFY(!ok);  // the caller then starts as the first program
  QVERIFY(clock.elapsed() < 5000);
}

QTEST_MAIN(InstanceChannelTest)
#include "test_instance_channel.moc"
