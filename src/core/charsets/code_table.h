#pragma once
// Table-driven text codec. A code table is a text file of name=value rules,
// one per line (lines split at CR, LF or CR LF; a zero byte ends the text).
// The name is the part before the first "=", the value everything after it;
// nothing is trimmed. Rules run in file order over the whole text, each
// replacing every occurrence of its name (left to right, no overlap, the
// inserted value is not scanned again by that rule), so a later rule sees
// what earlier rules produced. A name that appears on several lines takes
// the value of its first line every time. A line without "=" or starting
// with "=" has an empty name and does nothing.

#include <string>
#include <string_view>
#include <vector>

namespace kiv {

// Abstract text codec: holds the source text, convert() delivers the result.
class CodeTable {
 public:
  explicit CodeTable(std::string source) : source_(std::move(source)) {}
  virtual ~CodeTable() = default;
  CodeTable(const CodeTable&) = delete;
  CodeTable& operator=(const CodeTable&) = delete;

  virtual void convert(std::string& out) = 0;

  const std::string& source() const { return source_; }

 protected:
  std::string source_;
};

// The replacement-table codec. Set tablePath before convert(); a table that
// cannot be read makes convert() throw FileError("Cannot open file <path>").
class TableCodec : public CodeTable {
 public:
  explicit TableCodec(std::string source) : CodeTable(std::move(source)) {}

  void convert(std::string& out) override;

  // Full path of the code table file.
  std::string tablePath;

  // Charset of the text ("win", "dos", "koi"). Tables are written in
  // Windows-1251; for a "dos" or "koi" text their characters are recoded to
  // that charset first (see recodeRules), so the rules match and insert the
  // text's own bytes. "win" (the default) takes the table bytes literally.
  std::string charset = "win";
};

struct CodeRule {
  std::string name;
  std::string value;
};

// The table's lines as rules, in file order, with every value resolved to
// the value of the first line carrying the same name; lines with an empty
// name are left out (they change nothing).
std::vector<CodeRule> parseCodeTable(std::string_view tableBytes);

// A table whose rules would make the text larger than this is refused: the
// conversion throws std::length_error with kMsgCodeTableTooLarge.
inline constexpr std::size_t kCodeTableMaxResult = std::size_t{256} * 1024 * 1024;
inline constexpr const char* kMsgCodeTableTooLarge =
    "Таблица замен раздула бы текст больше чем до 256 МБ: преобразование отменено.";

// Runs the rules of a table (its file bytes) over the text.
std::string applyCodeTable(std::string_view text, std::string_view tableBytes);
std::string applyCodeRules(std::string_view text, const std::vector<CodeRule>& rules);

// The shipped tables and their commands.
inline constexpr std::string_view kTableWordGlux = "word_glux.tbl";      // "Вордово глюкало"
inline constexpr std::string_view kTableFido = "Fido.tbl";               // "Из Фидо > В нормальный текст"
inline constexpr std::string_view kTableKlavaEng2Rus = "Klava_Eng2Rus.tbl";  // "Исправить раскладку"

// The rules rewritten from Windows-1251 into the code page of a document
// charset, character for character; a rule whose name or value holds a
// character that code page lacks is dropped (it could only do harm there).
std::vector<CodeRule> recodeRules(const std::vector<CodeRule>& rules, std::string_view charset);

// Reads the table at tablePath and runs it over the text (what the three
// commands do); throws FileError("Cannot open file <path>").
std::string runCodeTable(std::string_view text, const std::string& tablePath,
                         std::string_view charset = "win");

}  // namespace kiv
