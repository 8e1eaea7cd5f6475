#include "core/charsets/code_table.h"

#include <stdexcept>

#include <array>
#include <unordered_map>

#include "core/charsets/charset_id.h"
#include "core/charsets/code_page.h"
#include "core/common/file_bytes.h"
#include "core/common/replace_all.h"
#include "core/common/text_lines.h"

namespace kiv {

std::vector<CodeRule> parseCodeTable(std::string_view tableBytes) {
  const std::vector<std::string> lines = splitLines(untilZero(tableBytes));
  std::vector<CodeRule> rules;
  rules.reserve(lines.size());
  std::unordered_map<std::string_view, std::string_view> firstValue;
  firstValue.reserve(lines.size());
  for (const std::string& line : lines) {
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos || eq == 0) continue;
    const std::string_view name(line.data(), eq);
    const std::string_view value(line.data() + eq + 1, line.size() - eq - 1);
    firstValue.try_emplace(name, value);  // the first line of a name wins
  }
  for (const std::string& line : lines) {
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos || eq == 0) continue;
    const std::string_view name(line.data(), eq);
    rules.push_back(CodeRule{std::string(name), std::string(firstValue.at(name))});
  }
  return rules;
}

std::string applyCodeRules(std::string_view text, const std::vector<CodeRule>& rules) {
  std::string result(text);
  // Bytes that may occur in the result: a rule whose name holds a byte that
  // cannot occur has nothing to replace, and its scan is skipped. Values put
  // in only add bytes, so the set stays a superset of the truth.
  std::array<bool, 256> present{};
  for (unsigned char c : result) present[c] = true;
  for (const CodeRule& rule : rules) {
    bool possible = true;
    for (unsigned char c : rule.name) {
      if (!present[c]) {
        possible = false;
        break;
      }
    }
    if (!possible) continue;
    // A growing rule is counted first, so the text never balloons past the limit.
    if (rule.value.size() > rule.name.size() && !rule.name.empty()) {
      const std::size_t hits = countOccurrences(result, rule.name);
      if (hits > (kCodeTableMaxResult - result.size()) / (rule.value.size() - rule.name.size()))
        throw std::length_error(kMsgCodeTableTooLarge);
    }
    std::size_t count = 0;
    std::string next = replaceAll(result, rule.name, rule.value, &count);
    if (count == 0) continue;
    result.swap(next);
    for (unsigned char c : rule.value) present[c] = true;
  }
  return result;
}

std::string applyCodeTable(std::string_view text, std::string_view tableBytes) {
  return applyCodeRules(text, parseCodeTable(tableBytes));
}

namespace {

// Windows-1251 bytes → the same characters in `to`; false when `to` lacks one.
bool recodeFromWin(std::string_view win, const CodePage& to, std::string& out) {
  const CodePage& from = CodePage::get(CodePageId::Win1251);
  out.clear();
  out.reserve(win.size());
  for (unsigned char c : win) {
    const int b = c < 0x80 ? c : to.fromUnicode(from.toUnicode(c));
    if (b < 0) return false;
    out += static_cast<char>(b);
  }
  return true;
}

}  // namespace

std::vector<CodeRule> recodeRules(const std::vector<CodeRule>& rules, std::string_view charset) {
  const CodePage& to = CodePage::ofCharset(charset);
  std::vector<CodeRule> out;
  out.reserve(rules.size());
  CodeRule r;
  for (const CodeRule& rule : rules) {
    if (recodeFromWin(rule.name, to, r.name) && recodeFromWin(rule.value, to, r.value)) out.push_back(r);
  }
  return out;
}

std::string runCodeTable(std::string_view text, const std::string& tablePath, std::string_view charset) {
  std::vector<CodeRule> rules = parseCodeTable(readFileOrThrow(tablePath));
  if (charset == charset::kDos || charset == charset::kKoi) rules = recodeRules(rules, charset);
  return applyCodeRules(text, rules);
}

void TableCodec::convert(std::string& out) { out = runCodeTable(source_, tablePath, charset); }

}  // namespace kiv
