#pragma once
// An INI file with the semantics of the Windows profile functions: sections
// in square brackets, key=value lines, section and key names compared
// without regard to (ASCII) case, the first of duplicate keys wins. Values
// are kept byte for byte: what is written is read back unchanged. Lines
// that are not key=value (comments, blanks) are preserved on rewrite.
//
// Every write checks that what it writes reads back as written: a line
// break in a section, key or value, and a section or key name that the
// reader would take apart (see canWrite), is refused and changes nothing.

#include <string>
#include <string_view>
#include <vector>

namespace kiv {

class IniFile {
 public:
  // The largest file that load() accepts.
  static constexpr std::size_t kMaxFileSize = std::size_t{16} * 1024 * 1024;

  IniFile() = default;
  // Loads the file (see load()); loadError() tells whether that worked.
  explicit IniFile(std::string path);

  const std::string& path() const { return path_; }
  // Reads the file. A missing file reads as empty. A file that exists but
  // cannot be read (no permission, a folder, not a plain file, an I/O
  // error, larger than kMaxFileSize) leaves the content empty, returns false
  // and keeps the reason (Russian, for the user) in loadError(); such a file
  // is never written over: flush() refuses until a later load() succeeds.
  bool load();
  const std::string& loadError() const { return loadError_; }
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

  // True when section, key and value would read back exactly as written:
  // no CR or LF anywhere; the section has no "]" and no spaces around it;
  // the key is not empty, has no "=", no spaces around it and does not
  // start with ";" or "[".
  static bool canWrite(std::string_view section, std::string_view key, std::string_view value);

  // False (and nothing changed) when canWrite refuses.
  bool writeString(std::string_view section, std::string_view key, std::string_view value);
  bool writeInteger(std::string_view section, std::string_view key, int value);
  bool writeBool(std::string_view section, std::string_view key, bool value);

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
  std::string loadError_;  // why the last load() failed; empty when it did not
  std::vector<Line> preamble_;  // lines before the first section
  std::vector<Section> sections_;
  bool autoFlush_ = true;
  bool dirty_ = false;
  bool lastFlushFailed_ = false;
  int batchDepth_ = 0;
};

}  // namespace kiv
