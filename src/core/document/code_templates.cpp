#include "core/document/code_templates.h"

#include "core/common/ascii.h"

namespace kiv {

namespace {

const std::vector<CodeTemplate> kCustom = {
    {"HTML Base", "HTML 4.0 Transitional skeleton",
     "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\n"
     "<html>\n<head>\n<title>Untitled</title>\n</head>\n<body>\n|\n</body>\n</html>"},
    {"Center", "centred block", "<div align=\"center\">|</div>"},
    {"Font", "font size and colour", "<font size=\"+1\" color=\"black\">|</font>"},
};

const std::vector<CodeTemplate> kDelphi = {
    {"arrayd", "array declaration (var)", "array[0..|] of ;"},
    {"arrayc", "array declaration (const)", "array[0..|] of  = ();"},
    {"begin", "begin end block", "begin\n  |\nend;"},
    {"cases", "case statement", "case | of\n  : ;\n  : ;\nend;"},
    {"casee", "case statement (with else)", "case | of\n  : ;\n  : ;\nelse\n  ;\nend;"},
    {"classf", "class declaration (all parts)",
     "T| = class(T)\nprivate\n\nprotected\n\npublic\n\npublished\n\nend;"},
    {"classd", "class declaration (no parts)", "T| = class(T)\n\nend;"},
    {"fors", "for (no begin/end)", "for | :=  to  do"},
    {"forb", "for statement", "for | :=  to  do\nbegin\n\nend;"},
    {"fordb", "for downto statement", "for | :=  downto  do\nbegin\n\nend;"},
    {"function", "function declaration", "function |(): ;\nbegin\n\nend;"},
    {"procedure", "procedure declaration", "procedure |();\nbegin\n\nend;"},
    {"ifs", "if statement", "if | then"},
    {"ifb", "if statement", "if | then\nbegin\n\nend;"},
    {"ife", "if then (no begin/end) else (no begin/end)", "if | then\n\nelse"},
    {"ifeb", "if then else", "if | then\nbegin\n\nend\nelse\nbegin\n\nend;"},
    {"trye", "try except", "try\n  |\nexcept\n\nend;"},
    {"tryf", "try finally", "try\n  |\nfinally\n\nend;"},
    {"trycf", "try finally (with Create/Free)", "| := .Create();\ntry\n\nfinally\n  .Free;\nend;"},
    {"whileb", "while statement", "while | do\nbegin\n\nend;"},
    {"whiles", "while (no begin)", "while | do"},
    {"withb", "with statement", "with | do\nbegin\n\nend;"},
    {"withs", "with (no begin)", "with | do"},
    {"repeat", "repeat until", "repeat\n  |\nuntil ;"},
    {"record", "record declaration", "T| = record\n\nend;"},
    {"raise", "raise an exception", "raise Exception.Create('|');"},
    {"unit", "unit skeleton",
     "unit |;\n\ninterface\n\nuses\n  SysUtils;\n\nimplementation\n\nend."},
};

const std::vector<CodeTemplate> kCppBuilder = {
    {"for", "for loop", "for (int i = 0; i < |; ++i)\n{\n\n}"},
    {"fori", "for loop over an index", "for (int | = 0;  < ; ++)\n{\n\n}"},
    {"if", "if statement", "if (|)\n{\n\n}"},
    {"ife", "if else", "if (|)\n{\n\n}\nelse\n{\n\n}"},
    {"while", "while loop", "while (|)\n{\n\n}"},
    {"do", "do while loop", "do\n{\n  |\n} while ();"},
    {"switch", "switch statement", "switch (|)\n{\n  case :\n    break;\n  default:\n    break;\n}"},
    {"try", "try catch", "try\n{\n  |\n}\ncatch (Exception &e)\n{\n\n}"},
    {"tryf", "try __finally", "try\n{\n  |\n}\n__finally\n{\n\n}"},
    {"class", "class declaration",
     "class T| : public T\n{\nprivate:\n\nprotected:\n\npublic:\n  __fastcall T();\n};"},
    {"struct", "struct declaration", "struct |\n{\n\n};"},
    {"main", "main function", "int main(int argc, char* argv[])\n{\n  |\n  return 0;\n}"},
    {"func", "function definition", "void __fastcall |()\n{\n\n}"},
    {"inc", "#include", "#include <|>"},
    {"guard", "include guard", "#ifndef |\n#define \n\n#endif"},
    {"new", "create an object", "T* | = new T();\ntry\n{\n\n}\n__finally\n{\n  delete ;\n}"},
};

const std::vector<CodeTemplate> kNone;

}  // namespace

const std::vector<std::string>& templateSetNames() {
  static const std::vector<std::string> names = {"Custom", "Delphi", "C++ Builder"};
  return names;
}

const std::vector<CodeTemplate>& templateSet(std::string_view setName) {
  if (setName == "Custom") return kCustom;
  if (setName == "Delphi") return kDelphi;
  if (setName == "C++ Builder") return kCppBuilder;
  return kNone;
}

const CodeTemplate* findTemplate(std::string_view setName, std::string_view word) {
  if (word.empty()) return nullptr;
  for (const auto& t : templateSet(setName))
    if (equalsIgnoreAsciiCase(t.name, word)) return &t;
  return nullptr;
}

std::vector<const CodeTemplate*> templatesStartingWith(std::string_view setName, std::string_view prefix) {
  std::vector<const CodeTemplate*> out;
  for (const auto& t : templateSet(setName))
    if (t.name.size() >= prefix.size() && equalsIgnoreAsciiCase(std::string_view(t.name).substr(0, prefix.size()), prefix))
      out.push_back(&t);
  return out;
}

std::size_t templateWordStart(std::string_view line, std::size_t end) {
  std::size_t start = end < line.size() ? end : line.size();
  while (start > 0) {
    const char c = line[start - 1];
    const bool wordChar = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
    if (!wordChar) break;
    --start;
  }
  return start;
}

std::string expandTemplate(const CodeTemplate& t, std::string_view indent, std::size_t& caretOffset) {
  std::string out;
  caretOffset = std::string::npos;
  const std::string& b = t.body;
  for (std::size_t i = 0; i < b.size(); ++i) {
    const char c = b[i];
    if (c == '\n') {
      out += "\r\n";
      // Empty lines get no indent.
      if (i + 1 < b.size() && b[i + 1] != '\n') out += indent;
    } else if (c == '|' && caretOffset == std::string::npos) {
      caretOffset = out.size();
    } else {
      out += c;
    }
  }
  if (caretOffset == std::string::npos) caretOffset = out.size();
  return out;
}

}  // namespace kiv
