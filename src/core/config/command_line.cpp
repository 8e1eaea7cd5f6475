#include "core/config/command_line.h"

#include <string_view>

namespace kiv {

namespace {

// Options of QGuiApplication and QApplication that take the next word as
// their value ("-name=value" forms carry it themselves).
bool takesValue(std::string_view option) {
  if (option.size() >= 2 && option[0] == '-' && option[1] == '-') option.remove_prefix(1);
  static constexpr std::string_view kWithValue[] = {
      "-platform", "-platformpluginpath", "-platformtheme", "-plugin",     "-qwindowgeometry",
      "-geometry", "-qwindowicon",        "-icon",          "-qwindowtitle", "-title",
      "-display",  "-name",               "-session",       "-style",        "-stylesheet",
  };
  for (std::string_view o : kWithValue)
    if (option == o) return true;
  return false;
}

}  // namespace

CommandLine splitCommandLine(const std::vector<std::string>& arguments,
                             const std::function<bool(const std::string&)>& exists) {
  CommandLine out;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    if (optionsEnded) {
      out.files.push_back(a);
    } else if (a == "--") {
      optionsEnded = true;
    } else if (a == "--new-window") {
      out.newWindow = true;
    } else if (a.empty() || a.front() != '-' || exists(a)) {
      out.files.push_back(a);
    } else {
      out.toolkitOptions.push_back(a);
      if (takesValue(a) && i + 1 < arguments.size()) out.toolkitOptions.push_back(arguments[++i]);
    }
  }
  return out;
}

}  // namespace kiv
