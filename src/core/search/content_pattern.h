#pragma once
// The text that find in files looks for, compiled once per search. It
// matches a run of the file's bytes as long as the text, where "?" and "*"
// each stand for exactly one character and letters compare without regard
// to case (Latin and the Cyrillic letters of Windows-1251, Ё included). The
// typed text is looked for twice: in Windows-1251 (a character is a byte)
// and in UTF-8 (a character is one UTF-8 sequence), since files come in
// both. An empty text matches nothing.
//
// The search anchors on the longest run of letters between wildcards, with
// the case folded into its tables (each table entry takes every byte that
// folds to the pattern's). It scans 16 bytes at a time for the forms of the
// anchor's rarest byte (a digit or a sign rather than a common letter, never
// the lead byte shared by every Cyrillic letter in UTF-8), or skips with a
// Boyer–Moore–Horspool table when that byte has too many forms; a candidate
// is then checked character by character, wildcards included.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kiv {

class ContentPattern {
 public:
  enum class Match { None, Win1251, Utf8 };

  explicit ContentPattern(std::string_view typedUtf8);
  bool empty() const { return !win_ && !utf8_; }
  // The most bytes one match can take: a file read in blocks overlaps them
  // by this less one.
  std::size_t maxSpan() const { return maxSpan_; }
  // Windows-1251 is tried first.
  Match find(std::string_view text) const;

 private:
  struct Unit {
    bool wildcard = false;
    std::size_t length = 1;           // bytes of every form
    std::vector<std::string> forms;   // the byte strings this character may be
  };
  struct Variant {
    bool utf8 = false;
    std::vector<Unit> units;
    std::size_t anchorBegin = 0, anchorEnd = 0;  // units of the longest literal run
    std::size_t anchorBytes = 0;
    std::vector<std::array<std::uint8_t, 256>> accept;  // per anchor byte
    std::array<std::size_t, 256> shift{};
    // The anchor byte whose forms are rarest in ordinary text, looked for
    // 16 bytes at a time; the Horspool loop serves when it has many forms.
    std::size_t rarePos = 0;
    std::vector<unsigned char> rareBytes;
    bool find(std::string_view text) const;
    bool findByRareByte(std::string_view text) const;
    bool findHorspool(std::string_view text) const;
    bool verifyAt(std::string_view text, std::size_t anchorPos) const;
    void prepareAnchor();
  };
  static bool formAt(std::string_view text, std::size_t pos, const Unit& u);

  std::optional<Variant> win_;
  std::optional<Variant> utf8_;
  std::size_t maxSpan_ = 0;
};

}  // namespace kiv
