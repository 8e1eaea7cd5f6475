#pragma once
// Test fixtures for the user interface: a throw-away program folder with the
// shipped Engine data, scripted answers for message boxes and prompts, and
// helpers that type into a document the way a user does.

#include <QKeyEvent>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "ui/common/dialogs.h"

class QWidget;

namespace kiv {

class MainWindow;
class DocumentWindow;
class EditingControl;

// Records messages, answers questions and prompts from queues (default: Yes,
// and cancel for prompts).
class ScriptedDialogs : public DialogScript {
 public:
  ScriptedDialogs() { setDialogScript(this); }
  ~ScriptedDialogs() override { setDialogScript(nullptr); }
  void message(const QString& text) override { messages << text; }
  int question(const QString& text, int buttons) override;
  std::optional<QString> input(const QString& caption, const QString& prompt, const QString& initial) override;
  std::optional<QStringList> openFiles(const QString& title, const QString& folder) override;
  std::optional<QString> saveFile(const QString& title, const QString& folder) override;
  void external(const QString& what) override { externals << what; }

  QStringList messages;
  QStringList questions;
  QStringList prompts;
  std::deque<int> answers;                      // QMessageBox::StandardButton values
  std::deque<std::optional<QString>> inputs;    // nullopt: cancel
  std::deque<std::optional<QStringList>> openAnswers;  // nullopt: cancel
  std::deque<std::optional<QString>> saveAnswers;
  QStringList dialogTitles;
  QStringList externals;
};

// A program folder in a temporary directory, holding a copy of data/.
class ProgramFolder {
 public:
  ProgramFolder();
  QString path() const { return dir_.path() + QLatin1Char('/'); }
  QString file(const QString& relative) const { return path() + relative; }
  void writeIni(const QByteArray& bytes) const;
  QByteArray readIni() const;

 private:
  QTemporaryDir dir_;
};

// A main window on a fresh program folder, shown and active.
std::unique_ptr<MainWindow> startProgram(const ProgramFolder& folder, const QStringList& args = {});

// One run of the program for a test: scripted dialogs, a fresh program
// folder, the main window (sounds muted). stop() closes it without questions.
struct ProgramSession {
  std::unique_ptr<ScriptedDialogs> dialogs;
  std::unique_ptr<ProgramFolder> folder;
  std::unique_ptr<MainWindow> main;
  void start();
  void stop();
};

// Typing: each character as a key event with its text (Cyrillic too).
void typeText(QWidget* target, const QString& text);
void pressKey(QWidget* target, int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {});

// Windows-1251 bytes of a UTF-8 literal and back.
std::string w1251(const char* utf8);
std::string bytesOf(const QByteArray& a);
QByteArray qbytes(const std::string& s);

// Writes a file with exact bytes.
void writeBytes(const QString& path, const std::string& bytes);
// Copies the folder's whole tree (hidden files too) into `to`.
void copyTree(const QString& from, const QString& to);
std::string readBytes(const QString& path);

}  // namespace kiv
