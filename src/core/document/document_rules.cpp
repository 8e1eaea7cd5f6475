#include "core/document/document_rules.h"

#include "core/charsets/case1251.h"
#include "core/common/ascii.h"

namespace kiv {

const std::vector<std::string>& highlighterNames() {
  static const std::vector<std::string> names = {kNoHighlighter, "Delphi", "HTML", "C++", "C",
                                                 "Perl", "Java Script", "VB Script", "SQL"};
  return names;
}

std::string highlighterForFile(std::string_view fileName) {
  const std::string ext = lowerCase1251(fileExtension(fileName));
  struct Row {
    const char* ext;
    const char* name;
  };
  static const Row rows[] = {
      {".pas", "Delphi"}, {".pp", "Delphi"}, {".dpr", "Delphi"}, {".htm", "HTML"}, {".html", "HTML"},
      {".cpp", "C++"},    {".h", "C++"},     {".c", "C"},        {".pl", "Perl"},  {".js", "Java Script"},
      {".vbs", "VB Script"}, {".sql", "SQL"},
  };
  for (const auto& r : rows)
    if (ext == r.ext) return r.name;
  return kNoHighlighter;
}

std::string resolveNamedFile(std::string_view text, std::string_view documentFile) {
  std::string name(text);
  if (name.find(":\\") != std::string::npos) return name;
  if (!name.empty() && (name.front() == '/' || name.front() == '\\')) name.erase(0, 1);
  for (auto& c : name)
    if (c == '\\') c = '/';
  return fileFolder(documentFile) + name;
}

bool isViewableImage(std::string_view fileName) {
  const std::string ext = asciiUpperCopy(fileExtension(fileName));
  return ext == ".GIF" || ext == ".JPG" || ext == ".JPEG" || ext == ".PNG";
}

std::optional<RunCommand> parseRunLine(std::string_view line, std::string_view documentFile) {
  std::string_view s = trimAsciiSpace(line);
  if (s.empty()) return std::nullopt;
  RunCommand cmd;
  // The program: a quoted name may hold blanks.
  std::size_t pos = 0;
  if (s.front() == '"') {
    const auto close = s.find('"', 1);
    cmd.program = std::string(s.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1));
    pos = close == std::string_view::npos ? s.size() : close + 1;
  } else {
    const auto blank = s.find(' ');
    cmd.program = std::string(s.substr(0, blank));
    pos = blank == std::string_view::npos ? s.size() : blank + 1;
  }
  if (cmd.program.empty()) return std::nullopt;

  std::string current;
  bool inQuotes = false, have = false;
  auto finish = [&] {
    if (!have) return;
    std::string arg;
    for (char c : current) {
      if (c == '@') arg += documentFile;
      else arg += c;
    }
    cmd.arguments.push_back(std::move(arg));
    current.clear();
    have = false;
  };
  for (; pos < s.size(); ++pos) {
    const char c = s[pos];
    if (c == '"') {
      inQuotes = !inQuotes;
      have = true;
    } else if ((c == ' ' || c == '\t') && !inQuotes) {
      finish();
    } else {
      current += c;
      have = true;
    }
  }
  finish();
  return cmd;
}

std::optional<TagPair> tagPairForAltKey(char key) {
  switch (key) {
    case 'P': return TagPair{"<p>", "</p>"};
    case 'I': return TagPair{"<i>", "</i>"};
    case 'B': return TagPair{"<b>", "</b>"};
    case 'H': return TagPair{"<a href=\"\">", "</a>"};
    case 'N': return TagPair{"<a name=\"", "\"></a>"};
    case '+': return TagPair{"<font size=\"+1\">", "</font>"};
    case '-': return TagPair{"<font size=\"-1\">", "</font>"};
    default: return std::nullopt;
  }
}

}  // namespace kiv
