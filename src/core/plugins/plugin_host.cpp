#include "core/plugins/plugin_host.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <thread>
#include <vector>

#include "core/plugins/plugin_protocol.h"

extern char** environ;

namespace kiv {

namespace {

using Clock = std::chrono::steady_clock;

// A descriptor closed when it goes out of scope.
class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { reset(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  void reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

 private:
  int fd_;
};

std::string systemError(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

PluginOutcome failure(PluginFailure f, std::string detail = {}) {
  PluginOutcome o;
  o.failure = f;
  o.detail = std::move(detail);
  return o;
}

// A copy of fd numbered 10 or above, so that the child's dup2 to 3 and 4
// never overwrites the other source.
int highCopy(int fd) { return ::fcntl(fd, F_DUPFD_CLOEXEC, 10); }

bool writeAllAt(int fd, const char* data, std::size_t size, off_t at) {
  while (size > 0) {
    const ssize_t n = ::pwrite(fd, data, size, at);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    size -= static_cast<std::size_t>(n);
    at += n;
  }
  return true;
}

void killGroup(pid_t pid) {
  ::kill(-pid, SIGKILL);
  ::kill(pid, SIGKILL);
}

std::string describeStatus(int status) {
  if (WIFSIGNALED(status)) {
    const int sig = WTERMSIG(status);
    const char* name = ::sigabbrev_np(sig);
    return std::string("сигнал ") + (name ? std::string("SIG") + name : std::to_string(sig));
  }
  if (WIFEXITED(status)) return "код выхода " + std::to_string(WEXITSTATUS(status));
  return "неизвестная причина";
}

}  // namespace

bool PluginHost::available() const {
  struct stat st {};
  return ::stat(hostProgram_.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(hostProgram_.c_str(), X_OK) == 0;
}

PluginOutcome PluginHost::versionInfo(const std::string& libraryPath) const {
  return call(pluginwire::kVersionVerb, libraryPath, nullptr, nullptr);
}

PluginOutcome PluginHost::handleData(const std::string& libraryPath, std::string_view text,
                                     const std::atomic<bool>* stop) const {
  if (text.find('\0') != std::string_view::npos) return failure(PluginFailure::ZeroByte);
  return call(pluginwire::kRunVerb, libraryPath, &text, stop);
}

PluginOutcome PluginHost::call(const char* verb, const std::string& libraryPath, const std::string_view* text,
                               const std::atomic<bool>* stop) const {
  if (!available()) return failure(PluginFailure::HostMissing, hostProgram_);
  struct stat st {};
  if (::stat(libraryPath.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
    return failure(PluginFailure::LibraryMissing, libraryPath);
  // dlopen searches the system's folders for a name without a slash.
  const std::string library = libraryPath.find('/') == std::string::npos ? "./" + libraryPath : libraryPath;

  // The text travels in a memory file: the host maps it and the plugin works
  // on it in place, so the text is copied once on the way in.
  Fd textFd;
  if (text) {
    Fd mem(::memfd_create("kiv-plugin-text", MFD_CLOEXEC));
    if (mem.get() < 0) return failure(PluginFailure::SystemError, systemError("memfd_create"));
    const auto size = static_cast<off_t>(text->size() + 1);
    if (::ftruncate(mem.get(), size) != 0 || !writeAllAt(mem.get(), text->data(), text->size(), 0))
      return failure(PluginFailure::SystemError, systemError("memfd"));
    textFd.reset(highCopy(mem.get()));
    if (textFd.get() < 0) return failure(PluginFailure::SystemError, systemError("fcntl"));
  }
  int pair[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0)
    return failure(PluginFailure::SystemError, systemError("socketpair"));
  Fd ours(pair[0]);
  Fd theirs(highCopy(pair[1]));
  ::close(pair[1]);
  if (theirs.get() < 0) return failure(PluginFailure::SystemError, systemError("fcntl"));

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, theirs.get(), pluginwire::kControlFd);
  if (text) posix_spawn_file_actions_adddup2(&actions, textFd.get(), pluginwire::kTextFd);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  sigset_t none, defaults;
  sigemptyset(&none);
  sigemptyset(&defaults);
  for (int sig : {SIGPIPE, SIGINT, SIGTERM, SIGCHLD, SIGSEGV, SIGBUS, SIGABRT}) sigaddset(&defaults, sig);
  posix_spawnattr_setsigmask(&attr, &none);
  posix_spawnattr_setsigdefault(&attr, &defaults);
  // Its own process group: stopping the call stops whatever the plugin started.
  posix_spawnattr_setpgroup(&attr, 0);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP);
  std::vector<char*> argv{const_cast<char*>(hostProgram_.c_str()), const_cast<char*>(verb),
                          const_cast<char*>(library.c_str()), nullptr};
  pid_t pid = -1;
  const int spawned = ::posix_spawn(&pid, hostProgram_.c_str(), &actions, &attr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  theirs.reset();
  if (spawned != 0) {
    errno = spawned;
    return failure(PluginFailure::SystemError, systemError("posix_spawn"));
  }

  const auto deadline = Clock::now() + timeLimit_;
  std::string reply;
  bool eof = false;
  bool readFailed = false;
  int status = 0;
  // Takes what the socket holds; waits up to waitMs for something to come.
  auto readSome = [&](int waitMs) {
    while (!eof) {
      pollfd p{ours.get(), POLLIN, 0};
      if (::poll(&p, 1, waitMs) <= 0) return;
      char buf[65536];
      const ssize_t n = ::read(ours.get(), buf, sizeof buf);
      if (n > 0) {
        reply.append(buf, static_cast<std::size_t>(n));
        // A reply far longer than any real one is nonsense: stop reading it.
        if (reply.size() > pluginwire::kMaxDetail + 64) readFailed = eof = true;
      } else if (n == 0 || (errno != EINTR && errno != EAGAIN)) {
        eof = true;
      }
      waitMs = 0;
    }
  };
  PluginFailure stoppedAs = PluginFailure::None;
  for (;;) {
    if (stop && stop->load()) stoppedAs = PluginFailure::Stopped;
    else if (Clock::now() >= deadline) stoppedAs = PluginFailure::TimedOut;
    if (stoppedAs != PluginFailure::None) {
      killGroup(pid);
      while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
      break;
    }
    if (!eof) readSome(20);
    else std::this_thread::sleep_for(std::chrono::milliseconds(2));
    const pid_t r = ::waitpid(pid, &status, WNOHANG);
    if (r == pid || (r < 0 && errno != EINTR)) {
      // The host wrote its reply before it ended: whatever is left is in
      // the socket now.
      readSome(0);
      break;
    }
  }
  if (stoppedAs != PluginFailure::None) return failure(stoppedAs);

  const auto decoded = readFailed ? std::nullopt : pluginwire::decodeReply(reply);
  const bool exitedWell = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  if (!exitedWell && (!decoded || decoded->status == pluginwire::Status::Ok))
    return failure(PluginFailure::Crashed, describeStatus(status));
  if (!decoded) return failure(PluginFailure::BadResult);
  switch (decoded->status) {
    case pluginwire::Status::Ok:
      break;
    case pluginwire::Status::LoadFailed:
      return failure(PluginFailure::LoadFailed, decoded->detail);
    case pluginwire::Status::MissingExport:
      return failure(PluginFailure::MissingExport, decoded->detail);
    case pluginwire::Status::BadResult:
      return failure(PluginFailure::BadResult, decoded->detail);
    case pluginwire::Status::BadRequest:
      return failure(PluginFailure::SystemError, decoded->detail);
  }
  PluginOutcome out;
  if (!text) {
    out.text = decoded->detail;
    return out;
  }
  struct stat mem {};
  if (::fstat(textFd.get(), &mem) != 0) return failure(PluginFailure::SystemError, systemError("fstat"));
  const auto size = static_cast<std::uint64_t>(mem.st_size);
  if (decoded->offset > size || decoded->length > size - decoded->offset) return failure(PluginFailure::BadResult);
  if (decoded->length > 0) {
    // Copied straight out of a mapping of the memory file: one pass over the bytes.
    void* view = ::mmap(nullptr, static_cast<std::size_t>(size), PROT_READ, MAP_SHARED | MAP_POPULATE, textFd.get(), 0);
    if (view == MAP_FAILED) return failure(PluginFailure::SystemError, systemError("mmap"));
    out.text.assign(static_cast<const char*>(view) + decoded->offset, static_cast<std::size_t>(decoded->length));
    ::munmap(view, static_cast<std::size_t>(size));
  }
  // The result ends at its first zero byte, as a C string does.
  if (const auto zero = out.text.find('\0'); zero != std::string::npos) out.text.resize(zero);
  return out;
}

std::string pluginFailureMessage(const PluginOutcome& o, std::string_view caption, std::chrono::milliseconds limit) {
  const std::string name = "Плагин «" + std::string(caption) + "»";
  const std::string kept = " Текст не изменён.";
  switch (o.failure) {
    case PluginFailure::None:
      return {};
    case PluginFailure::HostMissing:
      return "Не найдена программа запуска плагинов " + o.detail + "." + kept;
    case PluginFailure::LibraryMissing:
      return name + ": нет файла " + o.detail + "." + kept;
    case PluginFailure::LoadFailed:
      return name + " не загружается: " + o.detail + "." + kept;
    case PluginFailure::MissingExport:
      return name + " не экспортирует функцию " + o.detail + "." + kept;
    case PluginFailure::Crashed:
      return name + " завершился аварийно (" + o.detail + ")." + kept;
    case PluginFailure::TimedOut:
      return name + " не ответил за " + std::to_string((limit.count() + 999) / 1000) + " с и остановлен." + kept;
    case PluginFailure::Stopped:
      return name + " остановлен." + kept;
    case PluginFailure::BadResult:
      return name + " не вернул строку" + (o.detail.empty() ? std::string() : " (" + o.detail + ")") + "." + kept;
    case PluginFailure::ZeroByte:
      return "В тексте есть нулевой байт: плагины получают текст до нулевого байта, поэтому " +
             std::string("плагин «") + std::string(caption) + "» не запущен." + kept;
    case PluginFailure::SystemError:
      return name + " не запущен: " + o.detail + "." + kept;
  }
  return {};
}

}  // namespace kiv
