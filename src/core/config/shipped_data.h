#pragma once
// The user's copy of the shipped data in an installed program: the files the
// package ships are copied into the user's folder where the user has no file
// of that name yet, so new shipped files arrive after an upgrade and the
// user's own changes are never overwritten.

#include <string>

namespace kiv {

struct CopyResult {
  int copied = 0;
  std::string error;  // Russian, with the path; "" when everything went well
  bool ok() const { return error.empty(); }
};

// Copies every regular file under `from` (links are not followed) to the same
// relative place under `to`, making folders as needed. A name that is already
// there, of whatever kind, is left alone. A missing `from` copies nothing.
// The copy goes through a temporary file and a rename, so a file the user
// sees is always whole.
CopyResult copyMissingFiles(const std::string& from, const std::string& to);

// The same for one file: `target` is made from `source` when it does not
// exist; from nothing (empty) when `source` is "" or missing.
CopyResult createFileIfMissing(const std::string& target, const std::string& source);

}  // namespace kiv
