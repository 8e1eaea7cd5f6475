#include "core/config/command_line.h"

#include <gtest/gtest.h>

#include <set>

using namespace kiv;

using Words = std::vector<std::string>;

TEST(CommandLine, FileNamesAreKeptFromTheToolkitsOptions) {
  // Names that exist in the test's "file system".
  const std::set<std::string> existing = {"-reverse", "--style", "-", "a.txt", "line\nbreak.txt", "fusion"};
  const auto exists = [&](const std::string& n) { return existing.count(n) > 0; };
  struct Case {
    Words words, files, options;
    bool newWindow = false;
  };
  const std::vector<Case> cases = {
      {{}, {}, {}},
      {{"a.txt", "b.txt"}, {"a.txt", "b.txt"}, {}},
      {{"missing.txt"}, {"missing.txt"}, {}},  // not an option: a file, existing or not
      {{"-reverse"}, {"-reverse"}, {}},        // an existing file named like an option
      {{"--style", "a.txt"}, {"--style", "a.txt"}, {}},
      {{"-"}, {"-"}, {}},
      {{"line\nbreak.txt"}, {"line\nbreak.txt"}, {}},
      {{"-style", "fusion", "a.txt"}, {"a.txt"}, {"-style", "fusion"}},  // the value goes with its option
      {{"--platform", "offscreen", "a.txt"}, {"a.txt"}, {"--platform", "offscreen"}},
      {{"-stylesheet=x.qss", "a.txt"}, {"a.txt"}, {"-stylesheet=x.qss"}},
      {{"-widgetcount", "a.txt"}, {"a.txt"}, {"-widgetcount"}},
      {{"-nosuch"}, {}, {"-nosuch"}},
      {{"-style"}, {}, {"-style"}},  // a value missing at the end
      {{"--", "-style", "--", "-x"}, {"-style", "--", "-x"}, {}},
      {{"-platform", "offscreen", "--", "-reverse2"}, {"-reverse2"}, {"-platform", "offscreen"}},
      {{""}, {""}, {}},
      {{"--new-window", "a.txt"}, {"a.txt"}, {}, true},
      {{"a.txt", "--new-window"}, {"a.txt"}, {}, true},
      {{"--", "--new-window"}, {"--new-window"}, {}},  // after "--" a file name
      {{"-new-window"}, {}, {"-new-window"}},          // one dash: not ours
  };
  for (const auto& c : cases) {
    const CommandLine cl = splitCommandLine(c.words, exists);
    std::string shown;
    for (const auto& w : c.words) shown += "[" + w + "]";
    EXPECT_EQ(cl.files, c.files) << shown;
    EXPECT_EQ(cl.toolkitOptions, c.options) << shown;
    EXPECT_EQ(cl.newWindow, c.newWindow) << shown;
  }
}
