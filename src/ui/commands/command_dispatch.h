#pragma once
// Connects a menu action to its command: runs the handler, shows a failed
// file operation's message; a row without a handler is shown disabled with
// the hint that it comes in a later version.

class QAction;

namespace kiv {

class MainWindow;
struct CommandRow;

void bindCommand(MainWindow& main, QAction* action, const CommandRow& row);
// Runs a command as a menu click would (handler errors reported).
void runCommand(MainWindow& main, const CommandRow& row);

}  // namespace kiv
