#pragma once
// HTML and RTF export of coloured text: the bytes of a document, one style
// number per byte, and the style table (colours, bold, italic).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/charsets/code_page.h"

namespace kiv {

struct ExportStyle {
  std::uint32_t fore = 0x000000;  // 0xRRGGBB
  std::uint32_t back = 0xFFFFFF;
  bool bold = false;
  bool italic = false;
  bool underline = false;
};

struct StyledText {
  std::string bytes;                // the document's text, in its code page
  std::vector<std::uint8_t> styles;  // one per byte (missing entries: style 0)
  std::vector<ExportStyle> styleTable;  // indexed by style number
  std::string fontName = "Courier New";
  int fontSize = 10;
  std::uint32_t paper = 0xFFFFFF;
};

// A complete HTML page in the document's own code page, with its charset
// declared. Line ends are CR LF.
std::string exportHtml(const StyledText& text, const CodePage& codePage, std::string_view title);

// An RTF document. Characters Windows-1251 has are written as \'xx with the
// Windows-1251 code page declared; others as \uN.
std::string exportRtf(const StyledText& text, const CodePage& codePage);

}  // namespace kiv
