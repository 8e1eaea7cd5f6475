#pragma once
// An INI file with the semantics of the Windows profile functions: sections
// in square brackets, key=value lines, section and key names compared
// without regard to (ASCII) case, the first of duplicate keys wins. Values
// are kept byte for byte: what is written is read back unchanged. Lines
// that are not key=value (comments, blanks) are preserved on rewrite.

#include <string>
#include <string_view>
#include <vector>

namespace kiv {

class IniFile {
 public:
  IniFile() = default;
  // Loads the file (a missing file reads as empty).
  explicit IniFile(std::string path);

  const std::string& path() const { return path_; }
  bool load();
  // Writes the whole file (temporary file + rename). False on failure.
  bool flush();
  // Every write flushes at once unless a Batch is open (or autoFlush is off).
  void setAutoFlush(bool on) { autoFlush_ = on; }
  bool lastFlushFailed() const { return lastFlushFailed_; }

  class Batch {
   public:
    explicit Batch(IniFile& f) : f_(f) { ++f_.batchDepth_; }
    ~Batch() {
      if (--f_.batchDepth_ == 0 && f_.dirty_ && f_.autoFlush_) f_.flush();
    }
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    IniFile& f_;
  };

  bool hasSection(std::string_view section) const;
  bool hasKey(std::string_view section, std::string_view key) const;

  std::string readString(std::string_view section, std::string_view key, std::string_view def) const;
  // A value that is not a 32-bit integer reads as def.
  int readInteger(std::string_view section, std::string_view key, int def) const;
  // True for any non-zero number; def when missing or not a number.
  bool readBool(std::string_view section, std::string_view key, bool def) const;

  void writeString(std::string_view section, std::string_view key, std::string_view value);
  void writeInteger(std::string_view section, std::string_view key, int value);
  void writeBool(std::string_view section, std::string_view key, bool value);

  void eraseSection(std::string_view section);
  void deleteKey(std::string_view section, std::string_view key);

  std::vector<std::string> sectionNames() const;
  // Key names of a section in file order (first of duplicates only).
  std::vector<std::string> keysOf(std::string_view section) const;

  // The file's text as it would be written.
  std::string serialize() const;
  // Replaces the content with the parsed text (no file access).
  void parse(std::string_view text);

 private:
  struct Line {
    std::string key;    // empty for a raw line
    std::string value;  // or the raw text
    bool raw = false;
  };
  struct Section {
    std::string name;
    std::vector<Line> lines;
  };

  Section* findSection(std::string_view name);
  const Section* findSection(std::string_view name) const;
  const Line* findKey(std::string_view section, std::string_view key) const;
  void changed();

  std::string path_;
  std::vector<Line> preamble_;  // lines before the first section
  std::vector<Section> sections_;
  bool autoFlush_ = true;
  bool dirty_ = false;
  bool lastFlushFailed_ = false;
  int batchDepth_ = 0;
};

}  // namespace kiv
