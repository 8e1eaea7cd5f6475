#pragma once
// The main window's commands as one declarative table: where each item
// stands in the menu, its caption, component name, shortcut and handler.
// The component names ("mniSaveAll", "N41"...) are the commands' stable ids.
// The menus and the tool bar are built from it.

#include <span>
#include <string_view>

namespace kiv {

class MainWindow;

using CommandHandler = void (*)(MainWindow&);

struct CommandRow {
  const char* menuPath;     // top-level caption, then submenus, separated by "/"
  const char* caption;
  const char* component;    // the command's id
  const char* shortcut;     // portable key text ("Ctrl+N"), "" for none
  CommandHandler handler;   // nullptr: not available yet (shown disabled)
};

struct TopMenu {
  const char* caption;
  const char* component;
};

struct ToolButton {
  const char* tab;        // "Главные" or "Web"
  const char* component;
  const char* tooltip;
  const char* runs;       // component of the menu command it runs ("" for its own)
  const char* picture;    // picture name
};

std::span<const CommandRow> commandTable();
std::span<const TopMenu> topMenus();
std::span<const ToolButton> toolButtons();
const CommandRow* findCommand(std::string_view component);

// The hint of a command that is not available yet.
inline constexpr const char* kNotYetHint = "Будет в следующей версии";

}  // namespace kiv
