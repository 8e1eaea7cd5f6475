// Dates the program writes in the user's regional format: "Дата (формат 1)"
// into a document, the file date of "Статистика" and the stamp in a saved
// version's name. One formatter with Russian month names for the texts;
// digits only in file names.

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTest>

#include "core/charsets/code_page.h"
#include "core/common/regional.h"
#include "support/test_env.h"
#include "ui/app/main_window.h"
#include "ui/common/sound_player.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"
#include "ui/tools/console_window.h"

using namespace kiv;

namespace {

// What Qt gives a program started in the C locale (LANG=C.UTF-8), in
// Russia, and in the United States.
struct Patterns {
  const char* date;
  const char* time;
};
const Patterns kCLocale{"d MMM yyyy", "HH:mm:ss"};
const Patterns kRussia{"dd.MM.yyyy", "H:mm:ss"};
const Patterns kUnitedStates{"M/d/yyyy", "h:mm:ss AP"};

void setPatterns(const QString& date, const QString& time) {
  RegionalFormat f = russianRegionalFormat();
  f.shortDatePattern = date.toStdString();
  f.longTimePattern = time.toStdString();
  setRegionalFormat(std::move(f));
}

// The date of `d` as the user reads it under those patterns.
QString readableDate(const QString& pattern, QDate d) {
  static const char* months[12] = {"янв.", "февр.", "мар.",  "апр.", "мая",   "июн.",
                                   "июл.", "авг.",  "сент.", "окт.", "нояб.", "дек."};
  if (pattern == QLatin1String(kCLocale.date))
    return QStringLiteral("%1 %2 %3").arg(d.day()).arg(QString::fromUtf8(months[d.month() - 1])).arg(d.year());
  if (pattern == QLatin1String(kRussia.date))
    return d.toString(QStringLiteral("dd.MM.yyyy"));
  return QStringLiteral("%1/%2/%3").arg(d.month()).arg(d.day()).arg(d.year());
}

void setModificationTime(const QString& path, const QDateTime& when) {
  QFile f(path);
  QVERIFY(f.open(QIODevice::ReadWrite));
  QVERIFY(f.setFileTime(when, QFileDevice::FileModificationTime));
}

const QString kFileDatePrefix = QStringLiteral("con> >Дата и время создания файла: ");

}  // namespace

class DateTextsTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void dateFormat1IsRussianInTheDocumentsCodePage_data();
  void dateFormat1IsRussianInTheDocumentsCodePage();
  void statisticsFileDateInTheSameFormat_data();
  void statisticsFileDateInTheSameFormat();
  void statisticsAndDateFormat1Agree();
  void versionNamesHoldDigitsOnly_data();
  void versionNamesHoldDigitsOnly();

 private:
  void run(const char* component) { s_.main->action(QString::fromLatin1(component))->trigger(); }
  DocumentWindow* openFile(const QString& name, const std::string& bytes) {
    writeBytes(s_.folder->file(name), bytes);
    return s_.main->openFile(s_.folder->file(name));
  }
  QString consoleFileDate() {
    auto* console = s_.main->tools().get<ConsoleWindow>(QStringLiteral("ConsoleWindow"));
    const QStringList lines = console->text().split(QLatin1Char('\n'));
    for (const QString& l : lines)
      if (l.startsWith(kFileDatePrefix)) return l.mid(kFileDatePrefix.size());
    return QString();
  }
  ProgramSession s_;
  RegionalFormat saved_;
  EditorInterface& ed() { return s_.main->editor(); }
};

void DateTextsTest::init() {
  saved_ = regionalFormat();
  s_.start();
  s_.main->editor().setDialogsSuppressed(true);
}

void DateTextsTest::cleanup() {
  s_.stop();
  setRegionalFormat(saved_);
}

void DateTextsTest::dateFormat1IsRussianInTheDocumentsCodePage_data() {
  QTest::addColumn<QString>("charset");
  QTest::addColumn<QString>("datePattern");
  QTest::newRow("C locale, win") << "win" << kCLocale.date;
  QTest::newRow("C locale, dos") << "dos" << kCLocale.date;
  QTest::newRow("C locale, koi") << "koi" << kCLocale.date;
  QTest::newRow("Russia, win") << "win" << kRussia.date;
  QTest::newRow("United States, dos") << "dos" << kUnitedStates.date;
}

void DateTextsTest::dateFormat1IsRussianInTheDocumentsCodePage() {
  QFETCH(QString, charset);
  QFETCH(QString, datePattern);
  setPatterns(datePattern, QString::fromLatin1(kCLocale.time));
  s_.main->newDocument();
  ed().setCharset(charset.toStdString());
  ed().setText("");
  const QDate before = QDate::currentDate();
  run("Insertdate1");
  const QDate after = QDate::currentDate();
  const CodePage& page = CodePage::ofCharset(charset.toStdString());
  const std::string inserted = ed().text();
  QStringList wanted;
  for (const QDate d : {before, after}) wanted << readableDate(datePattern, d);
  const QString read = QString::fromStdString(page.decodeToUtf8(inserted)).chopped(2);  // the line break
  QVERIFY2(wanted.contains(read), qPrintable(read));
  QCOMPARE(qbytes(inserted), qbytes(page.encodeFromUtf8(read.toStdString()) + "\r\n"));
}

void DateTextsTest::statisticsFileDateInTheSameFormat_data() {
  QTest::addColumn<QString>("datePattern");
  QTest::addColumn<QString>("timePattern");
  QTest::addColumn<QString>("line");
  QTest::newRow("C locale") << kCLocale.date << kCLocale.time << "8 дек. 2026 23:40:05";
  QTest::newRow("Russia") << kRussia.date << kRussia.time << "08.12.2026 23:40:05";
  QTest::newRow("United States") << kUnitedStates.date << kUnitedStates.time << "12/8/2026 11:40:05 PM";
}

void DateTextsTest::statisticsFileDateInTheSameFormat() {
  QFETCH(QString, datePattern);
  QFETCH(QString, timePattern);
  QFETCH(QString, line);
  setPatterns(datePattern, timePattern);
  openFile(QStringLiteral("stats.txt"), w1251("Привет, мир!\r\n"));
  setModificationTime(s_.folder->file(QStringLiteral("stats.txt")), QDateTime(QDate(2026, 12, 8), QTime(23, 40, 5)));
  run("mniStat");
  QCOMPARE(consoleFileDate(), line);
}

void DateTextsTest::statisticsAndDateFormat1Agree() {
  setPatterns(QString::fromLatin1(kCLocale.date), QString::fromLatin1(kCLocale.time));
  openFile(QStringLiteral("today.txt"), "x\r\n");
  const QDate today = QDate::currentDate();
  setModificationTime(s_.folder->file(QStringLiteral("today.txt")), QDateTime(today, QTime(12, 0, 0)));
  run("mniStat");
  const QString fileDate = consoleFileDate();
  QVERIFY(fileDate.endsWith(QStringLiteral(" 12:00:00")));
  ed().setText("");
  run("Insertdate1");
  if (QDate::currentDate() != today) QSKIP("the date changed during the test");
  const QString inserted = QString::fromStdString(CodePage::ofCharset("win").decodeToUtf8(ed().text())).chopped(2);
  QCOMPARE(fileDate, inserted + QStringLiteral(" 12:00:00"));
  QCOMPARE(inserted, readableDate(QString::fromLatin1(kCLocale.date), today));
}

void DateTextsTest::versionNamesHoldDigitsOnly_data() {
  QTest::addColumn<QString>("datePattern");
  QTest::addColumn<QString>("timePattern");
  QTest::addColumn<QString>("dateDigits");  // QDate::toString pattern of the stamp's date
  QTest::newRow("C locale") << kCLocale.date << kCLocale.time << "dd-MM-yyyy";
  QTest::newRow("Russia") << kRussia.date << kRussia.time << "dd-MM-yyyy";
  QTest::newRow("United States") << kUnitedStates.date << kUnitedStates.time << "MM-dd-yyyy";
}

void DateTextsTest::versionNamesHoldDigitsOnly() {
  QFETCH(QString, datePattern);
  QFETCH(QString, timePattern);
  QFETCH(QString, dateDigits);
  setPatterns(datePattern, timePattern);
  VersionOptions& o = s_.main->settings().versions;
  o.saveInSameFolder = true;
  o.copyToFolder = false;
  o.addNamePrefix = false;
  o.convertCharset = false;
  const std::string text = w1251("Текст версии\r\n");
  openFile(QStringLiteral("doc.txt"), text);
  const QDate before = QDate::currentDate();
  run("mniSaveVersion");
  const QDate after = QDate::currentDate();

  const QStringList versions = QDir(s_.folder->path()).entryList(QStringList{QStringLiteral("date*doc.txt")});
  QCOMPARE(versions.size(), 1);
  const QString name = versions.first();
  static const QRegularExpression stamp(
      QStringLiteral("^date-(\\d\\d-\\d\\d-\\d{4})time-\\d\\d-\\d\\d-\\d\\ddoc\\.txt$"));
  const QRegularExpressionMatch m = stamp.match(name);
  QVERIFY2(m.hasMatch(), qPrintable(name));
  QVERIFY(m.captured(1) == before.toString(dateDigits) || m.captured(1) == after.toString(dateDigits));
  QCOMPARE(readBytes(s_.folder->file(name)), text);
}

QTEST_MAIN(DateTextsTest)
#include "test_date_texts.moc"
