#pragma once
// Folder walking of the file browser over the system's "/" paths. A folder
// is held without a trailing "/", except the root, which is "/".

#include <string>
#include <string_view>

namespace kiv {

// The parent of a folder: "/home/u" -> "/home", "/home" -> "/", "/" -> "/".
std::string parentFolder(std::string_view folder);
// The full path of an entry of a folder.
std::string entryPath(std::string_view folder, std::string_view name);
// The folder as the browser holds it: trailing "/" dropped (the root stays "/").
std::string normalizeFolder(std::string_view folder);

// Why a new name typed for a rename cannot be used ("" when it can): empty,
// "." or "..", or holding "/" or a zero byte.
std::string renameRefusal(std::string_view newName);

}  // namespace kiv
