#pragma once
// The command line, split before the toolkit sees it: the toolkit takes its
// own options (-style, -platform, -reverse…) out of the arguments, so a
// file named like one of them would never reach the program.

#include <functional>
#include <string>
#include <vector>

namespace kiv {

struct CommandLine {
  std::vector<std::string> files;          // file names, in order, untouched
  std::vector<std::string> toolkitOptions;  // for the toolkit, in order (with their values)
  bool newWindow = false;                   // "--new-window": a program of its own, not the running one
};

// `arguments` are the words after the program name. "--new-window" before
// "--" is Kiv's own option (a file of that name is "./--new-window"). A word that names an
// existing file or folder is a file name; so is every word that does not
// start with "-", and every word after "--" (which itself is dropped). The
// other words are toolkit options; an option that takes a value (-style
// NAME, --platform NAME…) takes the next word with it.
CommandLine splitCommandLine(const std::vector<std::string>& arguments,
                             const std::function<bool(const std::string&)>& exists);

}  // namespace kiv
