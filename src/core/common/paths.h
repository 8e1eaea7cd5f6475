#pragma once
// File name pieces of the system's paths ("/" separated; "\" is an ordinary
// character of a name).

#include <string>
#include <string_view>

namespace kiv {

// The folder part with its trailing separator ("" when none).
std::string fileFolder(std::string_view fileName);
// The folder holding the file, without a trailing separator: "." for a
// bare name, "/" for a file at the root.
std::string containingFolder(std::string_view fileName);
// The name without its folder.
std::string fileNameOnly(std::string_view fileName);
// The extension with its dot ("" when none): the text after the last "."
// of the last path component.
std::string fileExtension(std::string_view fileName);

}  // namespace kiv
