#include "core/export/styled_export.h"

#include <cstdio>
#include <map>

#include "core/charsets/utf8.h"

namespace kiv {

namespace {

std::string hexColor(std::uint32_t rgb) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%06X", rgb & 0xFFFFFF);
  return buf;
}

const ExportStyle& styleOf(const StyledText& t, std::size_t i) {
  static const ExportStyle plain;
  const std::uint8_t s = i < t.styles.size() ? t.styles[i] : 0;
  return s < t.styleTable.size() ? t.styleTable[s] : plain;
}

bool sameLook(const ExportStyle& a, const ExportStyle& b) {
  return a.fore == b.fore && a.back == b.back && a.bold == b.bold && a.italic == b.italic &&
         a.underline == b.underline;
}

std::string htmlEscapeName(std::string_view s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '&': out += "&amp;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

std::string exportHtml(const StyledText& t, const CodePage& cp, std::string_view title) {
  std::string out;
  out.reserve(t.bytes.size() * 2 + 512);
  out += "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01//EN\">\r\n<html>\r\n<head>\r\n";
  out += "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=";
  out += cp.name();
  out += "\">\r\n<title>";
  out += htmlEscapeName(title);
  out += "</title>\r\n</head>\r\n<body bgcolor=\"" + hexColor(t.paper) + "\">\r\n";
  out += "<pre style=\"font-family: '" + htmlEscapeName(t.fontName) + "', monospace; font-size: " +
         std::to_string(t.fontSize) + "pt\">";

  bool open = false;
  ExportStyle current;
  const std::size_t n = t.bytes.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char c = t.bytes[i];
    const ExportStyle& s = styleOf(t, i);
    if (c != '\r' && c != '\n' && (!open || !sameLook(s, current))) {
      if (open) out += "</span>";
      out += "<span style=\"color: " + hexColor(s.fore);
      if (s.back != t.paper) out += "; background: " + hexColor(s.back);
      if (s.bold) out += "; font-weight: bold";
      if (s.italic) out += "; font-style: italic";
      if (s.underline) out += "; text-decoration: underline";
      out += "\">";
      open = true;
      current = s;
    }
    switch (c) {
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '&': out += "&amp;"; break;
      case '\r':
        if (i + 1 < n && t.bytes[i + 1] == '\n') ++i;
        [[fallthrough]];
      case '\n':
        if (open) out += "</span>";
        open = false;
        out += "\r\n";
        break;
      default: out += c;
    }
  }
  if (open) out += "</span>";
  out += "</pre>\r\n</body>\r\n</html>\r\n";
  return out;
}

std::string exportRtf(const StyledText& t, const CodePage& cp) {
  const CodePage& win = CodePage::get(CodePageId::Win1251);
  // Colour table: every colour used, in order of first use.
  std::map<std::uint32_t, int> colourIndex;
  std::vector<std::uint32_t> colours;
  auto colour = [&](std::uint32_t rgb) {
    auto it = colourIndex.find(rgb);
    if (it != colourIndex.end()) return it->second;
    colours.push_back(rgb);
    const int idx = static_cast<int>(colours.size());  // index 0 is "auto"
    colourIndex[rgb] = idx;
    return idx;
  };
  colour(t.paper);
  std::string body;
  body.reserve(t.bytes.size() * 2);
  bool first = true;
  ExportStyle current;
  const std::size_t n = t.bytes.size();
  for (std::size_t i = 0; i < n; ++i) {
    const char c = t.bytes[i];
    const ExportStyle& s = styleOf(t, i);
    if (first || !sameLook(s, current)) {
      body += "\\cf" + std::to_string(colour(s.fore));
      body += s.back != t.paper ? "\\highlight" + std::to_string(colour(s.back)) : std::string("\\highlight0");
      body += s.bold ? "\\b" : "\\b0";
      body += s.italic ? "\\i" : "\\i0";
      body += s.underline ? "\\ul" : "\\ulnone";
      body += ' ';
      current = s;
      first = false;
    }
    const unsigned char b = static_cast<unsigned char>(c);
    if (c == '\r') {
      if (i + 1 < n && t.bytes[i + 1] == '\n') ++i;
      body += "\\par\r\n";
    } else if (c == '\n') {
      body += "\\par\r\n";
    } else if (c == '\t') {
      body += "\\tab ";
    } else if (c == '\\' || c == '{' || c == '}') {
      body += '\\';
      body += c;
    } else if (b >= 0x20 && b < 0x80) {
      body += c;
    } else {
      const char32_t u = cp.toUnicode(b);
      const int w = win.fromUnicode(u);
      char buf[32];
      if (w >= 0) {
        std::snprintf(buf, sizeof buf, "\\'%02x", w);
      } else {
        std::snprintf(buf, sizeof buf, "\\u%d?", static_cast<int>(static_cast<std::int16_t>(u)));
      }
      body += buf;
    }
  }

  std::string out = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\uc1\r\n{\\fonttbl{\\f0\\fmodern\\fcharset204 ";
  out += t.fontName + ";}}\r\n{\\colortbl;";
  for (std::uint32_t rgb : colours) {
    out += "\\red" + std::to_string((rgb >> 16) & 0xFF) + "\\green" + std::to_string((rgb >> 8) & 0xFF) +
           "\\blue" + std::to_string(rgb & 0xFF) + ";";
  }
  out += "}\r\n\\f0\\fs" + std::to_string(t.fontSize * 2) + " ";
  out += body;
  out += "}\r\n";
  return out;
}

}  // namespace kiv
