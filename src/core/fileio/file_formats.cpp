#include "core/fileio/file_formats.h"

#include "core/charsets/code_page.h"
#include "core/common/ascii.h"
#include "core/common/file_bytes.h"
#include "core/common/text_lines.h"

namespace kiv {

std::string stdTxtFromBytes(std::string_view bytes) { return normalizeToCrLf(bytes); }

std::string stdTxtToBytes(std::string_view text) { return normalizeToCrLf(text); }

std::string win1251FromUtf16le(std::string_view bytes) {
  const CodePage& win = CodePage::get(CodePageId::Win1251);
  std::string out;
  out.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const char16_t unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                (static_cast<unsigned char>(bytes[i + 1]) << 8));
    if (unit == 0) break;
    const int b = (unit >= 0xD800 && unit <= 0xDFFF) ? -1 : win.fromUnicode(unit);
    out += b < 0 ? '?' : static_cast<char>(b);
  }
  return out;
}

std::string utf16leFromWin1251(std::string_view text) {
  const CodePage& win = CodePage::get(CodePageId::Win1251);
  std::string out;
  out.reserve(text.size() * 2);
  for (unsigned char b : text) {
    const char32_t u = win.toUnicode(b);
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>((u >> 8) & 0xFF);
  }
  return out;
}

std::string fidoHeaderLine(std::string_view header) {
  std::string h(header.substr(0, 190));
  h.resize(190, '\0');
  auto field = [&](std::size_t off, std::size_t len) {
    std::string_view f(h.data() + off, len);
    return std::string(untilZero(f));
  };
  auto word = [&](std::size_t off) {
    return std::to_string(static_cast<unsigned char>(h[off]) | (static_cast<unsigned char>(h[off + 1]) << 8));
  };
  std::string out;
  out += "FROM: " + field(0, 36) + "2:" + word(172) + "/" + word(168);
  out += "TO: " + field(36, 36) + "2:" + word(174) + "/" + word(166);
  out += "DATE: " + std::string(h.data() + 144, 20);
  out += "SUBJ:" + field(72, 72);
  return out;
}

PlainTextFormat::PlainTextFormat() { names_.push_back("std_txt"); }

void PlainTextFormat::readText(std::string_view, std::string& text) {
  text = stdTxtFromBytes(readFileOrThrow(fileName));
}

void PlainTextFormat::writeText(std::string_view text, std::string_view) {
  writeFileOrThrow(fileName, stdTxtToBytes(text));
}

Utf16Format::Utf16Format() { names_.push_back("unicode"); }

void Utf16Format::readText(std::string_view, std::string& text) {
  text = win1251FromUtf16le(readFileOrThrow(fileName));
}

void Utf16Format::writeText(std::string_view text, std::string_view) {
  writeFileOrThrow(fileName, utf16leFromWin1251(text));
}

FidoMessageFormat::FidoMessageFormat() { names_.push_back("fidomsg"); }

void FidoMessageFormat::readText(std::string_view, std::string& text) {
  auto head = readFilePrefix(fileName, 190);
  if (!head) throw FileError("Cannot open file " + fileName);
  text = fidoHeaderLine(*head);
}

void FidoMessageFormat::writeText(std::string_view, std::string_view) {}

FileFormats::FileFormats() {
  formats_.push_back(std::make_unique<PlainTextFormat>());
  formats_.push_back(std::make_unique<Utf16Format>());
  formats_.push_back(std::make_unique<FidoMessageFormat>());
}

FileFormat* FileFormats::find(std::string_view formatName) const {
  for (const auto& f : formats_)
    for (const auto& n : f->formatNames())
      if (equalsIgnoreAsciiCase(n, formatName)) return f.get();
  return nullptr;
}

}  // namespace kiv
