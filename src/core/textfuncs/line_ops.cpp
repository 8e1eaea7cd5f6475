#include "core/textfuncs/line_ops.h"

#include <algorithm>
#include <array>

#include "core/charsets/cp1251_literal.h"
#include "core/common/text_lines.h"
#include "core/textfuncs/case1251_full.h"

namespace kiv {

namespace {

bool isBlank(unsigned char c) { return c <= 32; }

std::string_view trimBlanks(std::string_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && isBlank(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && isBlank(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

}  // namespace

std::vector<std::string> deleteEmptyLines(std::vector<std::string> lines) {
  std::erase_if(lines, [](const std::string& l) { return trimBlanks(l).empty(); });
  return lines;
}

std::vector<std::string> encloseLines(std::vector<std::string> lines, std::string_view before,
                                      std::string_view after) {
  for (auto& l : lines) {
    std::string r;
    r.reserve(before.size() + l.size() + after.size());
    r.append(before).append(l).append(after);
    l = std::move(r);
  }
  return lines;
}

std::vector<std::string> numberLines(std::vector<std::string> lines) {
  for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = std::to_string(i + 1) + ' ' + lines[i];
  return lines;
}

std::string reverseString(std::string_view text) { return std::string(text.rbegin(), text.rend()); }

std::string reverseLineOrder(const std::vector<std::string>& lines) {
  std::size_t total = 0;
  for (const auto& l : lines) total += l.size() + 2;
  std::string out;
  out.reserve(total);
  for (auto it = lines.rbegin(); it != lines.rend(); ++it) out.append(*it).append(kCrLf);
  return out;
}

std::string reverseLineOrderOfText(std::string_view text) { return reverseLineOrder(splitLines(text)); }

std::string surnameWithInitials(std::string_view selectedText) {
  const std::string_view t = trimBlanks(selectedText);
  auto isSep = [](char c) { return c == ' ' || c == '\t'; };
  std::size_t i = 0;
  while (i < t.size() && !isSep(t[i])) ++i;
  if (i == t.size()) return std::string(t);
  std::string out(t.substr(0, i));
  out += ' ';
  while (i < t.size()) {
    while (i < t.size() && isSep(t[i])) ++i;
    if (i == t.size()) break;
    out += t[i];
    out += '.';
    while (i < t.size() && !isSep(t[i])) ++i;
  }
  return out;
}

LinesResult anagrams(std::string_view text) {
  text = text.substr(0, std::min<std::size_t>(text.size(), 255));
  if (text.size() > kMaxAnagramLetters)
    return LinesResult::refused(
        "Слишком длинный текст для анаграмм: из " + std::to_string(text.size()) +
        " знаков получилось бы больше миллиона строк. Выделите не больше " +
        std::to_string(kMaxAnagramLetters) + " знаков.");
  if (text.empty()) return LinesResult::success({});

  // Each round inserts the next byte at every place of every entry; the new
  // entries go to the front of the new list, so it is built in reverse.
  std::vector<std::string> cur{std::string(1, text[0])};
  for (std::size_t k = 1; k < text.size(); ++k) {
    const char c = text[k];
    std::vector<std::string> next;
    next.reserve(cur.size() * (k + 1) + 1);
    for (const auto& s : cur) {
      for (std::size_t j = 0; j <= s.size(); ++j) {
        std::string e;
        e.reserve(s.size() + 1);
        e.append(s, 0, j).append(1, c).append(s, j, std::string::npos);
        next.push_back(std::move(e));
      }
    }
    std::reverse(next.begin(), next.end());
    cur = std::move(next);
  }
  static const std::string found = cp1251("Найдено ");
  static const std::string tail = cp1251(" анаграмм...");
  const std::size_t count = cur.size();
  cur.push_back(found + std::to_string(count) + tail);
  return LinesResult::success(std::move(cur));
}

std::string deleteWord(std::string_view text, std::string_view word) {
  if (word.empty() || word.size() > text.size()) return std::string(text);
  // Boyer-Moore-Horspool over case-folded bytes.
  const auto& up = fullUpperTable1251();
  const std::size_t m = word.size();
  std::string folded(m, '\0');
  for (std::size_t i = 0; i < m; ++i) folded[i] = static_cast<char>(up[static_cast<unsigned char>(word[i])]);
  std::array<std::size_t, 256> shift;
  shift.fill(m);
  for (std::size_t i = 0; i + 1 < m; ++i) shift[static_cast<unsigned char>(folded[i])] = m - 1 - i;
  const unsigned char last = static_cast<unsigned char>(folded[m - 1]);

  std::string out;
  out.reserve(text.size());
  const std::size_t n = text.size();
  std::size_t copied = 0, i = 0;
  while (i + m <= n) {
    const unsigned char tail = up[static_cast<unsigned char>(text[i + m - 1])];
    if (tail == last) {
      std::size_t k = 0;
      while (k + 1 < m && up[static_cast<unsigned char>(text[i + k])] == static_cast<unsigned char>(folded[k])) ++k;
      if (k + 1 >= m) {
        // A hit: keep what lies before it and go on after it.
        out.append(text.substr(copied, i - copied));
        i += m;
        copied = i;
        continue;
      }
    }
    i += shift[tail];
  }
  out.append(text.substr(copied));
  return out;
}

std::string russianAlphabet() {
  std::string s;
  for (int c = 192; c <= 255; ++c) s += static_cast<char>(c);
  return s;
}

std::string englishAlphabet() {
  std::string s;
  for (int c = 65; c <= 122; ++c) s += static_cast<char>(c);
  return s;
}

}  // namespace kiv
