#pragma once
// Colour files kept in folders of the program: colour schemes ("*.pal"),
// gradient presets ("*.grd") and file-browser colours (any name). Each is
// an INI file with one section of decimal COLORREF values; a missing key
// reads as its default. The section, keys and defaults of each kind stand
// in one table (colorFileFormat). Files are written whole through a
// temporary file, so a failed write leaves the old file as it was.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/config/settings.h"

namespace kiv {

enum class ColorFileKind { Scheme, Gradient, Browser };

struct ColorFileKey {
  std::string_view key;
  ColorRef def;
};

struct ColorFileFormat {
  std::string_view section;
  std::string_view extension;  // with its dot; empty: any name
  std::span<const ColorFileKey> keys;
};

const ColorFileFormat& colorFileFormat(ColorFileKind kind);

// The values of the file in the order of the format's keys. A missing or
// unreadable file, a missing key or a value that is not a number gives the
// defaults; a number outside 0..0xFFFFFF is brought into it.
std::vector<ColorRef> readColorFile(const std::string& path, ColorFileKind kind);
// Writes the values (in the order of the format's keys), keeping other
// lines of an existing file. False when the file could not be written or
// an existing file could not be read (it is then left alone).
bool writeColorFile(const std::string& path, ColorFileKind kind, std::span<const ColorRef> values);

// Typed views of the three kinds.
struct ColorScheme {
  ColorRef text = 13099690;
  ColorRef background = 0;
  ColorRef selectionText = 13099690;
  ColorRef selectionBackground = 0;
};
ColorScheme readColorScheme(const std::string& path);
bool writeColorScheme(const std::string& path, const ColorScheme& scheme);
ColorScheme schemeOf(const Settings& s);
void applyScheme(Settings& s, const ColorScheme& scheme);

struct GradientPreset {
  ColorRef from = 0;
  ColorRef to = 13099690;
};
GradientPreset readGradientPreset(const std::string& path);
bool writeGradientPreset(const std::string& path, const GradientPreset& preset);

struct BrowserColors {
  ColorRef folders = 16711680;
  ColorRef files = 0;
  ColorRef background = 16777215;
};
BrowserColors readBrowserColors(const std::string& path);
bool writeBrowserColors(const std::string& path, const BrowserColors& colors);

// The names (without folder) of the plain files in folder whose extension
// is `extension` (compared without regard to ASCII case; empty: every
// file), sorted by bytes. A missing folder lists nothing.
std::vector<std::string> listColorFiles(const std::string& folder, std::string_view extension);

// The name with its extension (from the last "." after the last "/" or "\")
// replaced by `extension`, or added when it has none.
std::string changeExtension(std::string_view name, std::string_view extension);

// True when the name can stand for a file inside its folder: not empty,
// no "/", "\" or "..", no control character, not "." alone.
bool isPlainFileName(std::string_view name);

// Deletes folder + name when the name is a plain file name and the file
// exists. True when a file was deleted.
bool deleteColorFile(const std::string& folder, std::string_view name);

}  // namespace kiv
