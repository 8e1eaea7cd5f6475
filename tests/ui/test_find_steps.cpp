// Find and replace read the text in growing steps from the caret: the same
// match must be found whatever the step size, including matches across a
// step's end, at the very start or end of the text, backward, whole words
// and case-folded Cyrillic.

#include <QTest>

#include "ui/editor/control/editing_control.h"
#include "ui/editor/control/find_dialog.h"

using namespace kiv;

namespace {

// Byte offset of the n-th (from 0) occurrence of `what` in `text`.
long at(const QByteArray& text, const char* what, int n = 0) {
  qsizetype p = -1;
  for (int i = 0; i <= n; ++i) p = text.indexOf(what, p + 1);
  return static_cast<long>(p);
}

const long kSteps[] = {1, 2, 3, 4, 5, 7, 8, 13, 64 * 1024};

class StepSize {
 public:
  explicit StepSize(long bytes) : old_(searchStepBytes()) { searchStepBytes() = bytes; }
  ~StepSize() { searchStepBytes() = old_; }

 private:
  long old_;
};

}  // namespace

class FindStepsTest : public QObject {
  Q_OBJECT
 private slots:
  void sameMatchForEveryStep_data();
  void sameMatchForEveryStep();
  void steppingVisitsEveryMatchInOrder_data();
  void steppingVisitsEveryMatchInOrder();
  void replaceOneAtATimeAcrossSteps();
  void everyCapitalFoldsAsQtFoldsIt();
};

void FindStepsTest::sameMatchForEveryStep_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QString>("needle");
  QTest::addColumn<QString>("flags");  // c case, w whole words, b backward, e entire scope, s selection only
  QTest::addColumn<long>("selA");
  QTest::addColumn<long>("selB");
  QTest::addColumn<long>("start");  // -1: not found
  QTest::addColumn<long>("length");

  const QString kot = QStringLiteral("кот");
  auto row = [](const char* name, const char* text, const QString& needle, const char* flags, long a, long b,
                long start, long length) {
    QTest::newRow(name) << QByteArray(text) << needle << QString::fromLatin1(flags) << a << b << start << length;
  };
  QByteArray t = "xx КОТ yy";
  row("folded Cyrillic", t, kot, "", 0, 0, at(t, "КОТ"), 6);
  t = "КОТ Кот кот";
  row("case kept", t, kot, "c", 0, 0, at(t, "кот"), 6);
  t = "ЁЖИК ёжик";
  row("Ё folds to ё", t, QStringLiteral("ёжик"), "", 0, 0, 0, 8);
  row("Ё kept apart with case", t, QStringLiteral("ёжик"), "c", 0, 0, at(t, "ёжик"), 8);
  t = "абвгдежзиклмнопрстуфкот";
  row("match ends the text", t, kot, "", 0, 0, at(t, "кот"), 6);
  t = "кот абвгдежзиклмнопрст";
  row("match starts the text, backward", t, kot, "b", t.size(), t.size(), 0, 6);
  t = "кот кот кот";
  row("backward from the end: last", t, kot, "b", t.size(), t.size(), at(t, "кот", 2), 6);
  row("backward from a match: the one before", t, kot, "b", at(t, "кот", 2), at(t, "кот", 2) + 6, at(t, "кот", 1), 6);
  row("forward from a selected match: the next", t, kot, "", 0, 6, at(t, "кот", 1), 6);
  row("forward from inside a word", t, kot, "", 2, 2, at(t, "кот", 1), 6);
  t = "ab кот";
  row("backward: no match across the caret", t, kot, "b", 5, 5, -1, 0);
  row("forward past the last match", t, kot, "", t.size(), t.size(), -1, 0);
  t = "котик кот";
  row("whole word after a longer word", t, kot, "w", 0, 0, at(t, " кот") + 1, 6);
  t = "кот котик";
  row("whole word backward before a longer word", t, kot, "wb", t.size(), t.size(), 0, 6);
  t = "кот_ кот2 xкот кот";
  row("underscore, digit and letter join words", t, kot, "w", 0, 0, at(t, " кот", 1) + 1, 6);
  t = "xкот";
  row("a whole word may touch the caret", t, kot, "w", 1, 1, 1, 6);
  t = "абв";
  row("not found", t, QStringLiteral("где"), "", 0, 0, -1, 0);
  row("needle longer than the text", t, QStringLiteral("абвг"), "", 0, 0, -1, 0);
  t = "\xF0\x9F\x98\x80кот";
  row("after a four-byte character", t, kot, "", 0, 0, 4, 6);
  t = "€€€Кот€";
  row("between three-byte characters", t, kot, "", 0, 0, 9, 6);
  t = "кот кот кот";
  row("selection scope forward", t, kot, "se", at(t, "кот", 1), at(t, "кот", 1) + 6, at(t, "кот", 1), 6);
  row("selection scope backward", t, kot, "seb", at(t, "кот", 1), at(t, "кот", 1) + 6, at(t, "кот", 1), 6);
  row("selection scope without a match", t, kot, "se", 6, 7, -1, 0);
  row("entire scope from the start", t, kot, "e", t.size(), t.size(), 0, 6);
  row("entire scope backward from the end", t, kot, "eb", 0, 0, at(t, "кот", 2), 6);
}

void FindStepsTest::sameMatchForEveryStep() {
  QFETCH(QByteArray, text);
  QFETCH(QString, needle);
  QFETCH(QString, flags);
  QFETCH(long, selA);
  QFETCH(long, selB);
  QFETCH(long, start);
  QFETCH(long, length);
  EditingControl control;
  control.SendScintilla(QsciScintillaBase::SCI_SETTEXT, text.constData());
  SearchOptions o;
  o.text = needle;
  o.caseSensitive = flags.contains(QLatin1Char('c'));
  o.wholeWords = flags.contains(QLatin1Char('w'));
  o.backward = flags.contains(QLatin1Char('b'));
  o.entireScope = flags.contains(QLatin1Char('e'));
  o.selectedOnly = flags.contains(QLatin1Char('s'));
  for (long step : kSteps) {
    StepSize size(step);
    control.SendScintilla(QsciScintillaBase::SCI_SETSEL, selA, selB);
    const bool found = findAndSelect(&control, o, false);
    const QByteArray where = "step " + QByteArray::number(static_cast<qlonglong>(step));
    QVERIFY2(found == (start >= 0), where.constData());
    if (!found) continue;
    QVERIFY2(control.SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART) == start, where.constData());
    QVERIFY2(control.SendScintilla(QsciScintillaBase::SCI_GETSELECTIONEND) == start + length, where.constData());
  }
}

void FindStepsTest::steppingVisitsEveryMatchInOrder_data() {
  QTest::addColumn<bool>("backward");
  QTest::addColumn<long>("step");
  for (long step : {1L, 5L, 64L, 64L * 1024})
    for (bool backward : {false, true})
      QTest::newRow(QByteArray((backward ? "backward, step " : "forward, step ") + QByteArray::number(
                                   static_cast<qlonglong>(step))).constData()) << backward << step;
}

// Matches spread unevenly (far apart, then touching), Cyrillic in all cases.
void FindStepsTest::steppingVisitsEveryMatchInOrder() {
  QFETCH(bool, backward);
  QFETCH(long, step);
  StepSize size(step);
  QByteArray text;
  std::vector<long> expected;
  const char* forms[] = {"Ёлка", "ёЛКА", "ЁЛКА", "ёлка"};
  for (int i = 0; i < 60; ++i) {
    text += QByteArray(i * 37 % 300, i % 2 ? 'x' : ' ');
    if (i % 7 == 0) text += "ёл";  // a part of the needle only
    expected.push_back(static_cast<long>(text.size()));
    text += forms[i % 4];
  }
  text += "ёлк";
  EditingControl control;
  control.SendScintilla(QsciScintillaBase::SCI_SETTEXT, text.constData());
  SearchOptions o;
  o.text = QStringLiteral("ёлка");
  o.backward = backward;
  const long caret = backward ? text.size() : 0;
  control.SendScintilla(QsciScintillaBase::SCI_SETSEL, caret, caret);
  std::vector<long> seen;
  while (findAndSelect(&control, o, false)) seen.push_back(control.SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART));
  if (backward) std::reverse(seen.begin(), seen.end());
  QCOMPARE(seen, expected);
}

void FindStepsTest::replaceOneAtATimeAcrossSteps() {
  for (long step : kSteps) {
    StepSize size(step);
    EditingControl control;
    control.SendScintilla(QsciScintillaBase::SCI_SETTEXT, "Кот, кот и котик; КОТ");
    SearchOptions o;
    o.text = QStringLiteral("кот");
    o.replacement = QStringLiteral("пёс");
    o.wholeWords = true;
    control.SendScintilla(QsciScintillaBase::SCI_SETSEL, 0L, 0L);
    for (int i = 0; i < 3; ++i) QVERIFY(replaceNext(&control, o));
    QCOMPARE(control.text(), QStringLiteral("пёс, пёс и котик; пёс"));
    QVERIFY(!findAndSelect(&control, o, false));
  }
}

// The text is folded with shortcuts for Latin and Cyrillic; the needle with
// QChar::toCaseFolded: every capital must still meet its small letter.
void FindStepsTest::everyCapitalFoldsAsQtFoldsIt() {
  EditingControl control;
  for (char16_t u = 0x20; u < 0x600; ++u) {
    const QChar c(u);
    if (!c.isPrint() || c.isSurrogate() || c.toCaseFolded() == c) continue;
    const QString text = QStringLiteral("..") + c + QStringLiteral("..");
    control.SendScintilla(QsciScintillaBase::SCI_SETTEXT, text.toUtf8().constData());
    control.SendScintilla(QsciScintillaBase::SCI_SETSEL, 0L, 0L);
    SearchOptions o;
    o.text = QString(c.toCaseFolded());
    QVERIFY2(findAndSelect(&control, o, false), qPrintable(QString::number(u, 16)));
    QCOMPARE(control.SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART), 2L);
  }
}

QTEST_MAIN(FindStepsTest)
#include "test_find_steps.moc"
