// Reverses the order of the lines of the text; a final line break stays at
// the end.
#include <algorithm>

#include "kiv_plugin.h"
#include "line_text.h"

extern "C" const char* VersionInfo(void) {
  return "Строки в обратном порядке|Переставляет строки текста от последней к первой";
}

extern "C" int32_t HandleData(void*, char** text) {
  if (!text || !*text) return 0;
  kivplugin::Lines split = kivplugin::splitLines(*text);
  std::reverse(split.lines.begin(), split.lines.end());
  kivplugin::putResult(text, kivplugin::joinLines(split.lines, split.finalBreak));
  return 0;
}
