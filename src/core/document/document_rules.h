#pragma once
// Decisions of the document window that need no window: which highlighter a
// file gets, which file a piece of text names, how the run line starts its
// program, which tags the Alt keys put around a selection.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/paths.h"

namespace kiv {

// The syntax box's name for no highlighter.
inline constexpr const char* kNoHighlighter = "Нет";

// Display names of the syntax box, in its order (kNoHighlighter first).
const std::vector<std::string>& highlighterNames();

// The highlighter's display name for a file name: its extension lower-cased
// with the Windows-1251 mapping; kNoHighlighter for none.
std::string highlighterForFile(std::string_view fileName);


// The file named by a piece of text, resolved against the document's file:
// a name with ":\" is taken as it is; otherwise one leading separator is
// removed, "\" becomes "/", and the result goes after the document's folder.
std::string resolveNamedFile(std::string_view text, std::string_view documentFile);

// True for ".GIF", ".JPG", ".JPEG", ".PNG" (any case).
bool isViewableImage(std::string_view fileName);

// The run line: program and arguments. The text is split at its first blank
// into program and the rest; the rest is split into arguments (blanks
// separate, double quotes group) and every "@" becomes the document's file
// name, which stays one argument whatever it contains.
struct RunCommand {
  std::string program;
  std::vector<std::string> arguments;
};
std::optional<RunCommand> parseRunLine(std::string_view line, std::string_view documentFile);

// Tags of the Alt keys around a selection: key is 'P','I','B','H','N','+','-'.
struct TagPair {
  std::string_view before;
  std::string_view after;
};
std::optional<TagPair> tagPairForAltKey(char key);

}  // namespace kiv
