#pragma once
// Real files for the saving tests: a scratch folder, exact bytes, file
// status, and a forked child that runs as an unprivileged user.

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace kiv::test {

class ScratchFolder {
 public:
  ScratchFolder() {
    char name[] = "/tmp/kiv-save-XXXXXX";
    path_ = ::mkdtemp(name) ? name : "";
    ::chmod(path_.c_str(), 0755);
  }
  ~ScratchFolder() {
    // Folders a test made read-only are opened up again to be removed.
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(path_, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
      if (std::error_code e; !it->is_symlink(e) && it->is_directory(e)) ::chmod(it->path().c_str(), 0755);
    ::chmod(path_.c_str(), 0755);
    std::filesystem::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline void putBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

inline std::string bytesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

inline struct stat statOf(const std::string& path) {
  struct stat st {};
  ::stat(path.c_str(), &st);
  return st;
}

inline struct stat lstatOf(const std::string& path) {
  struct stat st {};
  ::lstat(path.c_str(), &st);
  return st;
}

inline std::string linkText(const std::string& path) {
  char buf[4096];
  const ssize_t n = ::readlink(path.c_str(), buf, sizeof buf);
  return n < 0 ? std::string() : std::string(buf, static_cast<std::size_t>(n));
}

inline std::vector<std::string> namesIn(const std::string& folder) {
  std::vector<std::string> out;
  for (const auto& e : std::filesystem::directory_iterator(folder)) out.push_back(e.path().filename().string());
  std::sort(out.begin(), out.end());
  return out;
}

// Every byte value, twice, with bare LF and CR among them.
inline std::string allBytes() {
  std::string s;
  for (int round = 0; round < 2; ++round)
    for (int b = 0; b < 256; ++b) s += static_cast<char>(b);
  return s;
}

// An account without privileges: "nobody" when we are the superuser,
// ourselves otherwise.
struct Unprivileged {
  uid_t uid = 0;
  gid_t gid = 0;
  bool available = false;
  std::string note;
};

inline Unprivileged unprivilegedUser() {
  Unprivileged u;
  if (::geteuid() != 0) {
    u.uid = ::geteuid();
    u.gid = ::getegid();
    u.available = true;
    return u;
  }
  const passwd* pw = ::getpwnam("nobody");
  if (!pw || pw->pw_uid == 0) {
    u.note = "no unprivileged account \"nobody\" on this machine";
    return u;
  }
  u.uid = pw->pw_uid;
  u.gid = pw->pw_gid;
  u.available = true;
  return u;
}

// Runs the body in a child process as the unprivileged user and returns
// what it returned (its report); "SKIP: …" when the child could not drop
// its privileges.
inline std::string runAsUnprivileged(const Unprivileged& user, const std::function<std::string()>& body) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) return "SKIP: no pipe";
  const pid_t pid = ::fork();
  if (pid < 0) return "SKIP: cannot fork";
  if (pid == 0) {
    ::close(pipeFds[0]);
    std::string report;
    if (::geteuid() == 0 &&
        (::setgroups(0, nullptr) != 0 || ::setgid(user.gid) != 0 || ::setuid(user.uid) != 0 || ::geteuid() == 0))
      report = "SKIP: cannot drop the superuser's rights";
    else
      report = body();
    (void)!::write(pipeFds[1], report.data(), report.size());
    ::_exit(0);
  }
  ::close(pipeFds[1]);
  std::string report;
  char buf[512];
  for (ssize_t n; (n = ::read(pipeFds[0], buf, sizeof buf)) > 0;) report.append(buf, static_cast<std::size_t>(n));
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (!WIFEXITED(status)) return "child died";
  return report;
}

}  // namespace kiv::test
