#pragma once
// Names and contents of the extra copies of a document: the backup copy
// beside the file and the dated versions. Paths are UTF-8 with "/" between
// folders; nothing here touches the disk.

#include <string>
#include <string_view>
#include <vector>

#include "core/config/settings.h"
#include "core/datetime/date_texts.h"

namespace kiv {


// The one backup copy of a file: "Копия " + its name, in its folder
// ("/docs/a.txt" gives "/docs/Копия a.txt"). Empty when the path has no file
// name (empty, or ending in "/").
std::string backupCopyName(std::string_view filePath);

// "date-" + the date + "time-" + the time, both in digits only: the date's
// day, month and year in the order of the short date pattern ("08.12.2026"),
// the time on the 24-hour clock ("23:40:05"). No names, no spaces: the stamp
// is part of a file name.
std::string versionStamp(const LocalDateTime& now, std::string_view shortDatePattern);

// Every character that cannot stand in a file name becomes "-": "/", "\",
// ":", ".", "*", "?", "\"", "<", ">", "|" and the control characters. Other
// bytes (UTF-8 letters among them) stay.
std::string fileNameSafe(std::string_view text);

// The prefix (when addPrefix is on and it is not empty) followed by the
// stamp, made safe for a file name.
std::string versionLabel(std::string_view stamp, bool addPrefix, std::string_view prefix);

// The version's path: the folder of the file, the label, the file's name
// ("/docs/a.txt" with label "versiondate-07-12-2026time-23-40-05" gives
// "/docs/versiondate-07-12-2026time-23-40-05a.txt").
std::string versionName(std::string_view filePath, std::string_view label);

// The second copy in the copy folder: copyFolder + "/" + the version name's
// file part (a trailing "/" of copyFolder is not doubled).
std::string versionCopyPath(std::string_view copyFolder, std::string_view versionPath);

// Whether a document gets a version at all: only one that has a file (an
// untitled document gets none, whether saved on request or when it closes).
bool versionApplies(bool hasFile, std::string_view filePath);

// The bytes a version holds: with conversion on, the text is taken from the
// document's own charset to the target charset ("win", "dos", "koi"); an
// unknown target leaves the text as it is. The document is not changed.
std::string versionContent(std::string_view text, std::string_view documentCharset,
                           bool doConvert, std::string_view targetCharset);

// Everything the interface needs to save one version: the bytes, and the
// paths to write them to (none, one or two). Writes are independent: a
// failed write is reported and never stops a document from closing.
struct VersionPlan {
  std::string content;
  std::vector<std::string> targets;
};

// `copyFolderExists` tells whether options.copyFolder names an existing
// folder (checked by the caller). The plan is empty when versionApplies()
// says no.
VersionPlan planVersion(std::string_view filePath, bool hasFile, std::string_view text,
                        std::string_view documentCharset, const VersionOptions& options,
                        const LocalDateTime& now, std::string_view shortDatePattern,
                        bool copyFolderExists);

}  // namespace kiv
