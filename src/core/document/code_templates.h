#pragma once
// Code templates of the document window: named pieces of text that Ctrl+J
// expands from the word before the caret. Bodies are ASCII; "|" marks where
// the caret goes, "\n" separates lines (each later line takes the indent of
// the line where the template is expanded; empty lines get none).

#include <string>
#include <string_view>
#include <vector>

namespace kiv {

struct CodeTemplate {
  std::string name;
  std::string description;
  std::string body;
};

// Set names of the template box, in its order.
const std::vector<std::string>& templateSetNames();
// The templates of a set ("Custom", "Delphi", "C++ Builder"); empty for an unknown set.
const std::vector<CodeTemplate>& templateSet(std::string_view setName);

// The template whose name equals the word (ASCII case-insensitive), or nullptr.
const CodeTemplate* findTemplate(std::string_view setName, std::string_view word);
// Templates whose names begin with the prefix (all of them for an empty prefix).
std::vector<const CodeTemplate*> templatesStartingWith(std::string_view setName, std::string_view prefix);

// Where the word that names a template begins when it ends at `end` (a byte
// offset into the line, clamped to it): the word is the run of ASCII
// letters, digits and underscores before `end`.
std::size_t templateWordStart(std::string_view line, std::size_t end);

// The body ready for insertion: line breaks as CR LF with `indent` after
// each, the caret marker removed. caretOffset receives the marker's byte
// offset in the result (the end when there is none).
std::string expandTemplate(const CodeTemplate& t, std::string_view indent, std::size_t& caretOffset);

}  // namespace kiv
