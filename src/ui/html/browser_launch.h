#pragma once
// Showing a file in a browser: a configured program started with the file
// as its one argument, or the desktop's default browser for an empty path.

#include <QString>

class QWidget;

namespace kiv {

// The program a configured browser path names: the file itself when the
// path has a "/", otherwise the program of that name on PATH; empty when
// there is no such executable.
QString resolveBrowserProgram(const QString& path);

// Shows the file; reports a path that names no program and a program that
// does not start. False when nothing was started.
bool showInBrowser(QWidget* parent, const QString& browserPath, const QString& file);

}  // namespace kiv
