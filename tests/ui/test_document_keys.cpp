// The document window's own keys, sent as a keyboard sends them (with the
// text the key types and the shortcut check first): each does its work and
// nothing more reaches the editing control. And the template list of Ctrl+J,
// chosen from as a user does.

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QListWidget>
#include <QTest>

#include "support/test_env.h"
#include "ui/app/main_window.h"
#include "ui/common/sound_player.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"

using namespace kiv;

namespace {

// The document's bytes for a text typed into an empty document.
std::string documentOf(const QString& typed) {
  return typed.isEmpty() ? std::string() : w1251(typed.toUtf8().constData()) + "\r\n";
}

// Press and release, with the text the key types on Linux/X11, after the
// shortcut-override round a real key press gets.
void userKey(QWidget* target, int key, Qt::KeyboardModifiers mods, const QString& text) {
  QTest::sendKeyEvent(QTest::Click, target, Qt::Key(key), text, mods);
}

const Qt::KeyboardModifiers kAlt = Qt::AltModifier;
const Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;

}  // namespace

class DocumentKeysTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();
  void handledKeysDoTheirWorkOnly_data();
  void handledKeysDoTheirWorkOnly();
  void templateChosenFromTheList_data();
  void templateChosenFromTheList();
  void escapeClosesTheTemplateList();

 private:
  ProgramSession s_;
  EditorInterface& ed() { return s_.main->editor(); }
  DocumentWindow* doc() { return s_.main->activeDocument(); }
  EditingControl* control() { return doc()->control(); }
  bool listOpen() { return control()->SendScintilla(QsciScintillaBase::SCI_AUTOCACTIVE) != 0; }
};

void DocumentKeysTest::init() {
  s_.start();
  s_.main->editor().setDialogsSuppressed(true);
  s_.main->sounds().setMuted(true);
  s_.main->settings().spacesPerTab = 3;
  s_.main->settings().blockIndent = 2;
  s_.main->newDocument();
  control()->setFocus();
}

void DocumentKeysTest::cleanup() { s_.stop(); }

void DocumentKeysTest::handledKeysDoTheirWorkOnly_data() {
  QTest::addColumn<QString>("before");     // the document (UTF-8 here, Windows-1251 in it)
  QTest::addColumn<QList<int>>("select");  // line, column, line, column (equal ends: the caret)
  QTest::addColumn<QString>("clipboard");
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("mods");
  QTest::addColumn<QString>("keyText");  // what the key types on X11
  QTest::addColumn<QString>("after");
  QTest::addColumn<QString>("selected");  // the selection afterwards
  QTest::addColumn<int>("caretLine");
  QTest::addColumn<bool>("oneUndoStep");  // one undo gives back the document

  const QString word = QStringLiteral("Слово");
  const QList<int> all{0, 0, 0, 5};
  const QList<int> inWord{0, 2, 0, 2};
  const int keypadAlt = int(Qt::AltModifier | Qt::KeypadModifier);
  auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };

  row("Alt+P") << word << all << "" << int(Qt::Key_P) << int(kAlt) << "p" << "<p>Слово</p>" << "" << 0 << true;
  row("Alt+I") << word << all << "" << int(Qt::Key_I) << int(kAlt) << "i" << "<i>Слово</i>" << "" << 0 << true;
  row("Alt+B") << word << all << "" << int(Qt::Key_B) << int(kAlt) << "b" << "<b>Слово</b>" << "" << 0 << true;
  row("Alt+H") << word << all << "" << int(Qt::Key_H) << int(kAlt) << "h" << "<a href=\"\">Слово</a>" << "" << 0
               << true;
  row("Alt+N") << word << all << "" << int(Qt::Key_N) << int(kAlt) << "n" << "<a name=\"Слово\"></a>" << "" << 0
               << true;
  row("Alt+Num+") << word << all << "" << int(Qt::Key_Plus) << keypadAlt << "+"
                  << "<font size=\"+1\">Слово</font>" << "" << 0 << true;
  row("Alt+Num-") << word << all << "" << int(Qt::Key_Minus) << keypadAlt << "-"
                  << "<font size=\"-1\">Слово</font>" << "" << 0 << true;
  row("Ctrl+Alt+B") << word << all << "" << int(Qt::Key_B) << int(kCtrl | kAlt) << "\x02" << "<b>Слово</b>" << ""
                    << 0 << true;
  row("Alt+И (Russian layout)") << word << all << "" << 0x0418 << int(kAlt) << "и" << "<b>Слово</b>" << "" << 0
                                << true;
  row("Alt+B without a selection") << word << inWord << "" << int(Qt::Key_B) << int(kAlt) << "b" << word << ""
                                   << 0 << false;
  row("Alt+Num+ without a selection") << word << inWord << "" << int(Qt::Key_Plus) << keypadAlt << "+" << word
                                      << "" << 0 << false;
  row("Alt+F finds the clipboard text")
      << "один ДВА три два" << QList<int>{0, 0, 0, 0} << "два" << int(Qt::Key_F) << int(kAlt) << "f"
      << "один ДВА три два" << "ДВА" << 0 << false;
  row("Alt+F with nothing to find") << "один" << QList<int>{0, 0, 0, 0} << "пять" << int(Qt::Key_F) << int(kAlt)
                                    << "f" << "один" << "" << 0 << false;
  row("Alt+G goes to the clipboard line") << "a\r\nbcd\r\nef" << QList<int>{0, 0, 0, 0} << "1" << int(Qt::Key_G)
                                          << int(kAlt) << "g" << "a\r\nbcd\r\nef" << "" << 1 << false;
  row("Alt+G with no number") << "a\r\nbcd" << QList<int>{1, 1, 1, 1} << "нет" << int(Qt::Key_G) << int(kAlt)
                              << "g" << "a\r\nbcd" << "" << 1 << false;
  row("Alt+Right") << "a\r\nb" << QList<int>{0, 0, 1, 1} << "" << int(Qt::Key_Right) << int(kAlt) << ""
                   << "  a\r\n  b" << "  a\r\n  b" << -1 << true;
  row("Alt+Left without a selection") << "  a" << QList<int>{0, 3, 0, 3} << "" << int(Qt::Key_Left) << int(kAlt)
                                      << "" << "  a" << "" << 0 << false;
  row("Ctrl+Enter") << "ab" << QList<int>{0, 1, 0, 1} << "" << int(Qt::Key_Return) << int(kCtrl) << "\r"
                    << "a<br>b" << "" << 0 << true;
  row("Ctrl+Shift+Space") << "ab" << QList<int>{0, 1, 0, 1} << "" << int(Qt::Key_Space)
                          << int(kCtrl | Qt::ShiftModifier) << " " << "a&nbsp;b" << "" << 0 << true;
  row("Ctrl+Up") << "ёжик в тумане" << QList<int>{0, 0, 0, 4} << "" << int(Qt::Key_Up) << int(kCtrl) << ""
                 << "ЁЖИК в тумане" << "ЁЖИК" << 0 << true;
  row("Ctrl+Down") << "ЁЖИК" << QList<int>{0, 0, 0, 4} << "" << int(Qt::Key_Down) << int(kCtrl) << "" << "ёжик"
                   << "ёжик" << 0 << true;
  row("Ctrl+Down without a selection") << "a\r\nb" << QList<int>{0, 0, 0, 0} << "" << int(Qt::Key_Down)
                                       << int(kCtrl) << "" << "a\r\nb" << "" << 0 << false;
  row("Ctrl+Y") << "first\r\nsecond\r\nthird" << QList<int>{1, 3, 1, 3} << "" << int(Qt::Key_Y) << int(kCtrl)
                << "\x19" << "first\r\n\r\nthird" << "" << 1 << true;
  row("Ctrl+J") << "Center" << QList<int>{0, 6, 0, 6} << "" << int(Qt::Key_J) << int(kCtrl) << "\n"
                << "<div align=\"center\"></div>" << "" << 0 << true;
  row("Ctrl+Alt+K") << "ab" << QList<int>{0, 1, 0, 1} << "" << int(Qt::Key_K) << int(kCtrl | kAlt) << "\x0b"
                    << "ab" << "" << 0 << false;
  row("Tab") << "ab" << QList<int>{0, 1, 0, 1} << "" << int(Qt::Key_Tab) << 0 << "\t" << "a   b" << "" << 0
             << false;
  row("Delete") << "abcdef" << QList<int>{0, 1, 0, 4} << "" << int(Qt::Key_Delete) << 0 << "\x7f" << "aef" << ""
                << 0 << true;
  // Alt chords the window has no use for type nothing either.
  row("Alt+Q") << "ab" << QList<int>{0, 1, 0, 1} << "" << int(Qt::Key_Q) << int(kAlt) << "q" << "ab" << "" << 0
               << false;
  row("Alt+Ж (Russian layout)") << "ab" << QList<int>{0, 1, 0, 1} << "" << 0x0416 << int(kAlt) << "ж" << "ab" << ""
                                << 0 << false;
  // Keys of the control stay the control's.
  row("plain letter") << "ab" << QList<int>{0, 1, 0, 1} << "" << int(Qt::Key_X) << 0 << "x" << "axb" << "" << 0
                      << true;
  row("Alt+Shift+Right extends") << "ab" << QList<int>{0, 0, 0, 0} << "" << int(Qt::Key_Right)
                                 << int(kAlt | Qt::ShiftModifier) << "" << "ab" << "a" << 0 << false;
}

void DocumentKeysTest::handledKeysDoTheirWorkOnly() {
  QFETCH(QString, before);
  QFETCH(QList<int>, select);
  QFETCH(QString, clipboard);
  QFETCH(int, key);
  QFETCH(int, mods);
  QFETCH(QString, keyText);
  QFETCH(QString, after);
  QFETCH(QString, selected);
  QFETCH(int, caretLine);
  QFETCH(bool, oneUndoStep);

  doc()->templatesBox()->setCurrentText(QStringLiteral("Custom"));
  const std::string original = w1251(before.toUtf8().constData()) + "\r\n";
  ed().setText(original);
  if (select[0] == select[2] && select[1] == select[3]) control()->moveCaretTo(select[0], select[1]);
  else control()->setSelection(select[0], select[1], select[2], select[3]);
  QApplication::clipboard()->setText(clipboard);
  control()->setFocus();

  userKey(control(), key, Qt::KeyboardModifiers(mods), keyText);

  QCOMPARE(qbytes(ed().text()), qbytes(w1251(after.toUtf8().constData()) + "\r\n"));
  QCOMPARE(qbytes(ed().selectedText()), qbytes(w1251(selected.toUtf8().constData())));
  if (caretLine >= 0) QCOMPARE(control()->caretLine(), caretLine);
  if (oneUndoStep) {
    ed().undo();
    QCOMPARE(ed().text(), original);
  }
}

void DocumentKeysTest::templateChosenFromTheList_data() {
  QTest::addColumn<QString>("set");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QStringList>("offered");
  QTest::addColumn<int>("downs");      // Down presses in the list
  QTest::addColumn<QString>("choose");  // "Enter", "Tab" or "double-click"
  QTest::addColumn<QString>("after");
  QTest::addColumn<int>("caretLine");
  QTest::addColumn<int>("caretColumn");

  const QStringList custom{"HTML Base", "Center", "Font"};
  const QString center = QStringLiteral("<div align=\"center\"></div>");
  const QString font = QStringLiteral("<font size=\"+1\" color=\"black\"></font>");
  QTest::newRow("partial name, Enter") << "Custom" << "Cen" << QStringList{"Center"} << 0 << "Enter" << center << 0
                                       << 20;
  QTest::newRow("lower case partial") << "Custom" << "fo" << QStringList{"Font"} << 0 << "Enter" << font << 0 << 30;
  QTest::newRow("no word, third entry") << "Custom" << "" << custom << 2 << "Enter" << font << 0 << 30;
  QTest::newRow("after other text") << "Custom" << "<p>Ce" << QStringList{"Center"} << 0 << "Enter"
                                    << "<p>" + center << 0 << 23;
  QTest::newRow("Tab chooses, indent kept") << "Delphi" << "  if" << QStringList{"ifs", "ifb", "ife", "ifeb"} << 1
                                            << "Tab" << "  if  then\r\n  begin\r\n\r\n  end;" << 0 << 5;
  QTest::newRow("name with a space")
      << "Custom" << "HT" << QStringList{"HTML Base"} << 0 << "Enter"
      << "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\">\r\n<html>\r\n<head>\r\n"
         "<title>Untitled</title>\r\n</head>\r\n<body>\r\n\r\n</body>\r\n</html>"
      << 6 << 0;
  QTest::newRow("double-click") << "C++ Builder" << "wh" << QStringList{"while"} << 0 << "double-click"
                                << "while ()\r\n{\r\n\r\n}" << 0 << 7;
  // A word that begins no template name is not a partial name: it stays.
  QTest::newRow("unknown word stays") << "Custom" << "xyz" << custom << 1 << "Enter" << "xyz" + center << 0 << 23;
}

void DocumentKeysTest::templateChosenFromTheList() {
  QFETCH(QString, set);
  QFETCH(QString, typed);
  QFETCH(QStringList, offered);
  QFETCH(int, downs);
  QFETCH(QString, choose);
  QFETCH(QString, after);
  QFETCH(int, caretLine);
  QFETCH(int, caretColumn);

  doc()->templatesBox()->setCurrentText(set);
  ed().setText("");
  control()->setFocus();
  typeText(control(), typed);
  userKey(control(), Qt::Key_J, kCtrl, QStringLiteral("\n"));

  QVERIFY(listOpen());
  auto* list = control()->findChild<QListWidget*>();
  QVERIFY(list);
  QVERIFY(list->isVisible());
  QStringList entries;
  for (int i = 0; i < list->count(); ++i) entries << list->item(i)->text();
  QCOMPARE(entries, offered);
  QCOMPARE(qbytes(ed().text()), qbytes(documentOf(typed)));  // nothing yet

  for (int i = 0; i < downs; ++i) userKey(control(), Qt::Key_Down, Qt::NoModifier, QString());
  if (choose == QLatin1String("Enter")) {
    userKey(control(), Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  } else if (choose == QLatin1String("Tab")) {
    userKey(control(), Qt::Key_Tab, Qt::NoModifier, QStringLiteral("\t"));
  } else {
    QListWidgetItem* item = list->item(downs);
    QVERIFY(item);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
  }

  QTRY_VERIFY(!listOpen());
  QCOMPARE(qbytes(ed().text()), after.toUtf8() + "\r\n");
  QCOMPARE(control()->caretLine(), caretLine);
  QCOMPARE(control()->caretColumn(), caretColumn);
  ed().undo();
  QCOMPARE(qbytes(ed().text()), qbytes(documentOf(typed)));
}

void DocumentKeysTest::escapeClosesTheTemplateList() {
  doc()->templatesBox()->setCurrentText(QStringLiteral("Delphi"));
  ed().setText("");
  typeText(control(), QStringLiteral("for"));
  userKey(control(), Qt::Key_J, kCtrl, QStringLiteral("\n"));
  QVERIFY(listOpen());
  userKey(control(), Qt::Key_Escape, Qt::NoModifier, QStringLiteral("\x1b"));
  QVERIFY(!listOpen());
  QCOMPARE(ed().text(), std::string("for\r\n"));
  // The full name still expands straight away.
  typeText(control(), QStringLiteral("b"));
  userKey(control(), Qt::Key_J, kCtrl, QStringLiteral("\n"));
  QVERIFY(!listOpen());
  QCOMPARE(ed().text(), std::string("for  :=  to  do\r\nbegin\r\n\r\nend;\r\n"));
  QCOMPARE(control()->caretColumn(), 4);
}

QTEST_MAIN(DocumentKeysTest)
#include "test_document_keys.moc"
