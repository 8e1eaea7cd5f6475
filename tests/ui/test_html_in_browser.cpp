// The HTML the program writes, read by a real browser engine: headless
// Chromium loads each page with a probe script and reports the text it
// renders and the shape of its tables. Skipped when Chromium is not
// installed (Debian package "chromium").

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMdiSubWindow>
#include <QProcess>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include "support/test_env.h"
#include "ui/app/main_window.h"
#include "ui/commands/command_dispatch.h"
#include "ui/commands/command_table.h"
#include "ui/common/qt_text.h"
#include "ui/common/sound_player.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"
#include "ui/html/table_wizard_dialog.h"

using namespace kiv;

namespace {

// Appended to a copy of the page: the body's rendered text, the text of
// the first <pre>, each table's cell count per row and each font's colour.
const char kProbe[] = R"(<script>
(function () {
  var pre = document.querySelector('pre');
  var tables = [];
  document.querySelectorAll('table').forEach(function (t) {
    var rows = [];
    for (var i = 0; i < t.rows.length; ++i) rows.push(t.rows[i].cells.length);
    tables.push(rows);
  });
  var fonts = [];
  document.querySelectorAll('font').forEach(function (f) { fonts.push(getComputedStyle(f).color); });
  var out = [document.body.innerText, pre ? pre.innerText : null, tables, fonts, document.title];
  var p = document.createElement('div');
  p.id = 'kivprobe';
  p.textContent = JSON.stringify(out);
  document.documentElement.appendChild(p);
})();
</script>
)";

struct Rendered {
  QString bodyText;
  QString preText;
  QList<QList<int>> tables;
  QStringList fontColors;
  QString title;
};

QString chromium() {
  for (const char* name : {"chromium", "chromium-browser", "google-chrome"}) {
    const QString p = QStandardPaths::findExecutable(QString::fromLatin1(name));
    if (!p.isEmpty()) return p;
  }
  return {};
}

QString unescapeHtml(QString s) {
  s.replace(QLatin1String("&lt;"), QLatin1String("<"));
  s.replace(QLatin1String("&gt;"), QLatin1String(">"));
  s.replace(QLatin1String("&quot;"), QLatin1String("\""));
  s.replace(QLatin1String("&nbsp;"), QString(QChar(0xA0)));
  s.replace(QLatin1String("&amp;"), QLatin1String("&"));
  return s;
}

// Loads the page's bytes in Chromium; fails the test on a browser error.
std::optional<Rendered> render(const QString& browser, const QString& folder, const std::string& page) {
  const QString file = folder + QStringLiteral("/page.htm");
  writeBytes(file, page + kProbe);
  QProcess p;
  p.setProcessChannelMode(QProcess::SeparateChannels);
  p.start(browser, {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                    QStringLiteral("--no-first-run"), QStringLiteral("--disable-dev-shm-usage"),
                    QStringLiteral("--user-data-dir=") + folder + QStringLiteral("/profile"),
                    QStringLiteral("--dump-dom"), QUrl::fromLocalFile(file).toString()});
  if (!p.waitForFinished(120000)) {
    p.kill();
    p.waitForFinished();
    qWarning("Chromium did not finish");
    return std::nullopt;
  }
  const QString dom = QString::fromUtf8(p.readAllStandardOutput());
  const QString open = QStringLiteral("<div id=\"kivprobe\">");
  const qsizetype at = dom.indexOf(open);
  if (at < 0) {
    qWarning("no probe in the DOM: %s", qPrintable(QString::fromUtf8(p.readAllStandardError()).left(2000)));
    return std::nullopt;
  }
  const qsizetype end = dom.indexOf(QStringLiteral("</div>"), at);
  const QString json = unescapeHtml(dom.mid(at + open.size(), end - at - open.size()));
  const QJsonArray a = QJsonDocument::fromJson(json.toUtf8()).array();
  if (a.size() != 5) return std::nullopt;
  Rendered r;
  r.bodyText = a[0].toString();
  r.preText = a[1].toString();
  for (const auto& t : a[2].toArray()) {
    QList<int> rows;
    for (const auto& n : t.toArray()) rows << n.toInt();
    r.tables << rows;
  }
  for (const auto& c : a[3].toArray()) r.fontColors << c.toString();
  r.title = a[4].toString();
  return r;
}

}  // namespace

class HtmlInBrowserTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void cleanupTestCase();
  void skeletonWithTablesAndTags();
  void exportedPages_data();
  void exportedPages();

 private:
  EditorInterface& ed() { return main_->editor(); }
  EditingControl* control() { return main_->activeDocument()->control(); }
  QToolButton* button(const char* name) { return main_->findChild<QToolButton*>(QString::fromLatin1(name)); }

  QString browser_;
  QTemporaryDir work_;
  std::unique_ptr<ScriptedDialogs> dialogs_;
  std::unique_ptr<ProgramFolder> folder_;
  std::unique_ptr<MainWindow> main_;
};

void HtmlInBrowserTest::initTestCase() {
  browser_ = chromium();
  if (browser_.isEmpty())
    QSKIP("Chromium is not installed (apt-get install chromium): the pages are not checked in a browser");
  dialogs_ = std::make_unique<ScriptedDialogs>();
  folder_ = std::make_unique<ProgramFolder>();
  main_ = startProgram(*folder_);
  main_->sounds().setMuted(true);
}

void HtmlInBrowserTest::cleanupTestCase() {
  if (!main_) return;
  for (DocumentWindow* t : main_->editor().documents()) t->control()->setModifiedFlag(false);
  main_->close();
  main_.reset();
}

void HtmlInBrowserTest::skeletonWithTablesAndTags() {
  // A page made with the Web buttons: the skeleton, then inside its body a
  // 3 × 2 and a 1 × 1 table, a bold word, an escaped tag and a web-safe
  // coloured word.
  main_->newDocument();
  QTest::mouseClick(button("bbDefaultTemplate"), Qt::LeftButton);
  int bodyLine = -1;
  for (int i = 0; i < control()->lines(); ++i)
    if (control()->text(i).startsWith(QLatin1String("<body"))) bodyLine = i + 1;
  QVERIFY(bodyLine > 0);
  for (const auto& [columns, rows] : {std::pair{1, 1}, std::pair{3, 2}}) {
    control()->moveCaretTo(bodyLine, 0);
    QTimer::singleShot(0, main_.get(), [this, c = columns, r = rows] {
      auto* d = TableWizardDialog::of(main_.get());
      d->columnsBox()->setValue(c);
      d->rowsBox()->setValue(r);
      d->accept();
    });
    QTest::mouseClick(button("bbTable"), Qt::LeftButton);
  }
  control()->moveCaretTo(bodyLine, 0);
  ed().insertLines({"<p>word & <b>bold</b> <x>tag</x></p>"});
  control()->setSelection(bodyLine, 22, bodyLine, 25);  // "<x>"
  runCommand(*main_, *findCommand("mntagtometa"));
  control()->moveCaretTo(bodyLine + 1, 0);
  ed().insertLines({"<font color=\"#003300\">green</font>"});

  const auto r = render(browser_, work_.path(), ed().text());
  QVERIFY(r);
  QCOMPARE(r->tables, (QList<QList<int>>{{3, 3}, {1}}));
  QVERIFY2(r->bodyText.contains(QStringLiteral("word & bold <x>tag")), qPrintable(r->bodyText));
  QVERIFY(r->bodyText.contains(QStringLiteral("green")));
  QCOMPARE(r->fontColors, QStringList{QStringLiteral("rgb(0, 51, 0)")});
  QCOMPARE(r->title, QString());
}

void HtmlInBrowserTest::exportedPages_data() {
  QTest::addColumn<QString>("charset");
  QTest::addColumn<QString>("text");
  QTest::newRow("markup characters") << "win" << QStringLiteral("a < b && c > d \"q\"\r\n<b>not bold</b>\r\n");
  QTest::newRow("Russian 1251") << "win" << QStringLiteral("Привет, мир! Ёё\r\n\tтаб\r\n");
  QTest::newRow("Russian koi") << "koi" << QStringLiteral("Съешь же ещё этих мягких булок\r\n");
  QTest::newRow("Russian dos") << "dos" << QStringLiteral("Щука & ёж <\r\n");
}

void HtmlInBrowserTest::exportedPages() {
  QFETCH(QString, charset);
  QFETCH(QString, text);
  main_->newDocument();
  ed().setCharset(charset.toStdString());
  ed().setText(encodeText(text, charset.toStdString()));
  const QString file = work_.filePath(QStringLiteral("export.htm"));
  ed().exportAs(file.toStdString(), "HTML");
  const auto r = render(browser_, work_.path(), readBytes(file));
  QVERIFY(r);
  QString expected = text;
  expected.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  QString shown = r->preText;
  if (!shown.endsWith(QLatin1Char('\n'))) shown += QLatin1Char('\n');
  QCOMPARE(shown, expected);
  QVERIFY(r->tables.isEmpty());
  control()->setModifiedFlag(false);
  main_->activeDocument()->subWindow()->close();
}

QTEST_MAIN(HtmlInBrowserTest)
#include "test_html_in_browser.moc"
