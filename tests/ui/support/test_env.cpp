#include "support/test_env.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMessageBox>
#include <QTest>

#include "core/charsets/cp1251_literal.h"
#include "ui/app/main_window.h"
#include "ui/common/sound_player.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"

namespace kiv {

int ScriptedDialogs::question(const QString& text, int) {
  questions << text;
  if (answers.empty()) return QMessageBox::Yes;
  const int a = answers.front();
  answers.pop_front();
  return a;
}

std::optional<QString> ScriptedDialogs::input(const QString& caption, const QString& prompt, const QString&) {
  prompts << caption + QStringLiteral("|") + prompt;
  if (inputs.empty()) return std::nullopt;
  const bool given = inputs.front().has_value();
  const QString value = given ? *inputs.front() : QString();
  inputs.pop_front();
  if (!given) return std::nullopt;
  return value;
}

std::optional<QStringList> ScriptedDialogs::openFiles(const QString& title, const QString& folder) {
  dialogTitles << title + QStringLiteral("|") + folder;
  if (openAnswers.empty()) return std::nullopt;
  const bool given = openAnswers.front().has_value();
  const QStringList value = given ? *openAnswers.front() : QStringList();
  openAnswers.pop_front();
  if (!given) return std::nullopt;
  return value;
}

std::optional<QString> ScriptedDialogs::saveFile(const QString& title, const QString& folder) {
  dialogTitles << title + QStringLiteral("|") + folder;
  if (saveAnswers.empty()) return std::nullopt;
  const bool given = saveAnswers.front().has_value();
  const QString value = given ? *saveAnswers.front() : QString();
  saveAnswers.pop_front();
  if (!given) return std::nullopt;
  return value;
}

void copyTree(const QString& from, const QString& to) {
  QDir().mkpath(to);
  QDirIterator it(from, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
  while (it.hasNext()) {
    const QString src = it.next();
    const QString rel = QDir(from).relativeFilePath(src);
    if (it.fileInfo().isDir()) QDir().mkpath(to + QLatin1Char('/') + rel);
    else QFile::copy(src, to + QLatin1Char('/') + rel);
  }
}

ProgramFolder::ProgramFolder() {
  const QString data = qEnvironmentVariable("KIV_TEST_DATA");
  if (!data.isEmpty()) copyTree(data, dir_.path());
}

void ProgramFolder::writeIni(const QByteArray& bytes) const {
  QFile f(file(QStringLiteral("kiv.ini")));
  f.open(QIODevice::WriteOnly);
  f.write(bytes);
}

QByteArray ProgramFolder::readIni() const {
  QFile f(file(QStringLiteral("kiv.ini")));
  f.open(QIODevice::ReadOnly);
  return f.readAll();
}

std::unique_ptr<MainWindow> startProgram(const ProgramFolder& folder, const QStringList& args) {
  auto main = std::make_unique<MainWindow>(folder.path(), args);
  if (!main->startedOk()) return main;
  main->show();
  QApplication::setActiveWindow(main.get());
  (void)QTest::qWaitForWindowExposed(main.get());
  return main;
}

void ProgramSession::start() {
  dialogs = std::make_unique<ScriptedDialogs>();
  folder = std::make_unique<ProgramFolder>();
  main = startProgram(*folder);
  main->sounds().setMuted(true);
}

void ProgramSession::stop() {
  if (main) {
    for (DocumentWindow* t : main->editor().documents()) t->control()->setModifiedFlag(false);
    main->close();
  }
  main.reset();
  folder.reset();
  dialogs.reset();
}

void pressKey(QWidget* target, int key, Qt::KeyboardModifiers mods, const QString& text) {
  QKeyEvent press(QEvent::KeyPress, key, mods, text);
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, key, mods, text);
  QApplication::sendEvent(target, &release);
}

void typeText(QWidget* target, const QString& text) {
  for (const QChar c : text) {
    int key = c.toUpper().unicode();
    if (c == QLatin1Char('\r') || c == QLatin1Char('\n')) key = Qt::Key_Return;
    pressKey(target, key, Qt::NoModifier, c == QLatin1Char('\n') ? QStringLiteral("\r") : QString(c));
  }
}

std::string w1251(const char* utf8) { return cp1251(utf8); }
std::string bytesOf(const QByteArray& a) { return std::string(a.constData(), static_cast<std::size_t>(a.size())); }
QByteArray qbytes(const std::string& s) { return QByteArray(s.data(), static_cast<qsizetype>(s.size())); }

void writeBytes(const QString& path, const std::string& bytes) {
  QFile f(path);
  f.open(QIODevice::WriteOnly);
  f.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

std::string readBytes(const QString& path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return {};
  return bytesOf(f.readAll());
}

}  // namespace kiv
