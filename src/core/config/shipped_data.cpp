#include "core/config/shipped_data.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace kiv {

namespace fs = std::filesystem;

namespace {

bool nameTaken(const fs::path& p) {
  std::error_code ec;
  return fs::symlink_status(p, ec).type() != fs::file_type::not_found;
}

// Writes `bytes` of `source` (or nothing) to `target` through a temporary
// file beside it.
std::string placeFile(const fs::path& target, const fs::path* source) {
  std::error_code ec;
  fs::create_directories(target.parent_path(), ec);
  if (ec) return "не удалось создать папку " + target.parent_path().string() + ": " + ec.message();
  fs::path temp = target;
  temp += ".kivnew";
  fs::remove(temp, ec);
  if (source) {
    fs::copy_file(*source, temp, fs::copy_options::overwrite_existing, ec);
    if (ec) {
      fs::remove(temp, ec);
      return "не удалось скопировать " + source->string() + " в " + target.string();
    }
  } else {
    std::ofstream out(temp, std::ios::binary);
    if (!out) return "не удалось создать " + target.string();
  }
  fs::permissions(temp, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
  // A name that appeared meanwhile is the user's: it wins.
  if (nameTaken(target)) {
    fs::remove(temp, ec);
    return {};
  }
  fs::rename(temp, target, ec);
  if (ec) {
    fs::remove(temp, ec);
    return "не удалось создать " + target.string() + ": " + ec.message();
  }
  return {};
}

}  // namespace

CopyResult copyMissingFiles(const std::string& from, const std::string& to) {
  CopyResult r;
  std::error_code ec;
  const fs::path root(from);
  if (!fs::is_directory(root, ec)) return r;
  fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, ec);
  if (ec) {
    r.error = "не удалось прочитать папку " + from + ": " + ec.message();
    return r;
  }
  for (const fs::recursive_directory_iterator end; it != end; it.increment(ec)) {
    if (ec) {
      r.error = "не удалось прочитать папку " + from + ": " + ec.message();
      return r;
    }
    const fs::file_status st = it->symlink_status(ec);
    if (ec || st.type() != fs::file_type::regular) continue;
    const fs::path target = fs::path(to) / fs::relative(it->path(), root, ec);
    if (ec || nameTaken(target)) continue;
    const fs::path source = it->path();
    if (std::string e = placeFile(target, &source); !e.empty()) {
      r.error = e;
      return r;
    }
    ++r.copied;
  }
  return r;
}

CopyResult createFileIfMissing(const std::string& target, const std::string& source) {
  CopyResult r;
  if (nameTaken(target)) return r;
  std::error_code ec;
  const fs::path src(source);
  const bool haveSource = !source.empty() && fs::is_regular_file(src, ec);
  r.error = placeFile(target, haveSource ? &src : nullptr);
  if (r.ok()) r.copied = 1;
  return r;
}

}  // namespace kiv
