#pragma once
// The hotlist's file: favourite folders, one a line, each line ended by
// CR LF, no header.

#include <optional>
#include <string>
#include <vector>

namespace kiv {

// The folders of the file; an empty list when it is missing. nullopt when
// it exists but cannot be read.
std::optional<std::vector<std::string>> readHotlist(const std::string& path);
// Writes the list atomically, creating the file's folder when missing;
// false with the reason in errorText when that fails. An entry holding a
// line break would come back as two: such entries are left out.
bool writeHotlist(const std::string& path, const std::vector<std::string>& folders, std::string* errorText = nullptr);

}  // namespace kiv
