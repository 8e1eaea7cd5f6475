#pragma once
// How the running executable finds its files: a portable folder when its own
// folder is writable and holds kiv.ini or the shipped data, otherwise the
// installed layout (<prefix>/bin/kiv, <prefix>/share/kiv,
// <prefix>/libexec/kiv) with the user's files in the XDG folders.

#include <QString>

#include "core/config/program_paths.h"

namespace kiv {

// The XDG folders and HOME of this process.
UserFolders currentUserFolders();

// The paths for an executable in `executableFolder`.
ProgramPaths locateProgram(const QString& executableFolder);

}  // namespace kiv
