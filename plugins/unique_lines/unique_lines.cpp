// Removes repeated lines: each line stays where it first appears, later
// copies of it (compared byte for byte) go.
#include <unordered_set>

#include "kiv_plugin.h"
#include "line_text.h"

extern "C" const char* VersionInfo(void) {
  return "Удалить повторы строк|Оставляет каждую строку один раз, там, где она встретилась впервые";
}

extern "C" int32_t HandleData(void*, char** text) {
  if (!text || !*text) return 0;
  kivplugin::Lines split = kivplugin::splitLines(*text);
  std::unordered_set<std::string_view> seen;
  seen.reserve(split.lines.size());
  std::vector<std::string_view> kept;
  kept.reserve(split.lines.size());
  for (auto line : split.lines)
    if (seen.insert(line).second) kept.push_back(line);
  kivplugin::putResult(text, kivplugin::joinLines(kept, split.finalBreak));
  return 0;
}
