// The replacement window (single, multi, pair files), find in files on a
// generated tree and the text analyzer, each from its menu command; pause,
// resume and stop of both workers, and closing the program with either one
// running.

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include "core/charsets/cyrillic_conversions.h"
#include "support/test_env.h"
#include "ui/app/main_window.h"
#include "ui/commands/command_dispatch.h"
#include "ui/commands/command_table.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"
#include "ui/tools/analyzer_window.h"
#include "ui/tools/find_in_files_window.h"
#include "ui/tools/replace_window.h"
#include "ui/tools/tool_window.h"

using namespace kiv;

class SearchWindowsTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void singleReplace_data();
  void singleReplace();
  void cancelChangesNothing();
  void multiReplace_data();
  void multiReplace();
  void pairFileLoadsOnEnterAndButtonOnly();
  void unreadablePairFileLeavesTheList();
  void savedPairFileReadsBack();
  void findInFilesTree();
  void findInFilesDoubleClickOpens();
  void findInFilesPauseResumeStop();
  void findInFilesReplacesARunningSearch();
  void analyzerReport();
  void analyzerDosDocument();
  void analyzerWithoutDocumentOrText();
  void analyzerStopPauseSlider();
  void analyzerClearAndCopy();
  void exitWithWorkersRunning();

 private:
  void run(const char* component) { runCommand(*s_.main, *findCommand(component)); }
  EditorInterface& ed() { return s_.main->editor(); }
  ReplaceWindow* replaceWindow() { return s_.main->tools().get<ReplaceWindow>(QStringLiteral("ReplaceWindow")); }
  FindInFilesWindow* findWindow() { return s_.main->tools().get<FindInFilesWindow>(QStringLiteral("FindInFilesWindow")); }
  AnalyzerWindow* analyzer() { return s_.main->tools().get<AnalyzerWindow>(QStringLiteral("AnalyzerWindow")); }
  // Runs "Заменить все/мультизамена" with the window filled by `fill`.
  void replaceWith(const std::function<void(ReplaceWindow&)>& fill) {
    ReplaceWindow::setScriptedUse(fill);
    run("mniReplaceAllMulti");
    ReplaceWindow::setScriptedUse({});
  }
  // Waits until the worker's thread has ended and its posts arrived.
  static bool settle(BackgroundWorker& w, int ms = 20000) {
    const bool ended = w.wait(ms);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    return ended;
  }
  void makeTree();
  // The whole text of the document always ends in a line break.
  ProgramSession s_;
  QTemporaryDir tree_;
};

void SearchWindowsTest::init() {
  s_.start();
  s_.main->newDocument();
}

void SearchWindowsTest::cleanup() { s_.stop(); }

void SearchWindowsTest::singleReplace_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QList<int>>("selection");
  QTest::addColumn<QString>("find");
  QTest::addColumn<QString>("with");
  QTest::addColumn<QByteArray>("result");
  QTest::newRow("all") << QByteArray("abc abc") << QList<int>{} << "b" << "XY" << QByteArray("aXYc aXYc");
  QTest::newRow("case counts") << QByteArray("abc ABC") << QList<int>{} << "abc" << "-" << QByteArray("- ABC");
  QTest::newRow("empty find") << QByteArray("abc") << QList<int>{} << "" << "x" << QByteArray("abc");
  QTest::newRow("selection only") << QByteArray("aa aa aa") << QList<int>{0, 3, 0, 5} << "a" << "b"
                                  << QByteArray("aa bb aa");
  QTest::newRow("cyrillic") << qbytes(w1251("Мама мыла раму")) << QList<int>{} << "ма" << "МА"
                            << qbytes(w1251("МаМА мыла раму"));
}

void SearchWindowsTest::singleReplace() {
  QFETCH(QByteArray, text);
  QFETCH(QList<int>, selection);
  QFETCH(QString, find);
  QFETCH(QString, with);
  QFETCH(QByteArray, result);
  ed().setText(bytesOf(text));
  EditingControl* control = s_.main->activeDocument()->control();
  if (!selection.isEmpty()) control->setSelection(selection[0], selection[1], selection[2], selection[3]);
  replaceWith([&](ReplaceWindow& w) {
    w.multiBox()->setChecked(false);
    w.findBox()->setCurrentText(find);
    w.replaceBox()->setCurrentText(with);
    QTest::mouseClick(w.doButton(), Qt::LeftButton);
  });
  QCOMPARE(qbytes(ed().text()), result + "\r\n");
  QVERIFY(!replaceWindow()->isVisible());
  // The histories keep every use, repeats included.
  replaceWith([&](ReplaceWindow& w) { QTest::mouseClick(w.doButton(), Qt::LeftButton); });
  QCOMPARE(replaceWindow()->findBox()->count(), 2);
  QCOMPARE(replaceWindow()->findBox()->itemText(0), find);
  QCOMPARE(replaceWindow()->findBox()->itemText(1), find);
  QCOMPARE(replaceWindow()->replaceBox()->itemText(1), with);
}

void SearchWindowsTest::cancelChangesNothing() {
  ed().setText("abc");
  replaceWith([](ReplaceWindow& w) {
    w.findBox()->setCurrentText("a");
    w.replaceBox()->setCurrentText("z");
    QTest::mouseClick(w.cancelButton(), Qt::LeftButton);
  });
  QCOMPARE(ed().text(), std::string("abc\r\n"));
  replaceWith([](ReplaceWindow& w) { w.close(); });
  QCOMPARE(ed().text(), std::string("abc\r\n"));
  QCOMPARE(replaceWindow()->findBox()->count(), 0);
  // A character the document's code page lacks is refused with a word.
  replaceWith([](ReplaceWindow& w) {
    w.findBox()->setCurrentText("a");
    w.replaceBox()->setCurrentText(QStringLiteral("日"));
    QTest::mouseClick(w.doButton(), Qt::LeftButton);
  });
  QCOMPARE(ed().text(), std::string("abc\r\n"));
  QCOMPARE(s_.dialogs->messages.size(), 1);
  QVERIFY(s_.dialogs->messages[0].contains(QStringLiteral("日")));
}

void SearchWindowsTest::multiReplace_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QString>("pairs");
  QTest::addColumn<QByteArray>("result");
  QTest::newRow("in order") << QByteArray("abc") << "a=b\nb=c" << QByteArray("ccc");
  QTest::newRow("delete, no =, leading =") << QByteArray("a-b=c") << "-=\nnothing\n=zz" << QByteArray("ab=c");
  QTest::newRow("second = kept") << QByteArray("k") << "k=v=w" << QByteArray("v=w");
  QTest::newRow("not rescanned") << QByteArray("a a") << "a=aa" << QByteArray("aa aa");
  QTest::newRow("case counts") << QByteArray("abc ABC") << "abc=x" << QByteArray("x ABC");
  QTest::newRow("cyrillic") << qbytes(w1251("Ёжик в тумане")) << QStringLiteral("Ёжик=ёж\nтумане=лесу")
                            << qbytes(w1251("ёж в лесу"));
}

void SearchWindowsTest::multiReplace() {
  QFETCH(QByteArray, text);
  QFETCH(QString, pairs);
  QFETCH(QByteArray, result);
  ed().setText(bytesOf(text));
  replaceWith([&](ReplaceWindow& w) {
    w.multiBox()->setChecked(true);
    w.pairList()->setPlainText(pairs);
    w.findBox()->setCurrentText("ignored in multi mode");
    QTest::mouseClick(w.doButton(), Qt::LeftButton);
  });
  QCOMPARE(qbytes(ed().text()), result + "\r\n");
}

void SearchWindowsTest::pairFileLoadsOnEnterAndButtonOnly() {
  const QString file = s_.folder->file("pairs.txt");
  writeBytes(file, w1251("а=б\r\nв=г\r\n"));
  ReplaceWindow* w = replaceWindow();
  w->pairList()->setPlainText("old=list");
  w->show();
  w->pairFileEdit()->setFocus();
  QTest::keyClicks(w->pairFileEdit(), file);  // typing alone loads nothing
  QCOMPARE(w->pairListText(), QStringLiteral("old=list"));
  QVERIFY(s_.dialogs->messages.isEmpty());
  QTest::keyClick(w->pairFileEdit(), Qt::Key_Return);
  QCOMPARE(w->pairListText(), QStringLiteral("а=б\nв=г"));
  // The button's choice loads too; a UTF-8 file reads as UTF-8.
  const QString utf8 = s_.folder->file("pairs8.txt");
  writeBytes(utf8, "ж=з\nи=й");
  s_.dialogs->openAnswers.push_back(QStringList{utf8});
  QTest::mouseClick(w->findChild<QWidget*>(QStringLiteral("DCFileNameEdit1Button")), Qt::LeftButton);
  QCOMPARE(w->pairListText(), QStringLiteral("ж=з\nи=й"));
  QCOMPARE(w->pairFileEdit()->text(), utf8);
  w->hide();
  // Loaded pairs apply to a Windows-1251 document.
  ed().setText(w1251("жила"));
  replaceWith([](ReplaceWindow& rw) {
    rw.multiBox()->setChecked(true);
    QTest::mouseClick(rw.doButton(), Qt::LeftButton);
  });
  QCOMPARE(ed().text(), w1251("зйла\r\n"));
}

void SearchWindowsTest::unreadablePairFileLeavesTheList() {
  ReplaceWindow* w = replaceWindow();
  w->pairList()->setPlainText("keep=me");
  w->pairFileEdit()->setText(s_.folder->file("no such file"));
  QTest::keyClick(w->pairFileEdit(), Qt::Key_Return);
  QCOMPARE(w->pairListText(), QStringLiteral("keep=me"));
  QCOMPARE(s_.dialogs->messages.size(), 1);
  QVERIFY(s_.dialogs->messages[0].contains(QStringLiteral("no such file")));
  w->pairFileEdit()->setText(s_.folder->path());  // a folder
  QTest::keyClick(w->pairFileEdit(), Qt::Key_Return);
  QCOMPARE(w->pairListText(), QStringLiteral("keep=me"));
  QCOMPARE(s_.dialogs->messages.size(), 2);
}

void SearchWindowsTest::savedPairFileReadsBack() {
  ReplaceWindow* w = replaceWindow();
  const QString file = s_.folder->file("saved.txt");
  w->pairList()->setPlainText(QStringLiteral("а=б\nx=\n=y"));
  s_.dialogs->saveAnswers.push_back(file);
  QTest::mouseClick(w->saveButton(), Qt::LeftButton);
  QCOMPARE(readBytes(file), w1251("а=б\r\nx=\r\n=y\r\n"));
  // Characters beyond Windows-1251: saved as UTF-8, read back the same.
  w->pairList()->setPlainText(QStringLiteral("日=ж"));
  s_.dialogs->saveAnswers.push_back(file);
  QTest::mouseClick(w->saveButton(), Qt::LeftButton);
  QCOMPARE(readBytes(file), std::string("日=ж\r\n"));
  w->pairList()->clear();
  QVERIFY(w->loadPairFile(file));
  QCOMPARE(w->pairListText(), QStringLiteral("日=ж"));
  // A save that fails says so and keeps the list.
  s_.dialogs->saveAnswers.push_back(s_.folder->file("no/such/folder/x.txt"));
  QTest::mouseClick(w->saveButton(), Qt::LeftButton);
  QCOMPARE(s_.dialogs->messages.size(), 1);
  QCOMPARE(w->pairListText(), QStringLiteral("日=ж"));
}

void SearchWindowsTest::makeTree() {
  QVERIFY(tree_.isValid());
  const QString root = tree_.path();
  QDir(root).mkpath("sub/deeper");
  QDir(root).mkpath(".hidden");
  writeBytes(root + "/a1251.txt", w1251("Здесь ПРИВЕТ из Windows"));
  writeBytes(root + "/b_utf8.TXT", "Здесь привет из Linux");
  writeBytes(root + "/c.log", "привет, но не та маска");
  writeBytes(root + "/sub/deeper/d.txt", w1251("снова Привет"));
  writeBytes(root + "/sub/e.txt", "ничего");
  writeBytes(root + "/.hidden/f.txt", "привет");
}

void SearchWindowsTest::findInFilesTree() {
  makeTree();
  run("mniFindinFiles");
  FindInFilesWindow* w = findWindow();
  QVERIFY(w->isVisible());
  w->maskBox()->setCurrentText("*.txt");
  w->folderEdit()->setText(tree_.path());
  w->textBox()->setCurrentText(QStringLiteral("привет"));
  QTest::mouseClick(w->button("SearchButton"), Qt::LeftButton);
  QVERIFY(settle(w->worker()));
  const QString root = tree_.path();
  QCOMPARE(w->resultPaths(),
           (QStringList{root + "/a1251.txt", root + "/b_utf8.TXT", root + "/sub/deeper/d.txt"}));
  QCOMPARE(w->status(), QStringLiteral("КОНЕЦ ПОИСКА... НАЙДЕНО 3 ФАЙЛ/ОВ; в UTF-8: 1"));
  // Wildcards in the text, a folder given with its final slash.
  w->folderEdit()->setText(root + "/");
  w->textBox()->setCurrentText(QStringLiteral("СН?ВА"));
  QTest::mouseClick(w->button("SearchButton"), Qt::LeftButton);
  QVERIFY(settle(w->worker()));
  QCOMPARE(w->resultPaths(), QStringList{root + "/sub/deeper/d.txt"});
  // Histories hold each text once, the last first.
  QCOMPARE(w->textBox()->itemText(0), QStringLiteral("СН?ВА"));
  QCOMPARE(w->textBox()->count(), 2);
  // A folder that is not there: nothing found, said so.
  w->folderEdit()->setText(root + "/nowhere");
  QTest::mouseClick(w->button("SearchButton"), Qt::LeftButton);
  QVERIFY(settle(w->worker()));
  QVERIFY(w->resultPaths().isEmpty());
  QCOMPARE(w->status(), QStringLiteral("КОНЕЦ ПОИСКА... НАЙДЕНО 0 ФАЙЛ/ОВ"));
}

void SearchWindowsTest::findInFilesDoubleClickOpens() {
  makeTree();
  FindInFilesWindow* w = findWindow();
  w->maskBox()->setCurrentText("d.*");
  w->folderEdit()->setText(tree_.path());
  w->textBox()->setCurrentText(QStringLiteral("привет"));
  w->startSearch();
  QVERIFY(settle(w->worker()));
  QCOMPARE(w->results()->count(), 1);
  const int before = ed().documentCount();
  QListWidgetItem* item = w->results()->item(0);
  emit w->results()->itemDoubleClicked(item);
  QCOMPARE(ed().documentCount(), before + 1);
  QCOMPARE(QString::fromStdString(ed().fileName()), tree_.path() + "/sub/deeper/d.txt");
  QCOMPARE(ed().text(), w1251("снова Привет\r\n"));
}

void SearchWindowsTest::findInFilesPauseResumeStop() {
  // Enough bytes that the search is still going when it is paused.
  const QString root = tree_.path();
  const std::string block(4 << 20, 'x');
  for (int i = 0; i < 24; ++i) writeBytes(root + QStringLiteral("/big%1.txt").arg(i, 2, 10, QLatin1Char('0')), block + "needle");
  FindInFilesWindow* w = findWindow();
  w->maskBox()->setCurrentText("*");
  w->folderEdit()->setText(root);
  w->textBox()->setCurrentText("NEEDLE");
  w->startSearch();
  w->pause();
  QVERIFY(w->status() == QStringLiteral("ЖДУ") || w->status() == QStringLiteral("МОГУ И ОБОЖДАТЬ..."));
  QTest::qWait(200);
  QVERIFY(w->worker().running());
  QCoreApplication::processEvents();
  const int whilePaused = w->results()->count();
  QTest::qWait(100);
  QCoreApplication::processEvents();
  QCOMPARE(w->results()->count(), whilePaused);
  w->resume();
  QVERIFY(w->status() == QStringLiteral("ПРОДОЛЖИМ!") || w->status() == QStringLiteral("ДАВНО ПОРА..."));
  QVERIFY(settle(w->worker()));
  QCOMPARE(w->results()->count(), 24);
  QCOMPARE(w->status(), QStringLiteral("КОНЕЦ ПОИСКА... НАЙДЕНО 24 ФАЙЛ/ОВ"));
  // Resume with nothing paused only says so.
  w->resume();
  QVERIFY(w->status() == QStringLiteral("ПРОДОЛЖИМ!") || w->status() == QStringLiteral("ДАВНО ПОРА..."));

  // Stop, running and paused: the search ends promptly and keeps the stop
  // message and what it found so far.
  for (bool pausedFirst : {false, true}) {
    w->startSearch();
    if (pausedFirst) w->pause();
    QElapsedTimer t;
    t.start();
    w->stop();
    QVERIFY(settle(w->worker(), 5000));
    QVERIFY2(t.elapsed() < 5000, "the search did not end promptly");
    QVERIFY(w->status() == QStringLiteral("ПОИСК ПРЕРВАН") || w->status() == QStringLiteral("КАКОЕ НЕТЕРПЕНИЕ!"));
    QVERIFY(w->results()->count() < 24);
  }
}

void SearchWindowsTest::findInFilesReplacesARunningSearch() {
  makeTree();
  FindInFilesWindow* w = findWindow();
  w->maskBox()->setCurrentText("*.txt");
  w->folderEdit()->setText(tree_.path());
  w->textBox()->setCurrentText(QStringLiteral("привет"));
  w->startSearch();
  w->pause();
  w->startSearch();  // the paused one is stopped and joined first
  QVERIFY(settle(w->worker()));
  QCOMPARE(w->results()->count(), 3);
}

void SearchWindowsTest::analyzerReport() {
  ed().setText(w1251("Мама мыла раму, мама!\r\n"));
  run("mniUNITAZ");
  AnalyzerWindow* a = analyzer();
  QVERIFY(a->isVisible());
  QTest::mouseClick(a->button("Button2"), Qt::LeftButton);
  QVERIFY(settle(a->worker()));
  const QStringList lines = a->output().split('\n');
  const QStringList head{"Thread constructor call...", "Thread constructor called OK", "Вычисляю, ЖДИТЕ!",
                         "Начинаю сортировку", "Сортировка завершена", "Вывод результатов"};
  QCOMPARE(lines.mid(0, 6), head);
  QVERIFY(lines[6].startsWith(QStringLiteral("Время вычисления: ")));
  const QStringList tail{"Общее ко-вол слов: 4",
                         "Кол-во уникальных слов: 3",
                         "Отношение уникальных к общему: 0,75",
                         "Средняя длина слова /общ.4",
                         "",
                         "Вывод результатов частотной статистики:",
                         "мама    2",
                         "мыла    1",
                         "раму    1"};
  QCOMPARE(lines.mid(7), tail);
  // A second run replaces the first worker and appends below.
  QTest::mouseClick(a->button("Button2"), Qt::LeftButton);
  QVERIFY(settle(a->worker()));
  const QStringList again = a->output().split('\n');
  QCOMPARE(again.size(), lines.size() * 2 + 1);
  QCOMPARE(again[lines.size()], QStringLiteral("Thread constructor call..."));
  QCOMPARE(again[lines.size() + 1], QStringLiteral("Thread destoying done"));
  // Only delimiters: zero words and no division by zero.
  a->clearOutput();
  ed().setText(" ,.;!? ");
  a->analyze();
  QVERIFY(settle(a->worker()));
  QVERIFY(a->output().contains(QStringLiteral("Общее ко-вол слов: 0\nКол-во уникальных слов: 0\n"
                                              "Отношение уникальных к общему: 0\nСредняя длина слова /общ.0")));
}

void SearchWindowsTest::analyzerDosDocument() {
  std::string text = w1251("Ёлка ЁЛКА ёлка");
  dosFromWin(text);
  ed().setCharset("dos");
  ed().setText(text);
  analyzer()->analyze();
  QVERIFY(settle(analyzer()->worker()));
  QVERIFY(analyzer()->output().endsWith(QStringLiteral("\nёлка    3")));
}

void SearchWindowsTest::analyzerWithoutDocumentOrText() {
  ed().setText("");
  analyzer()->analyze();
  QVERIFY(settle(analyzer()->worker()));
  QCOMPARE(analyzer()->output(), QStringLiteral("Thread constructor call...\nThread constructor called OK"));
  QVERIFY(s_.dialogs->messages.isEmpty());
  for (DocumentWindow* d : ed().documents()) d->control()->setModifiedFlag(false);
  s_.main->documentArea()->closeAllSubWindows();
  QCoreApplication::processEvents();
  QVERIFY(!s_.main->hasDocument());
  analyzer()->clearOutput();
  analyzer()->analyze();
  QCOMPARE(s_.dialogs->messages, QStringList{QStringLiteral("Еще ни один файл не открыт, нечего анализировать!")});
}

void SearchWindowsTest::analyzerStopPauseSlider() {
  std::string big;
  big.reserve(6 << 20);
  for (int i = 0; big.size() < (6u << 20); ++i) big += "слово" + std::to_string(i % 5000) + " ";
  ed().setText(w1251(big.c_str()));
  AnalyzerWindow* a = analyzer();
  // Paused before it counts much, then stopped: it ends at once, unsorted.
  a->analyze();
  a->pause();
  QElapsedTimer t;
  t.start();
  a->stop();
  QVERIFY(settle(a->worker(), 5000));
  QVERIFY2(t.elapsed() < 5000, "the analysis did not end promptly");
  QVERIFY(a->output().contains(QStringLiteral("Thread paused OK\nThread stopped OK")));
  QVERIFY(a->output().endsWith(QStringLiteral("Анализ остановлен")));
  QVERIFY(!a->output().contains(QStringLiteral("Начинаю сортировку")));
  // Moving the slider while paused lets it go on.
  a->clearOutput();
  a->analyze();
  a->pause();
  QTest::qWait(100);
  QVERIFY(a->worker().running());
  a->prioritySlider()->setValue(3);
  QVERIFY(!a->worker().paused());
  QVERIFY(settle(a->worker()));
  QVERIFY(a->output().contains(QStringLiteral("Кол-во уникальных слов: 5000")));
  // Resume after pause finishes the run too.
  a->clearOutput();
  a->analyze();
  a->pause();
  a->resume();
  QVERIFY(settle(a->worker()));
  QVERIFY(a->output().contains(QStringLiteral("Thread paused OK\nThread resumed OK")));
  QVERIFY(a->output().contains(QStringLiteral("Кол-во уникальных слов: 5000")));
  // Closing the window ends a running analysis.
  a->analyze();
  a->pause();
  t.restart();
  a->close();
  QVERIFY(!a->worker().exists());
  QVERIFY(t.elapsed() < 5000);
}

void SearchWindowsTest::analyzerClearAndCopy() {
  ed().setText("b a b");
  analyzer()->analyze();
  QVERIFY(settle(analyzer()->worker()));
  QTest::mouseClick(analyzer()->button("Button7"), Qt::LeftButton);
  QCOMPARE(QApplication::clipboard()->text(), analyzer()->output());
  QVERIFY(QApplication::clipboard()->text().endsWith(QStringLiteral("b    2\na    1")));
  QTest::mouseClick(analyzer()->button("Button1"), Qt::LeftButton);
  QVERIFY(analyzer()->output().isEmpty());
}

void SearchWindowsTest::exitWithWorkersRunning() {
  const QString root = tree_.path();
  const std::string block(2 << 20, 'y');
  for (int i = 0; i < 8; ++i) writeBytes(root + QStringLiteral("/f%1.txt").arg(i), block);
  FindInFilesWindow* w = findWindow();
  w->maskBox()->setCurrentText("*");
  w->folderEdit()->setText(root);
  w->textBox()->setCurrentText("zzz");
  w->startSearch();
  w->pause();
  std::string big;
  for (int i = 0; i < 200000; ++i) big += "w" + std::to_string(i % 100) + " ";
  ed().setText(big);
  analyzer()->analyze();
  analyzer()->pause();
  QElapsedTimer t;
  t.start();
  s_.stop();  // both paused workers are stopped, woken and joined
  QVERIFY(t.elapsed() < 10000);
  // And with them running rather than paused.
  s_.start();
  s_.main->newDocument();
  ed().setText(big);
  findWindow()->maskBox()->setCurrentText("*");
  findWindow()->folderEdit()->setText(root);
  findWindow()->textBox()->setCurrentText("zzz");
  findWindow()->startSearch();
  analyzer()->analyze();
  s_.stop();
  s_.start();
}

QTEST_MAIN(SearchWindowsTest)
#include "test_search_windows.moc"
