#pragma once
// What the file browser asks before it replaces in files: one find text and
// its replacement, or a list of replacement pairs. The answer comes from
// the replacement window; tests (and any other caller) can give it through
// a ReplacementAsker of their own.

#include <QString>
#include <functional>
#include <optional>

#include "core/filebrowser/whole_file_ops.h"

class QWidget;

namespace kiv {

class MainWindow;

// Asks what to replace; nullopt when the user cancelled.
using ReplacementAsker = std::function<std::optional<ReplaceRequest>(QWidget* parent)>;

// Typed texts as a request over Windows-1251 bytes (the pair list one pair
// a line); nullopt with the reason in *why when a character has no
// Windows-1251 byte.
std::optional<ReplaceRequest> replaceRequestFrom(bool multi, const QString& find, const QString& replacement,
                                                 const QString& pairs, QString* why);

// Shows the program's replacement window modally and turns what it holds
// after "Делать" into a request (Windows-1251 bytes); nullopt for "Отмена"
// and, after a message, for text the code page lacks.
std::optional<ReplaceRequest> askReplaceWindow(MainWindow& main, QWidget* parent);

}  // namespace kiv
