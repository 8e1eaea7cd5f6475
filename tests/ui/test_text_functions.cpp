// Every command of the "Функции" menu through the command table, on a
// selection and on the whole text: its result, and one undo step back.
// Commands that fail or are cancelled leave the document untouched.

#include <QMessageBox>
#include <QTest>

#include "core/charsets/cyrillic_conversions.h"
#include "support/test_env.h"
#include "ui/app/main_window.h"
#include "ui/commands/command_dispatch.h"
#include "ui/commands/command_table.h"
#include "ui/common/sound_player.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"
#include "ui/tools/console_window.h"
#include "ui/tools/enclose_dialog.h"

#include <QLineEdit>

using namespace kiv;

namespace {
struct Sel {
  int l0 = -1, c0 = 0, l1 = 0, c1 = 0;  // l0 < 0: no selection
};
}  // namespace

class TextFunctionsTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void cleanupTestCase();
  void init();
  void commands_data();
  void commands();
  void insertions();
  void failuresLeaveTheDocumentUntouched_data();
  void failuresLeaveTheDocumentUntouched();
  void dosDocumentsWorkOnWhatTheUserSees();
  void enclosingUsesTheDialogFields();
  void statisticsAndConsole();

 private:
  void run(const char* component) { runCommand(*main_, *findCommand(component)); }
  // Sets the text (unmodified), the selection and the prompt answers, runs
  // the command and returns the text from before.
  std::string runOn(const QString& component, const QByteArray& input, const QList<int>& selection,
                    const QStringList& answers) {
    ed().setText(bytesOf(input));
    ed().setModified(false);
    const std::string before = ed().text();
    if (!selection.isEmpty()) control()->setSelection(selection[0], selection[1], selection[2], selection[3]);
    for (const QString& a : answers) dialogs_->inputs.push_back(a);
    run(component.toLatin1().constData());
    return before;
  }
  std::unique_ptr<ScriptedDialogs> dialogs_;
  std::unique_ptr<ProgramFolder> folder_;
  std::unique_ptr<MainWindow> main_;
  EditorInterface& ed() { return main_->editor(); }
  EditingControl* control() { return main_->activeDocument()->control(); }
};

void TextFunctionsTest::initTestCase() {
  dialogs_ = std::make_unique<ScriptedDialogs>();
  folder_ = std::make_unique<ProgramFolder>();
  main_ = startProgram(*folder_);
  main_->sounds().setMuted(true);
  main_->newDocument();
}

void TextFunctionsTest::cleanupTestCase() {
  for (DocumentWindow* t : main_->editor().documents()) t->control()->setModifiedFlag(false);
  main_->close();
  main_.reset();
}

void TextFunctionsTest::init() {
  dialogs_->messages.clear();
  dialogs_->inputs.clear();
  dialogs_->answers.clear();
}

void TextFunctionsTest::commands_data() {
  QTest::addColumn<QString>("component");
  QTest::addColumn<QByteArray>("input");
  QTest::addColumn<QList<int>>("selection");
  QTest::addColumn<QStringList>("answers");
  QTest::addColumn<QByteArray>("expected");
  const QList<int> whole{};
  auto w = [](const char* s) { return qbytes(w1251(s)); };
  QTest::newRow("empty lines") << "mniDelEmptyLines" << QByteArray("a\r\n\r\n \t\r\nb\r\nz\r\n") << QList<int>{0, 0, 4, 0}
                               << QStringList() << QByteArray("a\r\nb\r\nz\r\n");
  QTest::newRow("number lines") << "mniNumberStrings" << QByteArray("x\r\ny\r\nz\r\n") << QList<int>{0, 0, 2, 0}
                                << QStringList() << QByteArray("1 x\r\n2 y\r\nz\r\n");
  QTest::newRow("sort") << "mniSortStrings" << w("в\r\nБ\r\nа\r\nz\r\n") << QList<int>{0, 0, 3, 0} << QStringList()
                        << w("а\r\nБ\r\nв\r\nz\r\n");
  QTest::newRow("reverse sort") << "mnirevsortstrings" << QByteArray("a\r\nc\r\nb\r\n") << QList<int>{0, 0, 3, 0}
                                << QStringList() << QByteArray("c\r\nb\r\na\r\n");
  QTest::newRow("reverse string") << "mniReverseString" << QByteArray("abc def\r\n") << QList<int>{0, 0, 0, 3}
                                  << QStringList() << QByteArray("cba def\r\n");
  QTest::newRow("reverse lines") << "mniReverseStrings" << QByteArray("1\r\n2\r\n3\r\n") << whole << QStringList()
                                 << QByteArray("3\r\n2\r\n1\r\n");
  QTest::newRow("surname") << "mniFIO" << w("Иванов Иван  Иванович\r\n") << QList<int>{0, 0, 0, 21}
                           << QStringList() << w("Иванов И.И.\r\n");
  QTest::newRow("delete word") << "mniDelWord" << QByteArray("xAByab\r\n") << whole << QStringList{"ab"}
                               << QByteArray("xy\r\n");
  QTest::newRow("delete Russian word") << "mniDelWord" << w("КотикКОТ кот\r\n") << whole << QStringList{"кот"}
                                       << w("ик \r\n");
  QTest::newRow("paragraph sort") << "mniParaSort" << QByteArray("c;a;;b\r\n") << QList<int>{0, 0, 0, 6}
                                  << QStringList{";"} << QByteArray("\r\na\r\nb\r\nc\r\n\r\n");
  QTest::newRow("lower") << "Downcase1" << w("ЁЛКА Tree\r\n") << QList<int>{0, 0, 0, 9} << QStringList()
                         << w("ёлка tree\r\n");
  QTest::newRow("upper") << "Changeregister1" << w("ёлка Tree\r\n") << QList<int>{0, 0, 0, 9} << QStringList()
                         << w("ЁЛКА TREE\r\n");
  QTest::newRow("first capital") << "N11" << QByteArray("HELLO. WORLD") << whole << QStringList()
                                 << QByteArray("Hello. world\r\n");
  QTest::newRow("word capitals") << "N46" << w("hello,world (test) ёжик") << whole << QStringList()
                                 << w("Hello,World (Test) Ёжик\r\n");
  QTest::newRow("collapse spaces") << "mnKillSpaces" << QByteArray("a  b\r\nc\r\n") << whole << QStringList()
                                   << QByteArray("a b c\r\n");
  QTest::newRow("kill format") << "mniKillFormat" << QByteArray(" a\t\tb ") << whole << QStringList()
                               << QByteArray("a b\r\n");
  QTest::newRow("kill tabs") << "mniKillFormat2" << QByteArray("a\tb\t") << whole << QStringList()
                             << QByteArray("ab\r\n");
  QTest::newRow("tabs to spaces") << "TabsSpaces1" << QByteArray("a\tb") << whole << QStringList()
                                  << QByteArray("a   b\r\n");
  QTest::newRow("hard wrap") << "mniHardWordWrap" << QByteArray("aaa bbb ccc ddd\r\n") << QList<int>{0, 0, 0, 15}
                             << QStringList{"10"} << QByteArray("aaa bbb \r\nccc ddd\r\n");
  QTest::newRow("paired quotes") << "N71" << QByteArray("\"a\" \"b\" \"c") << whole << QStringList()
                                 << w("«a» «b» «c\r\n");
  QTest::newRow("straight quotes") << "N72" << w("«a» «b»") << whole << QStringList() << QByteArray("\"a\" \"b\"\r\n");
  QTest::newRow("to Roman") << "IntegertoRoman1" << QByteArray("1994 x\r\n") << QList<int>{0, 0, 0, 4}
                            << QStringList() << QByteArray("MCMXCIV x\r\n");
  QTest::newRow("from Roman") << "RomantoInteger1" << QByteArray("mmxx\r\n") << QList<int>{0, 0, 0, 4}
                              << QStringList() << QByteArray("2020\r\n");
  QTest::newRow("Russian words") << "mniNum2WordsRus" << QByteArray("41000\r\n") << QList<int>{0, 0, 0, 5}
                                 << QStringList() << w("Сорок одна тысяча\r\n");
  QTest::newRow("dollars") << "mniNum2WordsEng" << QByteArray("1,999") << whole << QStringList()
                           << QByteArray("TWO AND NO/100 Dollars");
  QTest::newRow("German words") << "mniNum2WordsGerm" << QByteArray("21\r\n") << QList<int>{0, 0, 0, 2}
                                << QStringList() << QByteArray("einundzwanzig\r\n");
  QTest::newRow("hex to decimal") << "mniHEX2dec" << QByteArray("ff\r\n") << QList<int>{0, 0, 0, 2} << QStringList()
                                  << QByteArray("255\r\n");
  QTest::newRow("decimal to hex") << "mnidec2hex" << QByteArray("255\r\n") << QList<int>{0, 0, 0, 3}
                                  << QStringList() << QByteArray("0000FF\r\n");
  QTest::newRow("decimal to binary") << "mnidec2bin" << QByteArray("5\r\n") << QList<int>{0, 0, 0, 1}
                                     << QStringList() << QByteArray("101\r\n");
  QTest::newRow("binary to decimal") << "mnibin2dec" << QByteArray("101\r\n") << QList<int>{0, 0, 0, 3}
                                     << QStringList() << QByteArray("5\r\n");
  QTest::newRow("evaluate") << "mniEvaluate" << QByteArray("2*(3+4)\r\n") << QList<int>{0, 0, 0, 7}
                            << QStringList() << QByteArray("2*(3+4) = 14\r\n");
  QTest::newRow("evaluate pi") << "mniEvaluate" << QByteArray("pi*2\r\n") << QList<int>{0, 0, 0, 4}
                               << QStringList() << QByteArray("pi*2 = 6,28318530717959\r\n");
  QTest::newRow("leap year") << "mniIsLeapYear" << QByteArray("2000\r\n") << QList<int>{0, 0, 0, 4}
                             << QStringList() << w("2000 - високосный год\r\n");
  QTest::newRow("scramble") << "mniEncode" << QByteArray("plain") << whole << QStringList{"A"}
                            << QByteArray("1- (/\r\n");
}

void TextFunctionsTest::commands() {
  QFETCH(QString, component);
  QFETCH(QByteArray, input);
  QFETCH(QList<int>, selection);
  QFETCH(QStringList, answers);
  QFETCH(QByteArray, expected);
  const std::string before = runOn(component, input, selection, answers);
  QVERIFY2(dialogs_->messages.isEmpty(), qPrintable(dialogs_->messages.join(QLatin1Char('|'))));
  QCOMPARE(qbytes(ed().text()), expected.endsWith("\r\n") ? expected : expected + "\r\n");
  QVERIFY(ed().isModified());
  ed().undo();
  QCOMPARE(ed().text(), before);
  QVERIFY(!ed().isModified());
}

void TextFunctionsTest::insertions() {
  ed().setText("");
  run("mniRusAlpha");
  QCOMPARE(ed().text().size(), std::size_t(64 + 2));
  ed().setText("");
  run("mniEngAlphha");
  QCOMPARE(ed().text(), std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz\r\n"));
  ed().setText("");
  dialogs_->inputs = {QStringLiteral("5")};
  run("mniFib");
  QCOMPARE(ed().text(), w1251("1, 1, 2, 3, 5, Числа Фибоначчи: \r\n"));
  ed().undo();
  QCOMPARE(ed().text(), std::string());
  run("Pi1");
  run("e1");
  QCOMPARE(ed().text(), std::string("3.1415926535897932384626433832.7182818\r\n"));
  ed().setText("");
  run("mbiDate3");
  QVERIFY(ed().text().find(w1251(" г.")) != std::string::npos);
  ed().setText("");
  run("mniDate2");
  QVERIFY(ed().text().find(w1251(" г., ")) != std::string::npos);
  ed().setText("");
  run("mniDayNumber");
  const std::string day = ed().text();
  QVERIFY(day.size() > 2 && std::all_of(day.begin(), day.end() - 2, [](char c) { return c >= '0' && c <= '9'; }));
  ed().setText("");
  run("Insertdate1");
  QCOMPARE(ed().text().size(), std::size_t(10 + 2));  // dd.MM.yyyy
  ed().setText("");
  run("Inserttime1");
  QCOMPARE(ed().text().size(), std::size_t(8 + 2));  // HH:mm:ss
  // A selection stays: insertions go to the caret.
  ed().setText("abc");
  control()->setSelection(0, 0, 0, 3);
  run("Pi1");
  QVERIFY(ed().text().rfind("abc3.14", 0) == 0);
  // Anagrams go in as lines at the caret; the selected text stays.
  ed().setText("abc");
  control()->setSelection(0, 0, 0, 3);
  run("mniAnagramm");
  QCOMPARE(ed().text(), w1251("abcbac\r\nbca\r\ncba\r\nabc\r\nacb\r\ncab\r\nНайдено 6 анаграмм...\r\n\r\n"));
  // ISBN: a message, no change.
  ed().setText("0-306-40615-2");
  ed().setModified(false);
  control()->setSelection(0, 0, 0, 13);
  run("mniISBN1");
  QCOMPARE(dialogs_->messages, QStringList{QStringLiteral("Верно!")});
  QVERIFY(!ed().isModified());
  // Hackerize keeps the letters and changes only their case.
  ed().setText("abcdefghijklmnop");
  run("Hackerize1");
  QCOMPARE(QString::fromStdString(ed().text()).toLower(), QStringLiteral("abcdefghijklmnop\r\n"));
}

void TextFunctionsTest::failuresLeaveTheDocumentUntouched_data() {
  QTest::addColumn<QString>("component");
  QTest::addColumn<QByteArray>("input");
  QTest::addColumn<QList<int>>("selection");
  QTest::addColumn<QStringList>("answers");
  QTest::addColumn<QString>("message");
  QTest::newRow("bad dollar amount") << "mniNum2WordsEng" << QByteArray("abc") << QList<int>{} << QStringList()
                                     << "'abc\r\n' is not a valid floating point value";
  QTest::newRow("bad integer") << "mnidec2hex" << QByteArray("12a") << QList<int>{0, 0, 0, 3} << QStringList()
                               << "";
  QTest::newRow("evaluator syntax") << "mniEvaluate" << QByteArray("1 + 2 x") << QList<int>{0, 0, 0, 7}
                                    << QStringList() << "Синтаксическая ошибка в позиции 2";
  QTest::newRow("evaluator division") << "mniEvaluate" << QByteArray("1/0") << QList<int>{0, 0, 0, 3}
                                      << QStringList() << "Деление на ноль в позиции 2";
  QTest::newRow("zero key") << "mniEncode" << QByteArray("text") << QList<int>{} << QStringList{"aa"} << "*";
  QTest::newRow("empty password") << "mniDecode" << QByteArray("text") << QList<int>{} << QStringList{""}
                                  << "Пароль не может быть пустой строкой";
  QTest::newRow("cancelled password") << "mniEncode" << QByteArray("text") << QList<int>{} << QStringList() << "";
  QTest::newRow("too many anagrams") << "mniAnagramm" << QByteArray("abcdefghijk") << QList<int>{} << QStringList()
                                     << "*";
  QTest::newRow("empty separator") << "mniParaSort" << QByteArray("a;b") << QList<int>{0, 0, 0, 3}
                                   << QStringList{""} << "Значение не задано!";
  QTest::newRow("bad wrap width") << "mniHardWordWrap" << QByteArray("a b") << QList<int>{} << QStringList{"x"}
                                  << "'x' is not a valid integer value";
  QTest::newRow("cancelled word") << "mniDelWord" << QByteArray("a b") << QList<int>{} << QStringList() << "";
  QTest::newRow("lines without selection") << "mniSortStrings" << QByteArray("b\r\na") << QList<int>{}
                                           << QStringList() << "";
  QTest::newRow("case without selection") << "Changeregister1" << QByteArray("abc") << QList<int>{}
                                          << QStringList() << "";
}

void TextFunctionsTest::failuresLeaveTheDocumentUntouched() {
  QFETCH(QString, component);
  QFETCH(QByteArray, input);
  QFETCH(QList<int>, selection);
  QFETCH(QStringList, answers);
  QFETCH(QString, message);
  const std::string before = runOn(component, input, selection, answers);
  QCOMPARE(ed().text(), before);
  QVERIFY(!ed().isModified());
  if (message == QLatin1String("*")) QCOMPARE(dialogs_->messages.size(), 1);
  else if (message.isEmpty()) QVERIFY(dialogs_->messages.size() <= 1);
  else QCOMPARE(dialogs_->messages, QStringList{message});
}

void TextFunctionsTest::dosDocumentsWorkOnWhatTheUserSees() {
  ed().setCharset("dos");
  std::string dos = w1251("Ёжик");
  dosFromWin(dos);
  dos += "\xC4\xFC";  // ─ and №, which Windows-1251 does not have at these bytes
  ed().setText(dos);
  control()->selectAll();
  run("Changeregister1");
  QCOMPARE(control()->text(), QStringLiteral("ЁЖИК─№"));
  run("N46");
  QCOMPARE(control()->text(), QStringLiteral("Ёжик─№"));
  ed().setText("");
  run("mniRusAlpha");
  QVERIFY(control()->text().startsWith(QStringLiteral("АБВГД")));
  ed().setCharset("win");
}

void TextFunctionsTest::enclosingUsesTheDialogFields() {
  auto* dialog = main_->tools().get<EncloseDialog>(QStringLiteral("EncloseDialog"));
  dialog->before()->setText(QStringLiteral("<li>"));
  dialog->after()->setText(QStringLiteral("</li>"));
  ed().setText("one\r\ntwo\r\nrest\r\n");
  control()->setSelection(0, 0, 2, 0);
  run("mniEnclose");
  QCOMPARE(ed().text(), std::string("<li>one</li>\r\n<li>two</li>\r\nrest\r\n"));
  QCOMPARE(dialog->before()->text(), QStringLiteral("<li>"));  // kept for the next use
}

void TextFunctionsTest::statisticsAndConsole() {
  auto* console = main_->tools().get<ConsoleWindow>(QStringLiteral("ConsoleWindow"));
  QCOMPARE(console->text(), QStringLiteral(">Information console ver 1.0\n>Status information updating"));
  ed().setText(w1251("Привет, мир!"));
  run("mniStat");
  QVERIFY(console->isVisible());
  const QString text = console->text();
  QVERIFY(text.contains(QStringLiteral("con> >>>>>> Begin update data >>>>>>>")));
  QVERIFY(text.contains(QStringLiteral("con> >Количество знаков и пробелов: 12")));
  QVERIFY(text.contains(QStringLiteral("con> >Количество только знаков: 11")));
  QVERIFY(text.contains(QStringLiteral("con> >Количество слов: 2")));
  QVERIFY(!text.contains(QStringLiteral("Дата и время создания файла")));
  run("mniStat");  // a second press hides it and adds nothing
  QVERIFY(!console->isVisible());
  QCOMPARE(console->text(), text);
  run("mniAboutmodules");
  QVERIFY(console->text().endsWith(QStringLiteral("con> Модульный движок ввода/вывода V 1.0")));
  QVERIFY(console->text().contains(QStringLiteral("con> Kiv build no. ")));
  console->clear();
  QCOMPARE(console->text(), QString());
  console->close();
}

QTEST_MAIN(TextFunctionsTest)
#include "test_text_functions.moc"
