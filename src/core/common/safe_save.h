#pragma once
// Saving a file without harming it or what it is.
//
// The file a path names is found at the end of its chain of symbolic links;
// the links stay links. The ordinary file (one link, ours, in a folder we
// can write) is replaced through a temporary file beside it and a rename,
// with its mode, group and extended attributes: the old file stays whole
// until the new bytes are on disk. A file that a rename would change is
// written in place instead, after the new bytes are complete in memory: one
// with other hard links, owned by someone else, in a folder where the
// temporary file cannot be created, or whose attributes the new file cannot
// take. A write-protected file is refused unless the user consented.

#include <functional>
#include <string>
#include <string_view>

namespace kiv {

// The path of the file the path finally names: symbolic links are followed
// to the end of their chain and the folder is made canonical. A missing
// file at the end is named as the chain leads to it. Empty on failure (a
// loop of links, an unreadable folder), with the errno value in *error.
std::string resolveLinkChain(const std::string& path, int* error = nullptr);

// The user may not write the file: the system refuses it, or its mode lets
// nobody write it (which only the superuser would ignore). False for a
// missing file.
bool isWriteProtected(const std::string& path);

// Kiv's temporary file for the file named fileName (no folder):
// ".NAME.kiv-XXXXXXXX.tmp" with eight lower-case hex digits.
std::string temporaryNameFor(std::string_view fileName, unsigned number);
bool isTemporaryNameFor(std::string_view entry, std::string_view fileName);

// Removes the temporary files of the file's name beside the file (path
// already resolved) that an earlier run left behind: regular files of the
// exact pattern, last written before this process started and not being
// written now. Returns how many were removed.
int removeStaleTemporaries(const std::string& realPath);

// While alive, saves on this thread may write the named file although it is
// write-protected (the user confirmed it).
class ProtectedWriteConsent {
 public:
  explicit ProtectedWriteConsent(const std::string& path);
  ~ProtectedWriteConsent();
  ProtectedWriteConsent(const ProtectedWriteConsent&) = delete;
  ProtectedWriteConsent& operator=(const ProtectedWriteConsent&) = delete;

 private:
  std::string realPath_;
};

// Writes the bytes as the whole content of the file the path names (see
// above). On failure errorText (if given) says why; a refused or failed
// replacement leaves the old file as it was.
bool saveFileSafely(const std::string& path, std::string_view bytes, std::string* errorText = nullptr);

// The bytes of a file given in pieces: each call gives the next one, an
// empty one after the last; a piece stays valid until the next call.
using NextBytes = std::function<std::string_view()>;

// As above, the bytes written as they are made when the file is replaced
// through a temporary file; a file written in place is only touched once
// all of them are made. What `next` throws is thrown here, the old file
// untouched.
bool saveFileSafely(const std::string& path, const NextBytes& next, std::string* errorText = nullptr);

}  // namespace kiv
