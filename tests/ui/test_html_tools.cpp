// The "Web" page's buttons (left click and right-button press), the HTML
// commands of the menus, the table wizard and the web-safe picker on real
// documents, the browser preview and the search in the net.

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMouseEvent>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrlQuery>
#include <functional>

#include "core/html/web_colors.h"
#include "support/test_env.h"
#include "ui/app/main_window.h"
#include "ui/commands/command_dispatch.h"
#include "ui/commands/command_table.h"
#include "ui/common/sound_player.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"
#include "ui/html/net_search.h"
#include "ui/html/table_wizard_dialog.h"
#include "ui/html/web_safe_color_dialog.h"
#include "ui/tools/console_window.h"

using namespace kiv;

namespace {

// Scripted answers with colours for the colour dialog.
class HtmlDialogs : public ScriptedDialogs {
 public:
  std::optional<QColor> color() override {
    ++colorAsks;
    if (colors.empty()) return std::nullopt;
    auto c = colors.front();
    colors.pop_front();
    return c;
  }
  std::optional<QString> input(const QString& caption, const QString& prompt, const QString& initial) override {
    initials << initial;
    return ScriptedDialogs::input(caption, prompt, initial);
  }
  std::deque<std::optional<QColor>> colors;
  int colorAsks = 0;
  QStringList initials;
};

// Runs `act` on the modal dialog of type T once it is shown.
template <class T>
void onModal(const std::function<void(T*)>& act, int* shown = nullptr) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, act, shown] {
    auto* d = qobject_cast<T*>(QApplication::activeModalWidget());
    if (!d || !d->isVisible()) return;
    timer->stop();
    timer->deleteLater();
    if (shown) ++*shown;
    act(d);
  });
  timer->start();
}

// A mouse move or left-button release at a point of the widget.
void mouseOn(QWidget* w, QEvent::Type type, QPoint at) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(w, &e);
}

std::string be32(unsigned v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

std::string pngOf(unsigned w, unsigned h) {
  return std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR", 16) + be32(w) + be32(h) + std::string("\x08\x06\0\0\0", 5);
}

std::string gifOf(unsigned w, unsigned h) {
  std::string g = "GIF89a";
  g += std::string("\x01\0\x01\0\0\0\0", 7);
  g += ',';
  g += std::string(4, '\0');
  g += static_cast<char>(w & 0xFF);
  g += static_cast<char>(w >> 8);
  g += static_cast<char>(h & 0xFF);
  g += static_cast<char>(h >> 8);
  g += '\0';
  return g;
}

std::string jpegOf(unsigned w, unsigned h) {
  std::string j("\xFF\xD8\xFF\xE0\0\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0", 20);
  j += std::string("\xFF\xC0\0\x11\x08", 5);
  j += static_cast<char>(h >> 8);
  j += static_cast<char>(h & 0xFF);
  j += static_cast<char>(w >> 8);
  j += static_cast<char>(w & 0xFF);
  j += std::string("\x03\x01\x22\0\x02\x11\x01\x03\x11\x01", 10);
  return j;
}

}  // namespace

class HtmlToolsTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void cleanupTestCase();
  void init();
  void buttons_data();
  void buttons();
  void buttonsDoNothingWithoutADocument();
  void colorButton();
  void webSafePicker();
  void imageButton_data();
  void imageButton();
  void tableWizard_data();
  void tableWizard();
  void tableWizardOpensOnRightButtonAndShift();
  void skeleton();
  void commands_data();
  void commands();
  void commandsUndoInOneStep();
  void hyperlinkList();
  void colorSelection();
  void preview();
  void previewPassesTheFileAsOneArgument();
  void netSearchAddress_data();
  void netSearchAddress();
  void netSearchCommand();

 private:
  EditorInterface& ed() { return main_->editor(); }
  EditingControl* control() { return main_->activeDocument()->control(); }
  // A press and release on a tool button; its action may run just after.
  void click(QToolButton* b, Qt::MouseButton mouse, Qt::KeyboardModifiers mods = {}) {
    QTest::mouseClick(b, mouse, mods);
    QTest::qWait(20);
  }
  QToolButton* button(const char* name) {
    auto* b = main_->findChild<QToolButton*>(QString::fromLatin1(name));
    if (!b) qFatal("no button %s", name);
    return b;
  }
  void run(const char* component) { runCommand(*main_, *findCommand(component)); }
  // Sets the text with the caret at (line, column), or a selection of
  // line 0 from `from` to `to`.
  void prepare(const std::string& text, int from = 0, int to = -1) {
    ed().setText(text);
    ed().setModified(false);
    if (to >= 0) control()->setSelection(0, from, 0, to);
    else control()->moveCaretTo(0, from);
  }
  void closeAll() {
    for (DocumentWindow* t : ed().documents()) {
      t->control()->setModifiedFlag(false);
      t->subWindow()->close();
    }
    QVERIFY(!main_->hasDocument());
  }
  // The text without the final line break the control keeps.
  std::string body() {
    std::string t = ed().text();
    if (t.size() >= 2 && t.compare(t.size() - 2, 2, "\r\n") == 0) t.resize(t.size() - 2);
    return t;
  }

  std::unique_ptr<HtmlDialogs> dialogs_;
  std::unique_ptr<ProgramFolder> folder_;
  std::unique_ptr<MainWindow> main_;
  QTemporaryDir files_;
};

void HtmlToolsTest::initTestCase() {
  dialogs_ = std::make_unique<HtmlDialogs>();
  folder_ = std::make_unique<ProgramFolder>();
  main_ = startProgram(*folder_);
  main_->sounds().setMuted(true);
  main_->newDocument();
}

void HtmlToolsTest::cleanupTestCase() {
  for (DocumentWindow* t : main_->editor().documents()) t->control()->setModifiedFlag(false);
  main_->close();
  main_.reset();
}

void HtmlToolsTest::init() {
  if (!main_->hasDocument()) main_->newDocument();
  dialogs_->messages.clear();
  dialogs_->inputs.clear();
  dialogs_->openAnswers.clear();
  dialogs_->externals.clear();
  dialogs_->colors.clear();
  dialogs_->colorAsks = 0;
}

void HtmlToolsTest::buttons_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<int>("mouse");  // Qt::MouseButton
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QList<int>>("where");  // caret column, or selection from, to
  QTest::addColumn<QByteArray>("expected");
  const int L = Qt::LeftButton, R = Qt::RightButton;
  const QList<int> sel{2, 6}, caret{2};
  const QByteArray t("x word y");
  struct Wrap {
    const char* name;
    const char* wrapped;
    const char* empty;
  };
  const Wrap wraps[] = {
      {"bbLink", "x <a href=\"\">word</a> y", "x <a href=\"\"></a>word y"},
      {"bbTD", "x <td>word</td> y", "x <td></td>word y"},
      {"bbTR", "x <tr>word</tr> y", "x <tr></tr>word y"},
      {"BitBtn5", "x <b>word</b> y", "x <b></b>word y"},
      {"bbItalic", "x <i>word</i> y", "x <i></i>word y"},
      {"bbPara", "x <p>word</p> y", "x <p></p>word y"},
      {"bbCenter", "x <div align=\"center\">word</div> y", "x <div align=\"center\"> </div>word y"},
      {"bbLi", "x <li>word</li> y", "x <li></li>word y"},
      {"bbComment", "x <!-- word --> y", "x <!--  -->word y"},
  };
  for (const auto& w : wraps) {
    QTest::addRow("%s selection", w.name) << w.name << L << t << sel << QByteArray(w.wrapped);
    QTest::addRow("%s caret", w.name) << w.name << L << t << caret << QByteArray(w.empty);
    QTest::addRow("%s right", w.name) << w.name << R << t << sel << t;  // nothing
  }
  QTest::newRow("font selection") << "bbFont" << L << t << sel << QByteArray("x <font size=\"\" color=\"\">word</font> y");
  QTest::newRow("font whole document") << "bbFont" << L << QByteArray("a\r\nb") << caret
                                       << QByteArray("<font size=\"\" color=\"\">a\r\nb\r\n</font>");
  QTest::newRow("font right") << "bbFont" << R << t << caret
                              << QByteArray("x <font face=\"\" size=\"\" color=\"\"></font>word y");
  QTest::newRow("image right") << "bbImage" << R << t << caret
                               << QByteArray("x <img src=\"\" width=\"\" height=\"\" border=\"0\" alt=\"\">word y");
  QTest::newRow("br") << "bbBR" << L << t << caret << QByteArray("x <br>word y");
  QTest::newRow("br right") << "bbBR" << R << t << caret << t;
  QTest::newRow("br over a selection") << "bbBR" << L << t << sel << QByteArray("x <br>word y");
}

void HtmlToolsTest::buttons() {
  QFETCH(QString, name);
  QFETCH(int, mouse);
  QFETCH(QByteArray, text);
  QFETCH(QList<int>, where);
  QFETCH(QByteArray, expected);
  prepare(bytesOf(text), where[0], where.size() > 1 ? where[1] : -1);
  if (name == QLatin1String("bbBR") && where.size() > 1) control()->moveCaretTo(0, 2);
  auto* b = button(name.toLatin1().constData());
  QVERIFY(b->isEnabled());
  click(b, static_cast<Qt::MouseButton>(mouse));
  QCOMPARE(QByteArray::fromStdString(body()), expected);
  QCOMPARE(dialogs_->messages, QStringList());
  if (expected != text) {  // one undo step brings the text back
    ed().undo();
    QCOMPARE(QByteArray::fromStdString(body()), text);
  }
}

void HtmlToolsTest::buttonsDoNothingWithoutADocument() {
  closeAll();
  for (const char* name : {"bbLink", "bbFont", "bbColor", "bbImage", "bbTable", "bbDefaultTemplate", "bbTD", "bbBR",
                           "BitBtn5", "bbComment"}) {
    click(button(name), Qt::LeftButton);
    click(button(name), Qt::RightButton);
  }
  for (const char* c : {"mniStripHTML1", "mniHTMLStrip2", "mntagtometa", "mniAnHypLinx", "mniTableMaster",
                        "mniPalette", "Explorer1", "Opera1", "Netscape1", "Custom1"})
    run(c);
  QCOMPARE(dialogs_->colorAsks, 0);
  QVERIFY(dialogs_->dialogTitles.isEmpty());
  QVERIFY(dialogs_->externals.isEmpty());
  QVERIFY(dialogs_->messages.isEmpty());
  main_->newDocument();
}

void HtmlToolsTest::colorButton() {
  const struct {
    std::optional<QColor> color;
    const char* expected;
  } cases[] = {{QColor(255, 0, 0), "x#FF0000y"}, {QColor(0x12, 0xab, 0x0f), "x#12AB0Fy"}, {std::nullopt, "xy"}};
  for (const auto& c : cases) {
    prepare("xy", 1);
    dialogs_->colors.push_back(c.color);
    click(button("bbColor"), Qt::LeftButton);
    QCOMPARE(body(), std::string(c.expected));
  }
  QCOMPARE(dialogs_->colorAsks, 3);
}

void HtmlToolsTest::webSafePicker() {
  // Slot 1 gets cell 6 (#003300), then slot 2 is checked and gets cell 215;
  // OK inserts the checked slot's text.
  prepare("xy", 1);
  int shown = 0;
  onModal<WebSafeColorDialog>(
      [](WebSafeColorDialog* d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Websafe Colors"));
        QVERIFY(d->slotButton(0)->isChecked());
        for (int i = 0; i < 3; ++i) QCOMPARE(d->slotEdit(i)->text(), QStringLiteral("#000000"));
        mouseOn(d->palette(), QEvent::MouseMove, QPoint(6 * 16 + 3, 5));
        QCOMPARE(d->hoverLabel()->text(), QStringLiteral("#003300"));
        mouseOn(d->palette(), QEvent::MouseButtonRelease, QPoint(6 * 16 + 3, 5));
        QCOMPARE(d->slotEdit(0)->text(), QStringLiteral("#003300"));
        d->slotButton(1)->setChecked(true);
        mouseOn(d->palette(), QEvent::MouseButtonRelease, QPoint(250, 250));  // past the last colour
        QCOMPARE(d->slotEdit(1)->text(), QStringLiteral("#ffffff"));
        QCOMPARE(d->slotEdit(0)->text(), QStringLiteral("#003300"));
        QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Button1")), Qt::LeftButton);
      },
      &shown);
  click(button("bbColor"), Qt::RightButton);
  QCOMPARE(shown, 1);
  QCOMPARE(body(), std::string("x#ffffffy"));
  QCOMPARE(dialogs_->colorAsks, 0);

  // Cancel inserts nothing; the slots keep their colours within the run.
  onModal<WebSafeColorDialog>([](WebSafeColorDialog* d) {
    QCOMPARE(d->slotEdit(0)->text(), QStringLiteral("#003300"));
    d->slotButton(0)->setChecked(true);
    QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("Button2")), Qt::LeftButton);
  });
  click(button("bbColor"), Qt::RightButton);
  QCOMPARE(body(), std::string("x#ffffffy"));
}

void HtmlToolsTest::imageButton_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QByteArray>("bytes");
  QTest::addColumn<QByteArray>("tag");
  QTest::newRow("png") << "pic.png" << qbytes(pngOf(300, 200))
                       << QByteArray("<img src=\"pic.png\" width=\"300\" height=\"200\" border=\"0\" alt=\"\">");
  QTest::newRow("wide png") << "wide.PNG" << qbytes(pngOf(70000, 3))
                            << QByteArray("<img src=\"wide.PNG\" width=\"70000\" height=\"3\" border=\"0\" alt=\"\">");
  QTest::newRow("gif") << "a b.gif" << qbytes(gifOf(320, 240))
                       << QByteArray("<img src=\"a b.gif\" width=\"320\" height=\"240\" border=\"0\" alt=\"\">");
  QTest::newRow("jpeg") << "photo.jpeg" << qbytes(jpegOf(640, 480))
                        << QByteArray("<img src=\"photo.jpeg\" width=\"640\" height=\"480\" border=\"0\" alt=\"\">");
  QTest::newRow("jpg not a jpeg") << "fake.jpg" << QByteArray("GIF89a")
                                  << QByteArray("<img src=\"fake.jpg\" width=\"0\" height=\"0\" border=\"0\" alt=\"\">");
  QTest::newRow("bmp has no size") << "x.bmp" << QByteArray("BM")
                                   << QByteArray("<img src=\"x.bmp\" width=\"\" height=\"\" border=\"0\" alt=\"\">");
  QTest::newRow("Russian name") << QStringLiteral("рис.gif") << qbytes(gifOf(1, 2))
                                << qbytes(w1251("<img src=\"рис.gif\" width=\"1\" height=\"2\" border=\"0\" alt=\"\">"));
}

void HtmlToolsTest::imageButton() {
  QFETCH(QString, name);
  QFETCH(QByteArray, bytes);
  QFETCH(QByteArray, tag);
  const QString path = files_.filePath(name);
  writeBytes(path, bytesOf(bytes));
  prepare("xy", 1);
  dialogs_->openAnswers.push_back(QStringList{path});
  click(button("bbImage"), Qt::LeftButton);
  QCOMPARE(QByteArray::fromStdString(body()), QByteArray("x") + tag + "y");
  // Cancel inserts nothing.
  dialogs_->openAnswers.push_back(std::nullopt);
  click(button("bbImage"), Qt::LeftButton);
  QCOMPARE(QByteArray::fromStdString(body()), QByteArray("x") + tag + "y");
}

void HtmlToolsTest::tableWizard_data() {
  QTest::addColumn<int>("columns");
  QTest::addColumn<int>("rows");
  QTest::addColumn<int>("lines");
  QTest::newRow("1x1") << 1 << 1 << 5;
  QTest::newRow("3x1") << 3 << 1 << 7;
  QTest::newRow("2x3") << 2 << 3 << 14;
  QTest::newRow("limit") << 5000 << 1 << 1004;  // the boxes stop at 1000
  QTest::newRow("zero") << 0 << 0 << 5;         // and at 1
}

void HtmlToolsTest::tableWizard() {
  QFETCH(int, columns);
  QFETCH(int, rows);
  QFETCH(int, lines);
  prepare("");
  onModal<TableWizardDialog>([columns, rows](TableWizardDialog* d) {
    QCOMPARE(d->windowTitle(), QStringLiteral("tablewizard"));
    d->columnsBox()->setValue(columns);
    d->rowsBox()->setValue(rows);
    QCOMPARE(d->grid()->columnCount(), d->columnsBox()->value());
    QCOMPARE(d->grid()->rowCount(), d->rowsBox()->value());
    QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
  });
  click(button("bbTable"), Qt::LeftButton);
  QStringList got = QString::fromLatin1(body()).split(QStringLiteral("\r\n"));
  while (!got.isEmpty() && got.last().isEmpty()) got.removeLast();
  QCOMPARE(got.size(), lines);
  QCOMPARE(got.first(), QStringLiteral("<table>"));
  QCOMPARE(got.last(), QStringLiteral("</table>"));
  QCOMPARE(got.count(QStringLiteral("<tr>")), std::clamp(rows, 1, 1000));
  QCOMPARE(got.count(QStringLiteral("<td> </td>")), std::clamp(rows, 1, 1000) * std::clamp(columns, 1, 1000));
  if (columns == 3 && rows == 1)
    QCOMPARE(got, QStringList({"<table>", "<tr>", "<td> </td>", "<td> </td>", "<td> </td>", "</tr>", "</table>"}));

  // The counts stay for the next use; Cancel inserts nothing.
  onModal<TableWizardDialog>([columns](TableWizardDialog* d) {
    QCOMPARE(d->columnsBox()->value(), std::clamp(columns, 1, 1000));
    QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("BitBtn2")), Qt::LeftButton);
  });
  prepare("z");
  click(button("bbTable"), Qt::LeftButton);
  QCOMPARE(body(), std::string("z"));
}

void HtmlToolsTest::tableWizardOpensOnRightButtonAndShift() {
  const struct {
    const char* how;
    std::function<void(HtmlToolsTest*)> act;
    bool selection;
    int opened;
  } cases[] = {
      {"right button", [](HtmlToolsTest* t) { t->click(t->button("bbTable"), Qt::RightButton); }, false, 1},
      {"shift + left", [](HtmlToolsTest* t) { t->click(t->button("bbTable"), Qt::LeftButton, Qt::ShiftModifier); },
       false, 1},
      {"menu with a selection", [](HtmlToolsTest* t) { t->run("mniTableMaster"); }, true, 1},
      {"menu without a selection", [](HtmlToolsTest* t) { t->run("mniTableMaster"); }, false, 0},
  };
  for (const auto& c : cases) {
    prepare("abc", 0, c.selection ? 1 : -1);
    int shown = 0;
    onModal<TableWizardDialog>(
        [](TableWizardDialog* d) {
          d->columnsBox()->setValue(1);
          d->rowsBox()->setValue(1);
          d->accept();
        },
        &shown);
    c.act(this);
    QTest::qWait(50);
    QVERIFY2(shown == c.opened, c.how);
    // The table goes in at the caret; the selected text stays.
    std::string text = body();
    const std::string table = "<table>\r\n<tr>\r\n<td> </td>\r\n</tr>\r\n</table>\r\n";
    if (c.opened) {
      QVERIFY2(text.find(table) != std::string::npos, c.how);
      text.erase(text.find(table), table.size());
    }
    QVERIFY2(text == "abc", c.how);
    if (!shown) {  // stop the waiting timer by showing the dialog once
      auto* d = TableWizardDialog::of(main_.get());
      QTimer::singleShot(0, d, &QDialog::reject);
      d->exec();
    }
  }
}

void HtmlToolsTest::skeleton() {
  prepare("ab", 1);
  click(button("bbDefaultTemplate"), Qt::LeftButton);
  const std::string file = readBytes(folder_->file(QStringLiteral("Engine/Templates/defaulthtml.htm")));
  QVERIFY(file.find("<html>") != std::string::npos);
  QCOMPARE(body(), "a" + file + "b");
  click(button("bbDefaultTemplate"), Qt::RightButton);  // nothing
  QCOMPARE(body(), "a" + file + "b");

  QFile::remove(folder_->file(QStringLiteral("Engine/Templates/defaulthtml.htm")));
  prepare("ab", 1);
  click(button("bbDefaultTemplate"), Qt::LeftButton);
  QCOMPARE(body(), std::string("ab"));
  QCOMPARE(dialogs_->messages.size(), 1);
  QVERIFY(dialogs_->messages[0].startsWith(QStringLiteral("Cannot open file ")));
  writeBytes(folder_->file(QStringLiteral("Engine/Templates/defaulthtml.htm")), file);
}

void HtmlToolsTest::commands_data() {
  QTest::addColumn<QString>("component");
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<QList<int>>("selection");  // from, to on line 0; empty: none
  QTest::addColumn<QByteArray>("expected");
  const QList<int> none;
  QTest::newRow("strip") << "mniStripHTML1" << QByteArray("a<b>c</b>d") << none << QByteArray("acd");
  QTest::newRow("strip nested") << "mniStripHTML1" << QByteArray("<<b>>x") << none << QByteArray(">x");
  QTest::newRow("strip open tag") << "mniStripHTML1" << QByteArray("x<b y") << none << QByteArray("x");
  QTest::newRow("strip selection") << "mniStripHTML1" << QByteArray("<i>a</i><b>c</b>") << QList<int>{0, 8}
                                   << QByteArray("a<b>c</b>");
  QTest::newRow("strip 2 entities") << "mniHTMLStrip2" << QByteArray("&lt;p&gt;x") << none << QByteArray("x");
  QTest::newRow("strip 2 stray") << "mniHTMLStrip2" << QByteArray("x > y") << none << QByteArray("x  y");
  QTest::newRow("strip 2 nested") << "mniHTMLStrip2" << QByteArray("<a<b>c>d&amp;") << none << QByteArray("d&");
  QTest::newRow("strip 2 malformed") << "mniHTMLStrip2" << QByteArray("x><b>y<") << none << QByteArray("xy");
  QTest::newRow("strip 2 Russian") << "mniHTMLStrip2" << qbytes(w1251("<p>Привет</p>")) << none
                                   << qbytes(w1251("Привет"));
  QTest::newRow("escape") << "mntagtometa" << QByteArray("<b>x</b>") << QList<int>{0, 3} << QByteArray("&lt;b>x</b>");
  QTest::newRow("escape keeps & and >") << "mntagtometa" << QByteArray("a<&>") << QList<int>{0, 4}
                                        << QByteArray("a&lt;&>");
  QTest::newRow("escape needs a selection") << "mntagtometa" << QByteArray("<b>") << none << QByteArray("<b>");
}

void HtmlToolsTest::commands() {
  QFETCH(QString, component);
  QFETCH(QByteArray, text);
  QFETCH(QList<int>, selection);
  QFETCH(QByteArray, expected);
  prepare(bytesOf(text), selection.isEmpty() ? 0 : selection[0], selection.isEmpty() ? -1 : selection[1]);
  run(component.toLatin1().constData());
  QCOMPARE(QByteArray::fromStdString(body()), expected);
}

void HtmlToolsTest::commandsUndoInOneStep() {
  for (const char* c : {"mniStripHTML1", "mniHTMLStrip2", "mntagtometa"}) {
    prepare("<p>a</p>\r\n<b>b</b>", 0, 8);
    run(c);
    QVERIFY(body() != "<p>a</p>\r\n<b>b</b>");
    ed().undo();
    QCOMPARE(body(), std::string("<p>a</p>\r\n<b>b</b>"));
  }
}

void HtmlToolsTest::hyperlinkList() {
  auto* console = main_->tools().get<ConsoleWindow>(QStringLiteral("ConsoleWindow"));
  console->clear();
  prepare(w1251("<A title=\"t\" HREF=\"a.htm\">x</A>\r\n<a href='б.htm'><a href=c.htm><a href><a name=\"n\">"));
  run("mniAnHypLinx");
  QVERIFY(console->isVisible());
  QCOMPARE(console->text(), QStringLiteral("con> a.htm\ncon> б.htm\ncon> c.htm\ncon> Всего 3 ссылок"));
  // Only the selection counts when there is one.
  console->clear();
  control()->setSelection(0, 0, 0, 5);
  run("mniAnHypLinx");
  QCOMPARE(console->text(), QStringLiteral("con> Всего 0 ссылок"));
  console->close();
}

void HtmlToolsTest::colorSelection() {
  const struct {
    bool selection;
    std::optional<QColor> color;
    const char* expected;
    int asks;
  } cases[] = {
      {true, QColor(255, 0, 0), "x <font color=\"#FF0000\">word</font> y", 1},
      {true, QColor(0, 128, 255), "x <font color=\"#0080FF\">word</font> y", 1},
      {true, std::nullopt, "x word y", 1},
      {false, QColor(255, 0, 0), "x word y", 0},  // needs a selection
  };
  for (const auto& c : cases) {
    prepare("x word y", 2, c.selection ? 6 : -1);
    dialogs_->colorAsks = 0;
    dialogs_->colors = {c.color};
    run("mniPalette");
    QCOMPARE(body(), std::string(c.expected));
    QCOMPARE(dialogs_->colorAsks, c.asks);
  }
}

void HtmlToolsTest::preview() {
  Settings& s = main_->settings();
  const QString path = files_.filePath(QStringLiteral("page one.htm"));
  writeBytes(path, "<p>old</p>");

  // A new document without a file shows nothing, even with autosave.
  s.saveBeforePreview = true;
  prepare("<p>x</p>");
  for (const char* c : {"Explorer1", "Opera1", "Netscape1", "Custom1"}) run(c);
  click(button("bbPreview"), Qt::LeftButton);
  QVERIFY(dialogs_->externals.isEmpty());
  QVERIFY(dialogs_->messages.isEmpty());

  QVERIFY(main_->openFile(path));
  const struct {
    const char* command;
    std::string path;
    const char* external;  // what was started, "" for nothing
    const char* message;
  } cases[] = {
      {"Explorer1", "sh", "/sh ", ""},
      {"Opera1", "/bin/sh", "/bin/sh ", ""},
      {"Netscape1", "sh", "/sh ", ""},
      {"Custom1", "", "file://", ""},  // the desktop's browser
      {"Explorer1", "no-such-browser-kiv", "", "Путь к браузеру no-such-browser-kiv ошибочен!"},
      {"Custom1", "/nonexistent/browser", "", "Путь к браузеру /nonexistent/browser ошибочен!"},
      {"Netscape1", "/etc/passwd", "", "Путь к браузеру /etc/passwd ошибочен!"},  // not a program
  };
  s.saveBeforePreview = false;
  for (const auto& c : cases) {
    dialogs_->externals.clear();
    dialogs_->messages.clear();
    s.browsers.explorerPath = s.browsers.operaPath = s.browsers.netscapePath = s.browsers.customPath = c.path;
    run(c.command);
    if (*c.external) {
      QCOMPARE(dialogs_->externals.size(), 1);
      QVERIFY2(dialogs_->externals[0].contains(QString::fromUtf8(c.external)), qPrintable(dialogs_->externals[0]));
      QVERIFY2(dialogs_->externals[0].endsWith(QStringLiteral("page%20one.htm")) ||
                   dialogs_->externals[0].endsWith(path),
               qPrintable(dialogs_->externals[0]));
    } else {
      QVERIFY(dialogs_->externals.isEmpty());
    }
    QCOMPARE(dialogs_->messages, *c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList());
  }

  // The Preview button runs "Explorer"; with autosave off the file on disk
  // is not touched, with it on the document is saved first.
  s.browsers.explorerPath = "sh";
  ed().setText("<p>new</p>");
  dialogs_->externals.clear();
  click(button("bbPreview"), Qt::LeftButton);
  QCOMPARE(dialogs_->externals.size(), 1);
  QCOMPARE(readBytes(path), std::string("<p>old</p>"));
  s.saveBeforePreview = true;
  run("Explorer1");
  QCOMPARE(dialogs_->externals.size(), 2);
  QVERIFY(readBytes(path).find("<p>new</p>") != std::string::npos);
  s.saveBeforePreview = false;
  closeAll();
}

void HtmlToolsTest::previewPassesTheFileAsOneArgument() {
  // A real program as the browser: it writes its argument count and first
  // argument to a file.
  const QString out = files_.filePath(QStringLiteral("args.txt"));
  const QString browser = files_.filePath(QStringLiteral("fake browser.sh"));
  writeBytes(browser, "#!/bin/sh\nprintf '%s|%s' \"$#\" \"$1\" > '" + out.toStdString() + ".tmp'\nmv '" +
                          out.toStdString() + ".tmp' '" + out.toStdString() + "'\n");
  QFile::setPermissions(browser, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  const QString page = files_.filePath(QStringLiteral("it's a \"page\" & more.htm"));
  writeBytes(page, "<p>x</p>");
  QVERIFY(main_->openFile(page));
  main_->settings().browsers.customPath = browser.toStdString();
  setDialogScript(nullptr);
  run("Custom1");
  setDialogScript(dialogs_.get());
  QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(out), 10000);
  QCOMPARE(QString::fromStdString(readBytes(out)), QStringLiteral("1|") + page);
  closeAll();
}

void HtmlToolsTest::netSearchAddress_data() {
  QTest::addColumn<QString>("query");
  QTest::addColumn<QString>("encoded");
  QTest::newRow("plain") << "kiv" << "q=kiv";
  QTest::newRow("space") << "a b" << "q=a%20b";
  QTest::newRow("delimiters") << "a&b#c+d=e?" << "q=a%26b%23c%2Bd%3De%3F";
  QTest::newRow("Cyrillic") << QStringLiteral("ёж") << "q=%D1%91%D0%B6";
  QTest::newRow("percent") << "100%" << "q=100%25";
  QTest::newRow("empty") << "" << "q=";
  QTest::newRow("null") << QString() << "q=";
}

void HtmlToolsTest::netSearchAddress() {
  QFETCH(QString, query);
  QFETCH(QString, encoded);
  const QUrl url = netSearchUrl(query);
  QCOMPARE(url.scheme(), QStringLiteral("https"));
  QCOMPARE(url.path(), QStringLiteral("/search"));
  QCOMPARE(url.query(QUrl::FullyEncoded), encoded);
  // The engine decodes the item back to the query.
  QCOMPARE(QUrlQuery(url.query(QUrl::FullyEncoded)).queryItemValue(QStringLiteral("q"), QUrl::FullyDecoded), query);
}

void HtmlToolsTest::netSearchCommand() {
  // Cancel starts nothing; the box shows the selection; an empty answer
  // still searches.
  prepare(w1251("x ёжик y"), 2, 6);
  dialogs_->inputs = {std::nullopt, QStringLiteral("a&b"), QString()};
  run("mniFindInNet");
  QVERIFY(dialogs_->externals.isEmpty());
  QCOMPARE(dialogs_->prompts.last(), QStringLiteral("Вопрос!|Что будем искать? "));
  QCOMPARE(dialogs_->initials.last(), QStringLiteral("ёжик"));
  run("mniFindInNet");
  QCOMPARE(dialogs_->externals.size(), 1);
  QVERIFY(dialogs_->externals[0].startsWith(QStringLiteral("https://")));
  QVERIFY(dialogs_->externals[0].endsWith(QStringLiteral("/search?q=a%26b")));
  closeAll();
  run("mniFindInNet");  // needs no document
  QCOMPARE(dialogs_->externals.size(), 2);
  QVERIFY2(dialogs_->externals[1].endsWith(QStringLiteral("/search?q=")), qPrintable(dialogs_->externals[1]));
  main_->newDocument();
}

QTEST_MAIN(HtmlToolsTest)
#include "test_html_tools.moc"
