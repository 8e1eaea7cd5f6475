// The options window and the display styles: every control of the option
// table stores its setting at once, reaches the open documents, and writes
// kiv.ini at once only where it should; the colour lists' buttons; the
// thirteen styles; what survives a restart.

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFontDatabase>
#include <QFontComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>

#include "core/appearance/color_files.h"
#include "core/appearance/display_styles.h"
#include "core/config/ini_file.h"
#include "core/config/settings_table.h"
#include "core/filetypes/file_types.h"
#include "support/test_env.h"
#include "ui/app/main_window.h"
#include "ui/commands/command_table.h"
#include "ui/common/font_fallback.h"
#include "ui/common/qt_text.h"
#include "ui/common/sound_player.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"
#include "ui/options/color_button.h"
#include "ui/options/option_rows.h"
#include "ui/options/options_dialog.h"
#include "ui/plugins/plugin_manager.h"

using namespace kiv;

namespace {

// A setting's value as kiv.ini would spell it.
std::string spelled(const SettingKey& key, Configuration& cfg) {
  IniFile tmp;
  tmp.setAutoFlush(false);
  writeSetting(tmp, key, key.key, cfg);
  return tmp.readString(key.section, key.key, "");
}

std::string iniValue(const ProgramFolder& f, const SettingKey& key) {
  IniFile ini(f.file(QStringLiteral("kiv.ini")).toStdString());
  return ini.readString(key.section, key.key, "<none>");
}

std::pair<int, int> limits(const SettingKey& k) {
  if (auto* i = std::get_if<IntKey>(&k.type)) return {i->min, i->max};
  if (auto* b = std::get_if<ByteKey>(&k.type)) return {b->min, b->max};
  return {0, 0};
}

}  // namespace

class OptionsTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { s_.start(); }
  void cleanup() { s_.stop(); }
  void everyRowStoresAppliesAndWritesAtOnceOnlyWhereItShould();
  void everyRowHasAKeyAndALimitTheReaderKeeps();
  void pagesOpenWithTodaysValues();
  void rightMarginTenBecomesEleven();
  void blockIndentThatIsNotANumberKeepsTheOldValue();
  void intervalAloneLeavesTheTimerLinesChangeIt();
  void recentCountDropsTheOldestAtOnce();
  void gutterColourSwitchesToPlainFill();
  void optionsCommandTogglesAndOkRestartsScrolling();
  void schemeNewRenameSaveClickAndDelete();
  void renameRefusesNamesLeavingTheFolder_data();
  void renameRefusesNamesLeavingTheFolder();
  void deleteKeepsTheFileUnlessYes();
  void gradientPresetSetsTheTextAreaGradient();
  void browserColourFileSetsTheThreeColours();
  void everyStyleRecoloursEveryDocument();
  void styleWithoutDocumentsStoresOnly();
  void styleShowsOnScreen();
  void changesSurviveARestart();
  void wallpaperTakesEveryPictureFormat_data();
  void wallpaperTakesEveryPictureFormat();
  void missingFontsFallBackToFixedCyrillic();
  void pluginPageFollowsTheRegistry();
  void fileTypesListFollowsTheTable();
  void noCommandIsAPlaceholder();

 private:
  MainWindow& main() { return *s_.main; }
  OptionsDialog& dialog() { return optionsDialog(main()); }
  void checkDocuments(OptionEffect effect);
  ProgramSession s_;
};

void OptionsTest::checkDocuments(OptionEffect effect) {
  const Settings& t = main().settings();
  for (DocumentWindow* d : main().editor().documents()) {
    EditingControl* c = d->control();
    switch (effect) {
      case OptionEffect::Margin:
        QCOMPARE(c->rightMarginColumn(), t.rightMargin);
        break;
      case OptionEffect::LineNumbers: QCOMPARE(c->showLineNumbers(), t.showLineNumbers); break;
      case OptionEffect::SyntaxHighlight: QCOMPARE(c->syntaxColoring(), t.syntaxHighlight); break;
      case OptionEffect::BlockIndent: QCOMPARE(c->blockIndent(), t.blockIndent); break;
      case OptionEffect::LineSeparators: QCOMPARE(c->separatorLines(), t.separatorLines); break;
      case OptionEffect::Colors:
        QCOMPARE(c->textColor(), t.textColor);
        QCOMPARE(c->paperColor(), t.backgroundColor);
        QCOMPARE(c->selectionTextColor(), t.selectionTextColor);
        QCOMPARE(c->selectionPaperColor(), t.selectionBackgroundColor);
        break;
      case OptionEffect::CharsetFontSizes: QCOMPARE(c->documentFontSize(), int(t.winFontSize)); break;
      case OptionEffect::Gutter: QCOMPARE(c->gutterWidthPx(), t.gutterFill.width); break;
      default: break;
    }
  }
  switch (effect) {
    case OptionEffect::AutoScrollActive: QCOMPARE(main().autoScrollTimer()->isActive(), t.autoScroll); break;
    case OptionEffect::RecentCount: QCOMPARE(main().recent().capacity(), t.recentFilesCount); break;
    case OptionEffect::Transliteration:
      QCOMPARE(std::string(shchaModeName(main().transliterator().shchaMode())), t.shchaMode);
      break;
    default: break;
  }
}

void OptionsTest::everyRowStoresAppliesAndWritesAtOnceOnlyWhereItShould() {
  main().newDocument();
  main().newDocument();
  // A picture that loads, so that choosing a wallpaper keeps it.
  const QString picture = s_.folder->file(QStringLiteral("paper.png"));
  QImage image(8, 8, QImage::Format_RGB32);
  image.fill(Qt::yellow);
  QVERIFY(image.save(picture));
  main().settings().textAreaFill.picture = main().settings().gutterFill.picture = u8(picture);
  OptionsDialog& d = dialog();
  d.show();
  Configuration& cfg = main().config();
  const QString iniPath = s_.folder->file(QStringLiteral("kiv.ini"));
  for (const OptionRow& row : optionRows()) {
    const SettingKey* key = findSetting(row.section, row.key);
    QVERIFY2(key, row.name);
    QWidget* w = d.control(row.name);
    QVERIFY2(w, row.name);
    const std::string before = spelled(*key, cfg);
    QFile f(iniPath);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray iniBefore = f.readAll();
    f.close();
    std::string expected;
    switch (row.control) {
      case OptionControl::Check: {
        auto* c = qobject_cast<QCheckBox*>(w);
        c->click();
        expected = c->isChecked() ? "1" : "0";
        break;
      }
      case OptionControl::Radio: {
        // A radio button of the key that is not the current value.
        if (before == row.choices) continue;
        qobject_cast<QRadioButton*>(w)->click();
        expected = row.choices;
        break;
      }
      case OptionControl::Spin: {
        auto* s = qobject_cast<QSpinBox*>(w);
        const auto [lo, hi] = limits(*key);
        QCOMPARE(s->minimum(), lo);
        QCOMPARE(s->maximum(), hi);
        int v = s->value() < hi ? s->value() + 1 : s->value() - 1;
        if (row.key == "RMargin" && v == 10) v = 12;
        s->setValue(v);
        expected = std::to_string(v);
        break;
      }
      case OptionControl::IntText: {
        auto* e = qobject_cast<QLineEdit*>(w);
        const int v = e->text().toInt() == 4 ? 5 : 4;
        e->setText(QString::number(v));
        emit e->editingFinished();
        expected = std::to_string(v);
        break;
      }
      case OptionControl::Text:
        QTest::keyClicks(qobject_cast<QLineEdit*>(w), QStringLiteral("x"));
        expected = before + "x";
        break;
      case OptionControl::File:
      case OptionControl::Folder:
        w->findChild<QLineEdit*>()->setText(QStringLiteral("/opt/Мои программы/") + QString::fromLatin1(row.name));
        expected = std::string("/opt/Мои программы/") + row.name;
        break;
      case OptionControl::Color: {
        auto* b = qobject_cast<ColorButton*>(w);
        const int v = b->color() ^ 0x123456;
        b->setColor(v);
        expected = std::to_string(v);
        break;
      }
      case OptionControl::Font: {
        auto* c = qobject_cast<QFontComboBox*>(w);
        c->setEditText(QStringLiteral("Kiv Test Font"));
        expected = "Kiv Test Font";
        break;
      }
      case OptionControl::Choice: {
        auto* c = qobject_cast<QComboBox*>(w);
        c->setCurrentIndex((c->currentIndex() + 1) % c->count());
        expected = u8(c->currentData().toString());
        break;
      }
    }
    QVERIFY2(expected != before, row.name);
    const std::string got = spelled(*key, cfg);
    QVERIFY2(got == expected, qPrintable(QStringLiteral("%1: %2 instead of %3").arg(row.name, qs(got), qs(expected))));
    checkDocuments(row.effect);
    if (row.writeAtOnce) {
      QCOMPARE(iniValue(*s_.folder, *key), expected);
    } else {
      QVERIFY(f.open(QIODevice::ReadOnly));
      QVERIFY2(f.readAll() == iniBefore, row.name);
      f.close();
    }
  }
}

void OptionsTest::everyRowHasAKeyAndALimitTheReaderKeeps() {
  // Every number box takes exactly the limits that reading kiv.ini applies:
  // a value at either end survives a write and a read unchanged.
  for (const OptionRow& row : optionRows()) {
    const SettingKey* key = findSetting(row.section, row.key);
    QVERIFY2(key, row.name);
    if (row.control != OptionControl::Spin) continue;
    const auto [lo, hi] = limits(*key);
    QVERIFY2(lo <= hi, row.name);
    for (int v : {lo, hi}) {
      IniFile ini;
      ini.setAutoFlush(false);
      ini.writeInteger(key->section, key->key, v);
      Configuration c;
      QVERIFY2(!readSetting(ini, *key, c), row.name);
      QCOMPARE(spelled(*key, c), std::to_string(v));
    }
  }
}

void OptionsTest::pagesOpenWithTodaysValues() {
  Settings& t = main().settings();
  t.spacesPerTab = 7;
  t.gutterFill.gradientMode = 2;
  t.textAreaFill.gradientMode = 1;
  t.rightMargin = 99;
  t.shchaMode = "Shch";
  t.backgroundColor = 0x010203;
  t.versions.targetCharset = "koi";
  OptionsDialog& d = dialog();
  d.show();
  QCOMPARE(qobject_cast<QSpinBox*>(d.control("spTabsCount"))->value(), 7);
  QCOMPARE(qobject_cast<QComboBox*>(d.control("lbGutterGradMode"))->currentText(), QStringLiteral("Горизонтальный"));
  QCOMPARE(qobject_cast<QComboBox*>(d.control("cbFillGradMode"))->currentText(), QStringLiteral("Вертикальный"));
  QCOMPARE(qobject_cast<QSpinBox*>(d.control("Edit1"))->value(), 99);
  QCOMPARE(qobject_cast<QComboBox*>(d.control("cbShya"))->currentText(), QStringLiteral("Shch"));
  QCOMPARE(qobject_cast<ColorButton*>(d.control("cpBackColor"))->color(), 0x010203);
  QVERIFY(qobject_cast<QRadioButton*>(d.control("rbKOI"))->isChecked());
  QVERIFY(!qobject_cast<QRadioButton*>(d.control("rbWin"))->isChecked());
  // The shipped colour files are offered.
  QVERIFY(!d.schemes()->findItems(QStringLiteral("Классика.pal"), Qt::MatchExactly).isEmpty());
  QVERIFY(!d.gradients()->findItems(QStringLiteral("Закат.grd"), Qt::MatchExactly).isEmpty());
  QVERIFY(d.browserColorFiles()->findText(QStringLiteral("Ночь")) >= 0);
  // Shown again after a change elsewhere: the new value.
  d.hide();
  t.spacesPerTab = 5;
  d.show();
  QCOMPARE(qobject_cast<QSpinBox*>(d.control("spTabsCount"))->value(), 5);
}

void OptionsTest::rightMarginTenBecomesEleven() {
  main().newDocument();
  auto* box = qobject_cast<QSpinBox*>(dialog().control("Edit1"));
  box->setValue(10);
  QCOMPARE(box->value(), 11);
  QCOMPARE(main().settings().rightMargin, 11);
  QCOMPARE(main().activeDocument()->control()->rightMarginColumn(), 11);
  box->setValue(9);
  QCOMPARE(main().settings().rightMargin, 9);
}

void OptionsTest::blockIndentThatIsNotANumberKeepsTheOldValue() {
  auto* e = qobject_cast<QLineEdit*>(dialog().control("pAutoIndent"));
  const int old = main().settings().blockIndent;
  struct Case {
    const char* text;
    bool accepted;
  } cases[] = {{"abc", false}, {"", false}, {"2.5", false}, {"99999", false}, {"0", false}, {" 3 ", true}};
  for (const auto& c : cases) {
    s_.dialogs->messages.clear();
    e->setText(QString::fromUtf8(c.text));
    emit e->editingFinished();
    QCOMPARE(main().settings().blockIndent, c.accepted ? 3 : old);
    QCOMPARE(s_.dialogs->messages.isEmpty(), c.accepted);
    if (!c.accepted) QCOMPARE(e->text(), QString::number(old));
  }
}

void OptionsTest::intervalAloneLeavesTheTimerLinesChangeIt() {
  OptionsDialog& d = dialog();
  qobject_cast<QCheckBox*>(d.control("cbAutoscroll"))->setChecked(true);
  QVERIFY(main().autoScrollTimer()->isActive());
  QVERIFY(main().action(QStringLiteral("mniAscroll"))->isChecked());
  const int running = main().autoScrollTimer()->interval();
  auto* time = qobject_cast<QSpinBox*>(d.control("seAutoscrollTime"));
  time->setValue(running + 100);
  QCOMPARE(main().autoScrollTimer()->interval(), running);
  auto* lines = qobject_cast<QSpinBox*>(d.control("seAutoscrollLines"));
  lines->setValue(lines->value() + 1);
  QCOMPARE(main().autoScrollTimer()->interval(), running + 100);
  qobject_cast<QCheckBox*>(d.control("cbAutoscroll"))->setChecked(false);
  QVERIFY(!main().autoScrollTimer()->isActive());
  QVERIFY(!main().action(QStringLiteral("mniAscroll"))->isChecked());
}

void OptionsTest::recentCountDropsTheOldestAtOnce() {
  main().recent().setCapacity(25);
  for (int i = 0; i < 10; ++i) main().recent().add("/tmp/file" + std::to_string(i), 0);
  qobject_cast<QSpinBox*>(dialog().control("seRecentCount"))->setValue(5);
  QCOMPARE(int(main().recent().size()), 5);
  QCOMPARE(main().recent().entries().front().fileName, std::string("/tmp/file9"));
  QCOMPARE(main().recent().entries().back().fileName, std::string("/tmp/file5"));
}

void OptionsTest::gutterColourSwitchesToPlainFill() {
  main().newDocument();
  OptionsDialog& d = dialog();
  qobject_cast<QRadioButton*>(d.control("rbGutterGrad"))->click();
  QCOMPARE(int(main().settings().gutterFill.kind), 2);
  qobject_cast<ColorButton*>(d.control("cpGutterSimpleColor"))->setColor(0x00FF00);
  QCOMPARE(int(main().settings().gutterFill.kind), 0);
  QCOMPARE(main().settings().gutterFill.plainColor, 0x00FF00);
  QVERIFY(qobject_cast<QRadioButton*>(d.control("rbFillSimpleColor"))->isChecked());
  QVERIFY(!qobject_cast<QRadioButton*>(d.control("rbGutterGrad"))->isChecked());
}

void OptionsTest::optionsCommandTogglesAndOkRestartsScrolling() {
  QAction* opts = main().action(QStringLiteral("mniOpts"));
  QVERIFY(opts && opts->isEnabled());
  QCOMPARE(opts->shortcut(), QKeySequence(QStringLiteral("F8")));
  main().settings().autoScroll = true;
  main().restartAutoScroll();
  opts->trigger();
  QVERIFY(dialog().isVisible());
  QCOMPARE(dialog().windowTitle(), QStringLiteral("Настройки"));
  QVERIFY(!main().autoScrollTimer()->isActive());
  dialog().findChild<QPushButton*>(QStringLiteral("btOK"))->click();
  QVERIFY(!dialog().isVisible());
  QVERIFY(main().autoScrollTimer()->isActive());
  opts->trigger();
  QVERIFY(dialog().isVisible());
  // F8 reaches the command from inside the window too.
  QVERIFY(dialog().actions().contains(opts));
  opts->trigger();
  QVERIFY(!dialog().isVisible());
  // Closing the window hides it and keeps what was changed.
  opts->trigger();
  qobject_cast<QCheckBox*>(dialog().control("cbLined"))->setChecked(true);
  dialog().close();
  QVERIFY(!dialog().isVisible());
  QVERIFY(main().settings().separatorLines);
}

void OptionsTest::schemeNewRenameSaveClickAndDelete() {
  main().newDocument();
  OptionsDialog& d = dialog();
  d.show();
  const std::string folder = main().settings().colorsFolder;
  QListWidget* list = d.schemes();
  const int before = list->count();
  d.newScheme();
  QCOMPARE(list->count(), before + 1);
  QVERIFY(list->currentItem()->text().startsWith(QStringLiteral("Новая схема ")));
  QVERIFY(list->currentItem()->text().endsWith(QStringLiteral(".pal")));
  s_.dialogs->inputs.push_back(QStringLiteral("Морская"));
  d.renameScheme();
  QCOMPARE(list->currentItem()->text(), QStringLiteral("Морская.pal"));
  QVERIFY(!QFile::exists(qpath(folder + "Морская.pal")));
  applyScheme(main().settings(), ColorScheme{0x0000FF, 0x00FF00, 0xFF0000, 0x111111});
  d.saveScheme();
  QCOMPARE(readColorScheme(folder + "Морская.pal").background, 0x00FF00);
  // Rename and save again: the old file stays beside the new one.
  s_.dialogs->inputs.push_back(QStringLiteral("Речная.pal"));
  d.renameScheme();
  d.saveScheme();
  QVERIFY(QFile::exists(qpath(folder + "Морская.pal")));
  QVERIFY(QFile::exists(qpath(folder + "Речная.pal")));
  // Choosing a scheme sets the four colours, the buttons and the documents.
  applyScheme(main().settings(), ColorScheme{});
  const auto found = list->findItems(QStringLiteral("Морская.pal"), Qt::MatchExactly);
  QCOMPARE(found.size(), 1);
  d.chooseScheme(list->row(found.front()));
  QCOMPARE(main().settings().backgroundColor, 0x00FF00);
  QCOMPARE(main().settings().selectionBackgroundColor, 0x111111);
  QCOMPARE(qobject_cast<ColorButton*>(d.control("cpBackColor"))->color(), 0x00FF00);
  QCOMPARE(main().activeDocument()->control()->paperColor(), 0x00FF00);
  QVERIFY(d.windowTitle().endsWith(QStringLiteral("Морская.pal")));
}

void OptionsTest::renameRefusesNamesLeavingTheFolder_data() {
  QTest::addColumn<QString>("answer");
  QTest::newRow("up") << QStringLiteral("../evil");
  QTest::newRow("slash") << QStringLiteral("sub/evil");
  QTest::newRow("backslash") << QStringLiteral("sub\\evil");
  QTest::newRow("dots") << QStringLiteral("..");
  QTest::newRow("empty") << QStringLiteral("  ");
}

void OptionsTest::renameRefusesNamesLeavingTheFolder() {
  QFETCH(QString, answer);
  OptionsDialog& d = dialog();
  d.newScheme();
  const QString name = d.schemes()->currentItem()->text();
  s_.dialogs->inputs.push_back(answer);
  d.renameScheme();
  QCOMPARE(d.schemes()->currentItem()->text(), name);
  QCOMPARE(s_.dialogs->messages.size(), 1);
  d.newGradient();
  const QString grad = d.gradients()->currentItem()->text();
  s_.dialogs->inputs.push_back(answer);
  d.renameGradient();
  QCOMPARE(d.gradients()->currentItem()->text(), grad);
  // Cancelling changes nothing and says nothing.
  s_.dialogs->inputs.push_back(std::nullopt);
  d.renameGradient();
  QCOMPARE(d.gradients()->currentItem()->text(), grad);
  QCOMPARE(s_.dialogs->messages.size(), 2);
}

void OptionsTest::deleteKeepsTheFileUnlessYes() {
  OptionsDialog& d = dialog();
  const std::string folder = main().settings().colorsFolder;
  QVERIFY(writeColorScheme(folder + "del.pal", ColorScheme{}));
  QVERIFY(writeGradientPreset(folder + "del.grd", GradientPreset{}));
  d.reloadSchemes();
  d.reloadGradients();
  struct Case {
    int answer;
    bool deleted;
  } cases[] = {{QMessageBox::No, false}, {QMessageBox::Cancel, false}, {QMessageBox::NoButton, false}, {QMessageBox::Yes, true}};
  for (const auto& c : cases) {
    for (QListWidget* list : {d.schemes(), d.gradients()}) {
      const auto found = list->findItems(QStringLiteral("del"), Qt::MatchStartsWith);
      if (found.isEmpty()) continue;
      list->setCurrentItem(found.front());
      s_.dialogs->answers.push_back(c.answer);
      if (list == d.schemes()) d.deleteScheme();
      else d.deleteGradient();
    }
    QCOMPARE(QFile::exists(qpath(folder + "del.pal")), !c.deleted);
    QCOMPARE(QFile::exists(qpath(folder + "del.grd")), !c.deleted);
  }
  QVERIFY(d.schemes()->findItems(QStringLiteral("del.pal"), Qt::MatchExactly).isEmpty());
  QCOMPARE(s_.dialogs->questions.last(), QStringLiteral("Вы точно хотите сделать ЭТО?"));
  // Nothing selected: nothing asked, nothing deleted.
  d.schemes()->setCurrentItem(nullptr);
  const int asked = s_.dialogs->questions.size();
  d.deleteScheme();
  QCOMPARE(s_.dialogs->questions.size(), asked);
}

void OptionsTest::gradientPresetSetsTheTextAreaGradient() {
  OptionsDialog& d = dialog();
  const std::string folder = main().settings().colorsFolder;
  QVERIFY(writeGradientPreset(folder + "sunset.grd", GradientPreset{111, 222}));
  d.reloadGradients();
  const auto found = d.gradients()->findItems(QStringLiteral("sunset.grd"), Qt::MatchExactly);
  QCOMPARE(found.size(), 1);
  d.chooseGradient(d.gradients()->row(found.front()));
  QCOMPARE(main().settings().textAreaFill.gradientColor1, 111);
  QCOMPARE(main().settings().textAreaFill.gradientColor2, 222);
  QCOMPARE(qobject_cast<ColorButton*>(d.control("cpTo"))->color(), 222);
  main().settings().textAreaFill.gradientColor1 = 5;
  d.saveGradient();
  QCOMPARE(readGradientPreset(folder + "sunset.grd").from, 5);
}

void OptionsTest::browserColourFileSetsTheThreeColours() {
  const std::string folder = main().settings().partsFolder + "Dizorud/Colors/";
  QDir().mkpath(qpath(folder));
  QVERIFY(writeBrowserColors(folder + "night", BrowserColors{1, 2, 3}));
  OptionsDialog& d = dialog();
  d.reloadBrowserColors();
  const int i = d.browserColorFiles()->findText(QStringLiteral("night"));
  QVERIFY(i >= 0);
  d.chooseBrowserColors(i);
  QCOMPARE(main().settings().browserFolderColor, 1);
  QCOMPARE(main().settings().browserFileColor, 2);
  QCOMPARE(main().settings().browserBackgroundColor, 3);
  QCOMPARE(qobject_cast<ColorButton*>(d.control("cbBack"))->color(), 3);
  main().settings().browserBackgroundColor = 77;
  s_.dialogs->saveAnswers.push_back(qpath(folder + "day"));
  d.saveBrowserColors();
  QCOMPARE(readBrowserColors(folder + "day").background, 77);
  QVERIFY(d.browserColorFiles()->findText(QStringLiteral("day")) >= 0);
}

void OptionsTest::everyStyleRecoloursEveryDocument() {
  main().newDocument();
  main().newDocument();
  main().newDocument();
  for (const DisplayStyle& style : displayStyles()) {
    QAction* a = main().action(QString::fromLatin1(style.component));
    QVERIFY2(a && a->isEnabled(), style.component);
    QVERIFY(!a->isCheckable());
    a->trigger();
    const Settings& t = main().settings();
    QCOMPARE(t.backgroundColor, colorRefFromRgb(style.background));
    QCOMPARE(t.textColor, colorRefFromRgb(style.text));
    QCOMPARE(t.selectionTextColor, colorRefFromRgb(style.selectionText));
    QCOMPARE(t.selectionBackgroundColor, colorRefFromRgb(style.selectionBackground));
    checkDocuments(OptionEffect::Colors);
  }
  main().action(QStringLiteral("Spring1"))->trigger();
  QCOMPARE(main().settings().backgroundColor, 6401842);
}

void OptionsTest::styleWithoutDocumentsStoresOnly() {
  QCOMPARE(main().editor().documentCount(), 0);
  for (const DisplayStyle& style : displayStyles()) {
    main().action(QString::fromLatin1(style.component))->trigger();
    QCOMPARE(main().settings().backgroundColor, colorRefFromRgb(style.background));
  }
  main().action(QStringLiteral("Universe1"))->trigger();
  // The next document takes the stored colours.
  DocumentWindow* doc = main().newDocument();
  QCOMPARE(doc->control()->paperColor(), 0);
  QCOMPARE(doc->control()->textColor(), colorRefFromRgb(0xFFFF00));
}

void OptionsTest::styleShowsOnScreen() {
  DocumentWindow* doc = main().newDocument();
  main().settings().textAreaFill.kind = 0;
  main().editor().applyTextBackground();
  main().action(QStringLiteral("Spring1"))->trigger();
  QWidget* view = doc->control()->viewport();
  QTest::qWait(50);
  const QImage shot = view->grab().toImage();
  QVERIFY(!shot.isNull());
  const QColor pixel = shot.pixelColor(shot.width() - 5, shot.height() - 5);
  QCOMPARE(pixel, QColor(0x32, 0xAF, 0x61));
}

void OptionsTest::changesSurviveARestart() {
  OptionsDialog& d = dialog();
  qobject_cast<QSpinBox*>(d.control("Edit1"))->setValue(123);
  qobject_cast<QComboBox*>(d.control("cbH"))->setCurrentIndex(1);
  qobject_cast<QCheckBox*>(d.control("cbLined"))->setChecked(true);
  main().action(QStringLiteral("Spring1"))->trigger();
  // Close as the user does; kiv.ini is written.
  main().close();
  s_.main.reset();
  IniFile ini(s_.folder->file(QStringLiteral("kiv.ini")).toStdString());
  QCOMPARE(ini.readInteger("Main", "BGColor", 0), 6401842);
  QCOMPARE(ini.readInteger("Main", "RMargin", 0), 123);
  QCOMPARE(ini.readString("RunglerOpts", "XaConvMode", ""), std::string("KH"));
  QCOMPARE(ini.readBool("Main", "Lined", false), true);
  s_.main = startProgram(*s_.folder);
  s_.main->sounds().setMuted(true);
  OptionsDialog& again = dialog();
  again.show();
  QCOMPARE(qobject_cast<QSpinBox*>(again.control("Edit1"))->value(), 123);
  QCOMPARE(qobject_cast<QComboBox*>(again.control("cbH"))->currentText(), QStringLiteral("KH"));
  QVERIFY(qobject_cast<QCheckBox*>(again.control("cbLined"))->isChecked());
  QCOMPARE(qobject_cast<ColorButton*>(again.control("cpBackColor"))->color(), 6401842);
}

void OptionsTest::noCommandIsAPlaceholder() {
  for (const char* id : {"mniOpts"}) QVERIFY(findCommand(id)->handler);
  for (const DisplayStyle& style : displayStyles()) QVERIFY2(findCommand(style.component)->handler, style.component);
  QVERIFY(!main().action(QStringLiteral("mniOpts"))->toolTip().contains(QString::fromUtf8(kNotYetHint)));
}

void OptionsTest::wallpaperTakesEveryPictureFormat_data() {
  QTest::addColumn<QString>("format");
  QTest::newRow("bmp") << QStringLiteral("bmp");
  QTest::newRow("png") << QStringLiteral("png");
  QTest::newRow("jpeg") << QStringLiteral("jpg");
}

void OptionsTest::wallpaperTakesEveryPictureFormat() {
  QFETCH(QString, format);
  main().newDocument();
  const QString picture = s_.folder->file(QStringLiteral("обои.") + format);
  QImage image(16, 16, QImage::Format_RGB32);
  image.fill(Qt::red);
  QVERIFY(image.save(picture));
  OptionsDialog& d = dialog();
  d.control("fillwallpaper")->findChild<QLineEdit*>()->setText(picture);
  qobject_cast<QRadioButton*>(d.control("rbWall"))->click();
  QCOMPARE(int(main().settings().textAreaFill.kind), 1);
  QCOMPARE(main().settings().textAreaFill.picture, u8(picture));
  d.control("edGutterWallpaper")->findChild<QLineEdit*>()->setText(picture);
  qobject_cast<QRadioButton*>(d.control("rbGutterWall"))->click();
  QCOMPARE(int(main().settings().gutterFill.kind), 1);
  // A picture that is not there falls back to no fill, and the dialog shows it.
  d.control("fillwallpaper")->findChild<QLineEdit*>()->setText(picture + QStringLiteral(".gone"));
  QCOMPARE(int(main().settings().textAreaFill.kind), 0);
  QVERIFY(qobject_cast<QRadioButton*>(d.control("rbFNONE"))->isChecked());
}

void OptionsTest::missingFontsFallBackToFixedCyrillic() {
  const QStringList cyrillic = QFontDatabase::families(QFontDatabase::Cyrillic);
  QVERIFY(!cyrillic.isEmpty());
  struct Case {
    QString family;
    bool kept;
  } cases[] = {{QStringLiteral("Terminal"), false}, {QStringLiteral("Kiv No Such Font"), false}, {QString(), false},
               {cyrillic.front(), true}};
  for (const auto& c : cases) {
    const QString got = availableFontFamily(c.family);
    if (c.kept) {
      QCOMPARE(got, c.family);
      continue;
    }
    QVERIFY2(QFontDatabase::hasFamily(got), qPrintable(got));
    QVERIFY2(QFontDatabase::isFixedPitch(got), qPrintable(got));
    QVERIFY2(QFontDatabase::writingSystems(got).contains(QFontDatabase::Cyrillic), qPrintable(got));
  }
}

void OptionsTest::pluginPageFollowsTheRegistry() {
  OptionsDialog& d = dialog();
  d.show();
  QListWidget* list = d.plugins();
  QCOMPARE(list->count(), int(main().plugins().registry().captions().size()));
  // Installing through the manager shows up at once; removing the current entry takes it away.
  s_.dialogs->openAnswers.push_back(QStringList{QStringLiteral(KIV_TEST_PLUGIN_DIR) + QStringLiteral("chatty.so")});
  d.installPlugin();
  const auto found = list->findItems(QStringLiteral("Test: chatty"), Qt::MatchExactly);
  QCOMPARE(found.size(), 1);
  list->setCurrentItem(found.front());
  QVERIFY(d.findChild<QPlainTextEdit*>(QStringLiteral("mmPluginInfo"))->toPlainText().contains(QStringLiteral("chatty.so")));
  d.removePlugin();
  QVERIFY(list->findItems(QStringLiteral("Test: chatty"), Qt::MatchExactly).isEmpty());
  QVERIFY(s_.dialogs->messages.isEmpty());
  // A library that is no plugin is refused with a message.
  s_.dialogs->openAnswers.push_back(QStringList{QStringLiteral(KIV_TEST_PLUGIN_DIR) + QStringLiteral("no_exports.so")});
  d.installPlugin();
  QCOMPARE(s_.dialogs->messages.size(), 1);
  // Nothing chosen: nothing happens.
  list->setCurrentItem(nullptr);
  const int before = list->count();
  d.removePlugin();
  QCOMPARE(list->count(), before);
}

void OptionsTest::fileTypesListFollowsTheTable() {
  FileTypes& types = main().fileTypes();
  QCOMPARE(types.add({"txt", "", "", 255}), std::string());
  QCOMPARE(types.add({"htm", "", "", 0}), std::string());
  OptionsDialog& d = dialog();
  d.show();
  QListWidget* list = d.fileTypes();
  QVERIFY(!list->findItems(QStringLiteral("htm"), Qt::MatchExactly).isEmpty());
  list->setCurrentItem(list->findItems(QStringLiteral("txt"), Qt::MatchExactly).front());
  d.deleteFileType();
  QCOMPARE(types.indexOfExt("txt"), -1);
  QVERIFY(types.indexOfExt("htm") >= 0);
  QVERIFY(list->findItems(QStringLiteral("txt"), Qt::MatchExactly).isEmpty());
  list->setCurrentItem(nullptr);
  d.deleteFileType();
  QVERIFY(types.indexOfExt("htm") >= 0);
}

QTEST_MAIN(OptionsTest)
#include "test_options.moc"
