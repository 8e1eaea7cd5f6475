// kiv-plugin-host: loads one plugin library, makes one call and ends.
//   kiv-plugin-host version LIBRARY   answers the library's caption
//   kiv-plugin-host run LIBRARY       runs HandleData on the text of descriptor 4
// The reply goes to descriptor 3 (see core/plugins/plugin_protocol.h).

#include <dlfcn.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <string>

#include "core/plugins/plugin_protocol.h"

namespace {

using namespace kiv::pluginwire;
using VersionInfoFn = const char* (*)();
using HandleDataFn = std::int32_t (*)(void*, char**);

bool writeAll(int fd, const char* data, std::size_t size, off_t at, bool positioned) {
  while (size > 0) {
    const ssize_t n = positioned ? ::pwrite(fd, data, size, at) : ::write(fd, data, size);
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

[[noreturn]] void answer(const Reply& reply) {
  const std::string bytes = encodeReply(reply);
  const bool sent = writeAll(kControlFd, bytes.data(), bytes.size(), 0, false);
  // The plugin's own clean-up (destructors, atexit) is not run: the reply is
  // all that counts.
  ::_exit(sent ? 0 : 3);
}

[[noreturn]] void fail(Status status, std::string detail) {
  Reply r;
  r.status = status;
  r.detail = std::move(detail);
  answer(r);
}

[[noreturn]] void runHandleData(HandleDataFn handleData) {
  struct stat st {};
  if (::fstat(kTextFd, &st) != 0 || st.st_size < 1) fail(Status::BadRequest, "no text");
  const auto size = static_cast<std::size_t>(st.st_size);
  // Mapped in one go: cheaper than a fault for every page the plugin reads.
  auto* base = static_cast<char*>(::mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_POPULATE, kTextFd, 0));
  if (base == MAP_FAILED) fail(Status::BadRequest, std::strerror(errno));
  char* text = base;
  handleData(nullptr, &text);
  if (!text) fail(Status::BadResult, "нулевой указатель");
  Reply r;
  if (text >= base && text < base + size) {
    // Changed in place (or a pointer into the text): the result is there.
    const auto* zero = static_cast<const char*>(std::memchr(text, 0, static_cast<std::size_t>(base + size - text)));
    if (!zero) fail(Status::BadResult, "записано за концом текста");
    r.offset = static_cast<std::uint64_t>(text - base);
    r.length = static_cast<std::uint64_t>(zero - text);
    ::munmap(base, size);
    answer(r);
  }
  // A string of the plugin's own: it goes into the memory file.
  const std::size_t length = std::strlen(text);
  ::munmap(base, size);
  if (::ftruncate(kTextFd, static_cast<off_t>(length)) != 0 || !writeAll(kTextFd, text, length, 0, true))
    fail(Status::BadRequest, std::strerror(errno));
  r.offset = 0;
  r.length = length;
  answer(r);
}

}  // namespace

int main(int argc, char** argv) {
  // A crashing plugin leaves no core file behind.
  const rlimit noCore{0, 0};
  ::setrlimit(RLIMIT_CORE, &noCore);
  if (argc != 3) fail(Status::BadRequest, "usage: kiv-plugin-host version|run LIBRARY");
  const std::string verb = argv[1];
  if (verb != kVersionVerb && verb != kRunVerb) fail(Status::BadRequest, "unknown verb " + verb);
  void* library = ::dlopen(argv[2], RTLD_NOW | RTLD_LOCAL);
  if (!library) {
    const char* why = ::dlerror();
    fail(Status::LoadFailed, why ? why : argv[2]);
  }
  auto* versionInfo = reinterpret_cast<VersionInfoFn>(::dlsym(library, "VersionInfo"));
  auto* handleData = reinterpret_cast<HandleDataFn>(::dlsym(library, "HandleData"));
  if (!versionInfo) fail(Status::MissingExport, "VersionInfo");
  if (!handleData) fail(Status::MissingExport, "HandleData");
  if (verb == kRunVerb) runHandleData(handleData);
  const char* caption = versionInfo();
  if (!caption) fail(Status::BadResult, "нулевой указатель");
  Reply r;
  r.detail.assign(caption, ::strnlen(caption, kMaxDetail));
  answer(r);
}
