// The big-number calculator, the unit converter, the calendar and the
// character table: each opens from its menu item and does its work.

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimeZone>

#include "core/common/regional.h"
#include "support/test_env.h"
#include "ui/app/main_window.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"
#include "ui/tools/calculator_window.h"
#include "ui/tools/calendar_window.h"
#include "ui/tools/character_table_window.h"
#include "ui/tools/unit_converter_window.h"

using namespace kiv;

class SmallToolsTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void eachOpensFromItsMenuItem();
  void calculatorButtons_data();
  void calculatorButtons();
  void calculatorHistoriesAndClearing();
  void calculatorTellsWhatItCannotDo();
  void converterEveryListedConversion();
  void converterRefusesUnknownTextAndBadNumbers();
  void calendarDifferences();
  void calendarTimeZoneFromTheSystem_data();
  void calendarTimeZoneFromTheSystem();
  void characterTableInsertsInEachCodePage_data();
  void characterTableInsertsInEachCodePage();
  void characterTableWithoutADocument();

 private:
  template <class T>
  T* tool(const char* name) {
    return s_.main->tools().get<T>(QString::fromLatin1(name));
  }
  CalculatorWindow* calc() { return tool<CalculatorWindow>("CalculatorWindow"); }
  QString decimal(QString text) const {
    return text.replace(QLatin1Char('.'), QLatin1Char(regionalFormat().decimalSeparator));
  }
  ProgramSession s_;
};

void SmallToolsTest::init() { s_.start(); }
void SmallToolsTest::cleanup() { s_.stop(); }

void SmallToolsTest::eachOpensFromItsMenuItem() {
  struct Case {
    const char* item;
    const char* window;
    const char* caption;
  } cases[] = {
      {"mniMegaCalc", "CalculatorWindow", "Калькулятор мега-больших величин"},
      {"mniConvertUnits", "UnitConverterWindow", "Конвертация величин"},
      {"mniCal", "CalendarWindow", "Календарь"},
  };
  for (const auto& c : cases) {
    ToolWindow* w = s_.main->tools().window(QString::fromLatin1(c.window));
    QVERIFY(!w->isVisible());
    QAction* a = s_.main->action(QString::fromLatin1(c.item));
    QVERIFY(a->isEnabled());
    a->trigger();
    QVERIFY2(w->isVisible(), c.item);
    QCOMPARE(w->windowTitle(), QString::fromUtf8(c.caption));
  }
  // The character table needs a document.
  auto* table = tool<CharacterTableWindow>("CharacterTableWindow");
  s_.main->action(QStringLiteral("mniCharTable"))->trigger();
  QVERIFY(!table->isVisible());
  s_.main->newDocument();
  s_.main->action(QStringLiteral("mniCharTable"))->trigger();
  QVERIFY(table->isVisible());
  QCOMPARE(table->windowTitle(), QStringLiteral("Таблица символов текущего шрифта"));
  QCOMPARE(table->grid()->font().family(), s_.main->activeDocument()->control()->documentFontFamily());
}

void SmallToolsTest::calculatorButtons_data() {
  QTest::addColumn<int>("button");
  QTest::addColumn<QString>("first");
  QTest::addColumn<QString>("second");
  QTest::addColumn<QString>("result");
  QTest::addColumn<QString>("caption");
  const QString add = QStringLiteral("АХЫ, Я СЧИТАТЬ, ТЫ РАДОВАТЬСЯ, КЫ!!");
  QTest::newRow("add carry") << 1 << "99999999999999999999" << "1" << "100000000000000000000" << add;
  QTest::newRow("add signs") << 1 << "-5" << "12" << "7" << add;
  QTest::newRow("multiply") << 2 << "123456789" << "987654321" << "121932631112635269" << QStringLiteral("ГЫЫЫЫЫЫ!!");
  QTest::newRow("multiply signs") << 2 << "-6" << "7" << "-42" << QStringLiteral("ГЫЫЫЫЫЫ!!");
  QTest::newRow("divide") << 3 << "100" << "7" << "14.2" << QStringLiteral("Я СЧИТАТЬ! КУ!");
  QTest::newRow("divide negative") << 3 << "-7" << "2" << "-3.-1" << QStringLiteral("Я СЧИТАТЬ! КУ!");
  QTest::newRow("subtract") << 4 << "5" << "12" << "-7" << QStringLiteral("ЦИФИРЬ СИЛА ДА... ДЫН! КУ!");
  QTest::newRow("subtract negatives") << 4 << "-5" << "-12" << "7" << QStringLiteral("ЦИФИРЬ СИЛА ДА... ДЫН! КУ!");
  QTest::newRow("compare greater") << 5 << "10" << "9" << "Первый операнд больше второгоооо!" << QStringLiteral("УХ, Я СЧИТАТЬ! ДЫН!");
  QTest::newRow("compare negatives") << 5 << "-5" << "-3" << "Второй операнд больше первогоооооо!" << QStringLiteral("УХ, Я СЧИТАТЬ! ДЫН!");
  QTest::newRow("compare equal") << 5 << "42" << "42" << "Операнды равныыыы!" << QStringLiteral("УХ, Я СЧИТАТЬ! ДЫН!");
  QTest::newRow("to hex") << 6 << "65536" << "" << "10000" << add;
  QTest::newRow("to hex 255") << 6 << "255" << "x" << "FF" << add;
  QTest::newRow("to dec") << 7 << "FF" << "" << "255" << QStringLiteral("ЭХ!!!");
  QTest::newRow("to dec big") << 7 << "10000" << "" << "65536" << QStringLiteral("ЭХ!!!");
}

void SmallToolsTest::calculatorButtons() {
  QFETCH(int, button);
  QFETCH(QString, first);
  QFETCH(QString, second);
  QFETCH(QString, result);
  QFETCH(QString, caption);
  calc()->firstBox()->setEditText(first);
  calc()->secondBox()->setEditText(second);
  calc()->button(button)->click();
  QCOMPARE(calc()->resultEdit()->text(), result);
  QCOMPARE(calc()->windowTitle(), caption);
  QVERIFY(s_.dialogs->messages.isEmpty());
  // Copy to the clipboard: the selected part, or all of it.
  calc()->button(8)->click();
  QCOMPARE(QApplication::clipboard()->text(), result);
  QCOMPARE(calc()->windowTitle(), QStringLiteral("КОПИ ТО КЛИПБОРД КОМПЛИТЫД ВЭЛЛ. КУУУУУУУЛ!!! ЙООООО!"));
}

void SmallToolsTest::calculatorHistoriesAndClearing() {
  CalculatorWindow* c = calc();
  c->firstBox()->setEditText(QStringLiteral("2"));
  c->secondBox()->setEditText(QStringLiteral("3"));
  c->button(1)->click();
  c->button(2)->click();  // repeats are kept
  QCOMPARE(c->resultEdit()->text(), QStringLiteral("6"));
  QCOMPARE(c->firstBox()->count(), 2);
  QCOMPARE(c->secondBox()->count(), 2);
  c->button(6)->click();  // "To HEX" adds only the second operand
  QCOMPARE(c->firstBox()->count(), 2);
  QCOMPARE(c->secondBox()->count(), 3);
  QCOMPARE(c->firstBox()->currentText(), QStringLiteral("2"));
  c->resultEdit()->setSelection(0, 0);
  c->resultEdit()->setText(QStringLiteral("12345"));
  c->resultEdit()->setSelection(1, 2);
  c->button(8)->click();
  QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("23"));
  c->button(10)->click();  // histories go, the fields stay
  QCOMPARE(c->firstBox()->count(), 0);
  QCOMPARE(c->secondBox()->count(), 0);
  QCOMPARE(c->firstBox()->currentText(), QStringLiteral("2"));
  QCOMPARE(c->secondBox()->currentText(), QStringLiteral("3"));
  QCOMPARE(c->windowTitle(), QStringLiteral("АХЫЧ!"));
  c->button(1)->click();
  c->button(9)->click();  // everything goes
  QCOMPARE(c->firstBox()->count(), 0);
  QCOMPARE(c->firstBox()->currentText(), QString());
  QCOMPARE(c->secondBox()->currentText(), QString());
  QCOMPARE(c->resultEdit()->text(), QString());
  QCOMPARE(c->windowTitle(), QStringLiteral("АААААА! РУССКА ВОДКА!!!"));
}

void SmallToolsTest::calculatorTellsWhatItCannotDo() {
  CalculatorWindow* c = calc();
  c->resultEdit()->setText(QStringLiteral("previous"));
  struct Case {
    int button;
    QString first, second, message;
  } cases[] = {
      {3, QStringLiteral("5"), QStringLiteral("0"), QStringLiteral("Деление на ноль")},
      {3, QStringLiteral("5"), QStringLiteral("-000"), QStringLiteral("Деление на ноль")},
      {1, QStringLiteral("12a"), QStringLiteral("1"), QStringLiteral("Не целое десятичное число: \"12a\"")},
      {2, QStringLiteral("1"), QStringLiteral("x"), QStringLiteral("Не целое десятичное число: \"x\"")},
      {7, QStringLiteral("FG"), QString(), QStringLiteral("Не шестнадцатеричное число: \"FG\"")},
      {6, QStringLiteral("1.5"), QString(), QStringLiteral("Не целое десятичное число: \"1.5\"")},
  };
  for (const auto& x : cases) {
    s_.dialogs->messages.clear();
    c->firstBox()->setEditText(x.first);
    c->secondBox()->setEditText(x.second);
    c->button(x.button)->click();
    QCOMPARE(s_.dialogs->messages, QStringList{x.message});
    QCOMPARE(c->resultEdit()->text(), QStringLiteral("previous"));
  }
  // A leading zero does not make a number zero.
  c->firstBox()->setEditText(QStringLiteral("007"));
  c->secondBox()->setEditText(QStringLiteral("1"));
  c->button(1)->click();
  QCOMPARE(c->resultEdit()->text(), QStringLiteral("8"));
}

void SmallToolsTest::converterEveryListedConversion() {
  auto* w = tool<UnitConverterWindow>("UnitConverterWindow");
  QCOMPARE(w->numberBox()->currentText(), QStringLiteral("13"));
  QCOMPARE(w->conversionBox()->currentText(), QStringLiteral("Фаренгейт в Цельсий"));
  struct Case {
    const char* number;
    const char* expected;
  } expected[] = {
      {"13", "-10.5555555555556"}, {"100", "212"},     {"0", "-273.16"},    {"0", "273.16"},
      {"72", "2"},                 {"1", "36"},        {"63360", "1"},      {"1", "63360"},
      {"72960", "1"},              {"1", "72960"},     {"100", "2.54"},     {"2.54", "100"},
      {"288", "2"},                {"1", "144"},       {"2592", "2"},       {"3097600", "1"},
      {"4014489600", "1"},         {"1", "4014489600"}, {"6272640", "1"},   {"1", "6272640"},
      {"1550.016", "1"},           {"1", "1550.016"},  {"3456", "2"},       {"1", "1728"},
      {"46656", "1"},              {"61022.592", "1"}, {"1", "46656"},      {"1", "61022.592"},
      {"64000", "2"},              {"1", "32000"},     {"2", "56.7"},
  };
  QCOMPARE(w->conversionBox()->count(), int(std::size(expected)));
  for (int i = 0; i < w->conversionBox()->count(); ++i) {
    w->conversionBox()->setCurrentIndex(i);
    w->numberBox()->setEditText(decimal(QString::fromLatin1(expected[i].number)));
    w->convertButton()->click();
    QCOMPARE(w->numberBox()->currentText(), decimal(QString::fromLatin1(expected[i].expected)));
  }
  QVERIFY(s_.dialogs->messages.isEmpty());
  QCOMPARE(w->numberBox()->count(), int(std::size(expected)));  // every number in the history
  // The result converts further; a typed conversion off the list works.
  w->numberBox()->setEditText(QStringLiteral("1"));
  w->conversionBox()->setCurrentText(QStringLiteral("Мили в дюймы"));
  w->convertButton()->click();
  w->conversionBox()->setCurrentText(QStringLiteral("Дюймы в мили"));
  w->convertButton()->click();
  QCOMPARE(w->numberBox()->currentText(), QStringLiteral("1"));
  w->numberBox()->setEditText(decimal(QStringLiteral("56.7")));
  w->conversionBox()->setEditText(QStringLiteral("Граммы в унции"));
  w->convertButton()->click();
  QCOMPARE(w->numberBox()->currentText(), QStringLiteral("2"));
}

void SmallToolsTest::converterRefusesUnknownTextAndBadNumbers() {
  auto* w = tool<UnitConverterWindow>("UnitConverterWindow");
  w->conversionBox()->setEditText(QStringLiteral("abc"));
  w->convertButton()->click();
  QCOMPARE(s_.dialogs->messages.size(), 1);
  QVERIFY(s_.dialogs->messages[0].contains(QStringLiteral("\"abc\"")));
  QCOMPARE(w->numberBox()->currentText(), QStringLiteral("13"));
  s_.dialogs->messages.clear();
  w->conversionBox()->setCurrentIndex(0);
  w->numberBox()->setEditText(QStringLiteral("1x"));
  w->convertButton()->click();
  QCOMPARE(s_.dialogs->messages, QStringList{QStringLiteral("'1x' is not a valid floating point value")});
  QCOMPARE(w->numberBox()->currentText(), QStringLiteral("1x"));
  QCOMPARE(w->numberBox()->itemText(w->numberBox()->count() - 1), QStringLiteral("1x"));
}

void SmallToolsTest::calendarDifferences() {
  auto* w = tool<CalendarWindow>("CalendarWindow");
  auto lines = [w] { return w->results()->toPlainText().split(QLatin1Char('\n')); };
  // Nothing chosen: 0, 0, 0.
  w->differenceButton()->click();
  QCOMPARE(lines(), (QStringList{QStringLiteral("Разница между датами равна "), QStringLiteral("в днях:  0"),
                                 QStringLiteral("в месяцах:  0"), QStringLiteral("в неделях:  0")}));
  // A click in the month calendar clears the box.
  w->calendar()->setSelectedDate(QDate(2024, 3, 16));
  emit w->calendar()->clicked(QDate(2024, 3, 16));
  QCOMPARE(w->results()->toPlainText(), QString());
  struct Case {
    QDate first, second;
    const char *days, *months, *weeks;
  } cases[] = {
      {QDate(2024, 3, 16), QDate(2024, 3, 17), "1", "0", "1"},    // Saturday to Sunday
      {QDate(2024, 3, 17), QDate(2024, 3, 23), "6", "0", "0"},    // Sunday to Saturday
      {QDate(2024, 1, 31), QDate(2024, 2, 1), "1", "1", "0"},
      {QDate(2024, 5, 1), QDate(2024, 5, 1), "0", "0", "0"},
      {QDate(2025, 1, 1), QDate(2023, 12, 31), "-367", "-13", "-52"},  // the second first: negative
  };
  for (const auto& c : cases) {
    w->results()->clear();
    w->calendar()->setSelectedDate(c.first);
    w->firstButton()->click();
    QCOMPARE(w->firstButton()->text(), c.first.toString(QString::fromStdString(regionalFormat().shortDatePattern)));
    w->calendar()->setSelectedDate(c.second);
    w->secondButton()->click();
    w->differenceButton()->click();
    const QStringList l = lines();
    QCOMPARE(l.value(1), QStringLiteral("в днях:  ") + QString::fromLatin1(c.days));
    QCOMPARE(l.value(2), QStringLiteral("в месяцах:  ") + QString::fromLatin1(c.months));
    QCOMPARE(l.value(3), QStringLiteral("в неделях:  ") + QString::fromLatin1(c.weeks));
  }
  w->okButton()->click();
  QVERIFY(!w->isVisible());
}

void SmallToolsTest::calendarTimeZoneFromTheSystem_data() {
  QTest::addColumn<QByteArray>("zone");
  QTest::addColumn<QString>("offset");
  QTest::newRow("Moscow") << QByteArray("Europe/Moscow") << QStringLiteral("+0300");
  QTest::newRow("Kolkata") << QByteArray("Asia/Kolkata") << QStringLiteral("+0530");
  QTest::newRow("New York, standard time") << QByteArray("America/New_York") << QStringLiteral("-0500");
  QTest::newRow("Greenwich") << QByteArray("UTC") << QStringLiteral("+0000");
}

void SmallToolsTest::calendarTimeZoneFromTheSystem() {
  QFETCH(QByteArray, zone);
  QFETCH(QString, offset);
  if (!QTimeZone(zone).isValid()) QSKIP("the zone is not installed");
  const QByteArray old = qgetenv("TZ");
  qputenv("TZ", zone);
  auto* w = tool<CalendarWindow>("CalendarWindow");
  w->infoButton()->click();
  if (old.isEmpty()) qunsetenv("TZ");
  else qputenv("TZ", old);
  QCOMPARE(w->results()->toPlainText(), QStringLiteral("Разница между гринвичским временем и текущим, в ЧЧММ: ") + offset);
}

void SmallToolsTest::characterTableInsertsInEachCodePage_data() {
  QTest::addColumn<QString>("charset");
  QTest::addColumn<int>("code");
  QTest::addColumn<QString>("shown");
  QTest::newRow("win") << "win" << 0xC0 << QStringLiteral("А");
  QTest::newRow("dos") << "dos" << 0x80 << QStringLiteral("А");
  QTest::newRow("dos box") << "dos" << 0xC4 << QStringLiteral("─");
  QTest::newRow("koi") << "koi" << 0xE1 << QStringLiteral("А");
  QTest::newRow("koi small") << "koi" << 0xC1 << QStringLiteral("а");
}

void SmallToolsTest::characterTableInsertsInEachCodePage() {
  QFETCH(QString, charset);
  QFETCH(int, code);
  QFETCH(QString, shown);
  s_.main->newDocument();
  s_.main->editor().setCharset(charset.toStdString());
  s_.main->editor().setText("ab\r\n");
  s_.main->activeDocument()->control()->setCursorPosition(0, 1);
  s_.main->action(QStringLiteral("mniCharTable"))->trigger();
  auto* table = tool<CharacterTableWindow>("CharacterTableWindow");
  QCOMPARE(table->grid()->item(code / 16, code % 16)->text(), shown);
  table->clickCode(code);
  QCOMPARE(table->codeEdit()->text(), QString::number(code));
  QCOMPARE(table->preview()->text(), shown);
  QCOMPARE(s_.main->editor().text(), std::string("a") + char(code) + "b\r\n");
  // Code 0 shows and inserts nothing.
  QCOMPARE(table->grid()->item(0, 0)->text(), QString());
  table->clickCode(0);
  QCOMPARE(table->codeEdit()->text(), QStringLiteral("0"));
  QCOMPARE(s_.main->editor().text(), std::string("a") + char(code) + "b\r\n");
  // "Copy char" then "Copy code" copies the character, not its number.
  table->clickCode(code);
  table->copyCharButton()->click();
  QCOMPARE(QApplication::clipboard()->text(), shown);
  QCOMPARE(table->codeEdit()->text(), shown);
  table->copyCodeButton()->click();
  QCOMPARE(QApplication::clipboard()->text(), shown);
  table->clickCode(code);
  table->copyCodeButton()->click();
  QCOMPARE(QApplication::clipboard()->text(), QString::number(code));
}

void SmallToolsTest::characterTableWithoutADocument() {
  s_.main->newDocument();
  s_.main->action(QStringLiteral("mniCharTable"))->trigger();
  auto* table = tool<CharacterTableWindow>("CharacterTableWindow");
  QVERIFY(table->isVisible());
  s_.main->activeDocument()->control()->setModifiedFlag(false);
  s_.main->activeDocument()->subWindow()->close();
  QVERIFY(!s_.main->hasDocument());
  table->clickCode(0x41);
  QCOMPARE(table->codeEdit()->text(), QStringLiteral("65"));
  QCOMPARE(table->preview()->text(), QStringLiteral("A"));
  QVERIFY(!s_.main->hasDocument());
}

QTEST_MAIN(SmallToolsTest)
#include "test_small_tools.moc"
