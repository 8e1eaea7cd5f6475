#pragma once
// Whole-file text formats, found by name in the FileFormats registry. Each
// format object turns a file into the editor's single-byte text and back.
// Failures throw FileError ("Cannot open file %s" / "Cannot create file %s").

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

class FileFormat {
 public:
  explicit FileFormat(std::string fileName = {}) : fileName(std::move(fileName)) {}
  virtual ~FileFormat() = default;
  FileFormat(const FileFormat&) = delete;
  FileFormat& operator=(const FileFormat&) = delete;

  const std::vector<std::string>& formatNames() const { return names_; }

  // The file the next readText or writeText acts on; set before each call.
  std::string fileName;

  // Reads fileName and delivers its text.
  virtual void readText(std::string_view formatName, std::string& text) = 0;
  // Writes the text to fileName, replacing the file.
  virtual void writeText(std::string_view text, std::string_view formatName) = 0;

 protected:
  std::vector<std::string> names_;
};

// "std_txt": plain single-byte text. Reading keeps every byte (zero bytes
// too) and ends every line with CR LF; writing ends every line with CR LF.
class PlainTextFormat : public FileFormat {
 public:
  PlainTextFormat();
  void readText(std::string_view formatName, std::string& text) override;
  void writeText(std::string_view text, std::string_view formatName) override;
};

// "unicode": UTF-16 little-endian without byte-order mark, converted to and
// from Windows-1251 with the program's own table ('?' for characters
// Windows-1251 lacks).
class Utf16Format : public FileFormat {
 public:
  Utf16Format();
  void readText(std::string_view formatName, std::string& text) override;
  void writeText(std::string_view text, std::string_view formatName) override;
};

// "fidomsg": the 190-byte header of a Fido stored message as one line.
// Writing does nothing.
class FidoMessageFormat : public FileFormat {
 public:
  FidoMessageFormat();
  void readText(std::string_view formatName, std::string& text) override;
  void writeText(std::string_view text, std::string_view formatName) override;
};

// The pure conversions behind the formats (no file access).
std::string stdTxtFromBytes(std::string_view bytes);
std::string stdTxtToBytes(std::string_view text);
std::string win1251FromUtf16le(std::string_view bytes);
std::string utf16leFromWin1251(std::string_view text);
std::string fidoHeaderLine(std::string_view header);

class FileFormats {
 public:
  FileFormats();
  // The first format, in registry order, that carries the name (compared
  // without regard to case); nullptr for an unknown name.
  FileFormat* find(std::string_view formatName) const;
  const std::string& description() const { return description_; }

 private:
  std::vector<std::unique_ptr<FileFormat>> formats_;
  std::string description_ = "Модульный движок ввода/вывода V 1.0";
};

}  // namespace kiv
