#include <gtest/gtest.h>

#include "core/search/file_mask.h"

using kiv::FileMask;

TEST(FileMask, Matches) {
  struct Case {
    const char* mask;
    const char* name;
    bool match;
  };
  const Case cases[] = {
      {"*.txt", "a.txt", true},
      {"*.txt", "A.TXT", true},
      {"*.TXT", "notes.txt", true},
      {"*.txt", "a.txt.bak", false},
      {"*.txt", "txt", false},
      {"*.txt", ".txt", true},
      {"?.txt", "ab.txt", false},
      {"??.txt", "ab.txt", true},
      {"?.txt", "Ж.txt", true},             // one character, two bytes
      {"*.*", "README", true},              // every file
      {"*.*", "a.b", true},
      {"readme.*", "readme", true},
      {"readme.*", "README.md", true},
      {"readme.*", "readme2", false},
      {"Письмо*", "письмо от мамы.txt", true},  // Cyrillic without regard to case
      {"ПИСЬМО.TXT", "письмо.txt", true},
      {"ёлка.*", "ЁЛКА.doc", true},
      {"*", "anything", true},
      {"", "anything", false},
      {"a*b*c", "aXXbYYc", true},
      {"a*b*c", "aXXbYY", false},
      {"*a", "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb", false},
      {"*.txt", "bad\xFF.txt", true},       // a name that is not UTF-8
  };
  for (const auto& c : cases) EXPECT_EQ(FileMask(c.mask).matches(c.name), c.match) << c.mask << " " << c.name;
}
