#pragma once
// Width and height of JPEG, PNG and GIF pictures read from their headers,
// and the image tag that a dropped picture becomes.

#include <string>
#include <string_view>

namespace kiv {

struct ImageSize {
  int width = 0;
  int height = 0;
};

// Each reader takes the file's bytes; a file that does not match its format
// gives 0 × 0. None of them reads past the data or loops on bad lengths.
ImageSize jpegSize(std::string_view data);
ImageSize pngSize(std::string_view data);
ImageSize gifSize(std::string_view data);

// How a lower-cased extension is measured: 'J' JPEG, 'P' PNG, 'G' GIF, 0 none.
char imageKindOfExtension(std::string_view lowerExtension);

// `<img src="name" width="W" height="H" border="0" alt="">`; without a size
// reader for the extension the width and height stay empty.
std::string imageTag(std::string_view fileNameOnly, char kind, ImageSize size);

// True for the extensions that a drop turns into an image tag.
bool isDroppedImageExtension(std::string_view lowerExtension);

}  // namespace kiv
