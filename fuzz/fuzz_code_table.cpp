// Code tables: arbitrary table bytes and text. Parsing gives the rules a
// plain reading of the lines gives (first value of a name wins, no empty
// names); running them gives what a naive left-to-right replacement gives;
// no rules leave the text alone. Recoding for "dos" and "koi" keeps exactly
// the rules that code page can hold, character for character, and for
// letters and ASCII running the recoded rules on the recoded text equals
// recoding the result. Input: 3 bytes (table length), the table, the text.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/charsets/charset_id.h"
#include "core/charsets/code_page.h"
#include "core/charsets/code_table.h"
#include "core/charsets/cyrillic_conversions.h"
#include "fuzz_check.h"

namespace {

// Results are only computed when the rules cannot grow the text past this.
constexpr std::size_t kMaxResult = 1u << 16;

std::vector<kiv::CodeRule> naiveParse(std::string_view table) {
  table = table.substr(0, table.find('\0'));
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i] == '\r' || table[i] == '\n') {
      lines.push_back(line);
      line.clear();
      if (table[i] == '\r' && i + 1 < table.size() && table[i + 1] == '\n') ++i;
    } else {
      line += table[i];
    }
  }
  if (!line.empty()) lines.push_back(line);
  std::map<std::string, std::string> first;
  std::vector<kiv::CodeRule> rules;
  for (const std::string& l : lines) {
    const std::size_t eq = l.find('=');
    if (eq == std::string::npos || eq == 0) continue;
    const std::string name = l.substr(0, eq);
    first.emplace(name, l.substr(eq + 1));
    rules.push_back({name, first[name]});
  }
  return rules;
}

std::string naiveApply(std::string text, const std::vector<kiv::CodeRule>& rules) {
  for (const kiv::CodeRule& r : rules) {
    std::string out;
    std::size_t from = 0;
    for (std::size_t at; (at = text.find(r.name, from)) != std::string::npos; from = at + r.name.size()) {
      out.append(text, from, at - from);
      out += r.value;
    }
    out.append(text, from);
    text.swap(out);
  }
  return text;
}

// Whether the rules can grow a text of this size past kMaxResult.
bool bounded(std::size_t size, const std::vector<kiv::CodeRule>& rules) {
  for (const kiv::CodeRule& r : rules) {
    if (r.value.size() > r.name.size()) size += size / r.name.size() * (r.value.size() - r.name.size());
    if (size > kMaxResult) return false;
  }
  return true;
}

bool sameRules(const std::vector<kiv::CodeRule>& a, const std::vector<kiv::CodeRule>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].name != b[i].name || a[i].value != b[i].value) return false;
  return true;
}

// Each byte of s from one code page to another; false when `to` lacks one.
bool recode(std::string_view s, const kiv::CodePage& from, const kiv::CodePage& to, std::string& out) {
  out.clear();
  for (unsigned char c : s) {
    const int b = to.fromUnicode(from.toUnicode(c));
    if (b < 0) return false;
    out += static_cast<char>(b);
  }
  return true;
}

// ASCII and Russian letters only: other high bytes become Ё or ё.
std::string lettersAndAscii(std::string_view in) {
  std::string t(in);
  for (char& c : t) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x80 && b < 0xC0) c = (b & 1) ? '\xA8' : '\xB8';
  }
  return t;
}

void checkRecoding(const std::vector<kiv::CodeRule>& rules, std::string_view charset) {
  const kiv::CodePage& win = kiv::CodePage::get(kiv::CodePageId::Win1251);
  const kiv::CodePage& page = kiv::CodePage::ofCharset(charset);
  const std::vector<kiv::CodeRule> recoded = kiv::recodeRules(rules, charset);
  std::size_t next = 0;
  std::string name, value;
  for (const kiv::CodeRule& r : rules) {
    if (!recode(r.name, win, page, name) || !recode(r.value, win, page, value)) continue;
    FUZZ_CHECK(next < recoded.size());
    FUZZ_CHECK(recoded[next].name == name && recoded[next].value == value);
    ++next;
  }
  FUZZ_CHECK(next == recoded.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 3) return 0;
  const std::size_t tableSize = ((std::size_t{data[0]} << 16) | (data[1] << 8) | data[2]) % (size - 2);
  const std::string_view table(reinterpret_cast<const char*>(data) + 3, tableSize);
  const std::string_view text(reinterpret_cast<const char*>(data) + 3 + tableSize, size - 3 - tableSize);

  const std::vector<kiv::CodeRule> rules = kiv::parseCodeTable(table);
  FUZZ_CHECK(sameRules(rules, naiveParse(table)));
  for (const kiv::CodeRule& r : rules) {
    FUZZ_CHECK(!r.name.empty() && r.name.find('=') == std::string::npos);
    FUZZ_CHECK(r.name.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
    FUZZ_CHECK(r.value.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos);
  }
  if (rules.empty()) FUZZ_CHECK(kiv::applyCodeTable(text, table) == text);
  if (bounded(text.size(), rules)) {
    const std::string result = kiv::applyCodeTable(text, table);
    FUZZ_CHECK(result == kiv::applyCodeRules(text, rules));
    FUZZ_CHECK(result == naiveApply(std::string(text), rules));
  }

  FUZZ_CHECK(sameRules(kiv::recodeRules(rules, kiv::charset::kWin), rules));
  checkRecoding(rules, kiv::charset::kDos);
  checkRecoding(rules, kiv::charset::kKoi);

  // Letters and ASCII: recoding commutes with running the table.
  const std::string winText = lettersAndAscii(text);
  const std::vector<kiv::CodeRule> winRules = kiv::parseCodeTable(lettersAndAscii(table));
  if (bounded(winText.size(), winRules)) {
    const std::string winResult = kiv::applyCodeRules(winText, winRules);
    for (std::string_view cs : {kiv::charset::kDos, kiv::charset::kKoi}) {
      const std::vector<kiv::CodeRule> recoded = kiv::recodeRules(winRules, cs);
      FUZZ_CHECK(recoded.size() == winRules.size());
      FUZZ_CHECK(kiv::applyCodeRules(kiv::fromWin1251(winText, cs), recoded) == kiv::fromWin1251(winResult, cs));
    }
  }
  return 0;
}
