// HTML work on the active document: the tag strippers, the "<" escape, the
// hyperlink list, the table wizard, colours, the image tag and the
// skeleton page; the browser preview and the search in the net.

#include <QApplication>
#include <QFileInfo>

#include "core/charsets/case1251.h"
#include "core/common/file_bytes.h"
#include "core/common/paths.h"
#include "core/document/image_size.h"
#include "core/html/hyperlinks.h"
#include "core/html/table_markup.h"
#include "core/html/tag_pairs.h"
#include "core/html/tag_strippers.h"
#include "core/html/web_colors.h"
#include "ui/app/main_window.h"
#include "ui/commands/handlers.h"
#include "ui/commands/text_command.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/editor/editor_interface.h"
#include "ui/html/browser_launch.h"
#include "ui/html/net_search.h"
#include "ui/html/table_wizard_dialog.h"
#include "ui/html/web_safe_color_dialog.h"
#include "ui/tools/console_window.h"

namespace kiv::cmd {

namespace {

Rgb rgbOf(const QColor& c) { return {c.red(), c.green(), c.blue()}; }

// ASCII text (tags, colour texts) is the same in every code page.
void insertAscii(MainWindow& main, std::string_view text) {
  if (main.hasDocument()) main.editor().insertAtCaret(std::string(text));
}

std::vector<std::string> splitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] != '\r' && bytes[i] != '\n') continue;
    lines.push_back(bytes.substr(start, i - start));
    if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

void runTableWizard(MainWindow& main) {
  if (!main.hasDocument()) return;
  TableWizardDialog* wizard = TableWizardDialog::of(&main);
  if (wizard->exec() != QDialog::Accepted || !main.hasDocument()) return;
  main.editor().insertLines(tableLines(wizard->columns(), wizard->rows()));
}

void preview(MainWindow& main, const std::string& browserPath) {
  if (!main.hasDocument() || !main.editor().hasFile()) return;
  if (main.settings().saveBeforePreview) {
    save(main);
    if (!main.hasDocument()) return;
  }
  showInBrowser(&main, qs(browserPath), qpath(main.editor().fileName()));
}

}  // namespace

// --- Strippers and the escape ----------------------------------------------------

void stripHtmlTags(MainWindow& main) {
  runTextCommand(main, {}, [](const std::string& t) { return TextOutcome::put(stripTags(t)); });
}

void stripHtmlTagsByDepth(MainWindow& main) {
  runTextCommand(main, {}, [](const std::string& t) { return TextOutcome::put(stripTagsByDepth(t)); });
}

void escapeTagBrackets(MainWindow& main) {
  runTextCommand(main, {TextSource::Selection},
                 [](const std::string& t) { return TextOutcome::put(escapeLessThan(t)); });
}

// --- Hyperlinks ---------------------------------------------------------------------

void listHyperlinks(MainWindow& main) {
  if (!main.hasDocument()) return;
  auto* console = main.tools().get<ConsoleWindow>(QStringLiteral("ConsoleWindow"));
  if (!console) return;
  const std::string charset = activeCharset(main);
  const auto links = findHyperlinks(main.editor().workingText());
  for (const auto& link : links) console->appendLine(decodeBytes(link, charset));
  console->appendLine(QStringLiteral("Всего %1 ссылок").arg(links.size()));
  console->show();
  console->raise();
}

// --- Tables and colours --------------------------------------------------------------

void tableWizard(MainWindow& main) { runTableWizard(main); }

void tableWizardForSelection(MainWindow& main) {
  if (!main.hasDocument() || !main.editor().hasSelection()) return;
  runTableWizard(main);
}

void insertColor(MainWindow& main) {
  if (!main.hasDocument()) return;
  const auto color = chooseColor(&main, Qt::white);
  if (color) insertAscii(main, colorTextUpper(rgbOf(*color)));
}

void insertWebSafeColor(MainWindow& main) {
  if (!main.hasDocument()) return;
  const auto text = WebSafeColorDialog::of(&main)->pick();
  if (text && main.hasDocument()) main.editor().insertAtCaret(encodeText(*text, activeCharset(main)));
}

void colorSelection(MainWindow& main) {
  if (!main.hasDocument() || !main.editor().hasSelection()) return;
  const auto color = chooseColor(&main, Qt::white);
  if (!color || !main.hasDocument() || !main.editor().hasSelection()) return;
  EditorInterface& ed = main.editor();
  ed.putWorkingText(wrapInColorFont(rgbOf(*color), ed.selectedText()));
}

// --- Tags ------------------------------------------------------------------------------

void wrapWithTagPair(MainWindow& main, const char* button) {
  const TagPair* pair = findTagPair(button);
  if (!pair || !main.hasDocument()) return;
  EditorInterface& ed = main.editor();
  const std::string selected = ed.selectedText();
  if (selected.empty()) ed.insertAtCaret(pair->empty);
  else ed.replaceSelection(wrapInTags(*pair, selected));
}

void wrapInFont(MainWindow& main) {
  if (!main.hasDocument()) return;
  EditorInterface& ed = main.editor();
  ed.putWorkingText(wrapInFontTag(ed.workingText()));
}

void insertEmptyFontTag(MainWindow& main) { insertAscii(main, kEmptyFontTag); }
void insertEmptyImageTag(MainWindow& main) { insertAscii(main, kEmptyImageTag); }
void insertLineBreakTag(MainWindow& main) { insertAscii(main, kLineBreakTag); }

void insertImageTag(MainWindow& main) {
  if (!main.hasDocument()) return;
  const QStringList filters{QStringLiteral("Файлы изображений: (*.GIF *.JPG *.JPEG *.PNG *.gif *.jpg *.jpeg *.png)")};
  const auto chosen =
      chooseFilesToOpen(&main, QStringLiteral("Выбор файла:"), qpath(main.config().session.lastOpenFolder), filters, false);
  if (!chosen || chosen->isEmpty() || !main.hasDocument()) return;
  const std::string path = spath(chosen->first());
  const std::string ext = lowerCase1251(fileExtension(path));
  const char kind = imageKindOfExtension(ext);
  ImageSize size;
  if (kind) {
    const auto data = readFileBytes(path);
    if (!data) {
      showError(&main, qs("Cannot open file " + path));
      return;
    }
    size = kind == 'J' ? jpegSize(*data) : kind == 'P' ? pngSize(*data) : gifSize(*data);
  }
  const std::string name = encodeText(qs(fileNameOnly(path)), activeCharset(main));
  main.editor().insertAtCaret(imageTag(name, kind, size));
}

void insertHtmlSkeleton(MainWindow& main) {
  if (!main.hasDocument()) return;
  const std::string path = main.settings().templatesFolder + "defaulthtml.htm";
  const auto bytes = readFileBytes(path);
  if (!bytes) {
    showError(&main, qs("Cannot open file " + path));
    return;
  }
  main.editor().insertLines(splitLines(*bytes));
}

// --- Browsers and the net ---------------------------------------------------------------

void previewInExplorer(MainWindow& main) { preview(main, main.settings().browsers.explorerPath); }
void previewInOpera(MainWindow& main) { preview(main, main.settings().browsers.operaPath); }
void previewInNetscape(MainWindow& main) { preview(main, main.settings().browsers.netscapePath); }
void previewInCustom(MainWindow& main) { preview(main, main.settings().browsers.customPath); }

void findInNet(MainWindow& main) {
  QString initial;
  if (main.hasDocument() && main.editor().hasSelection()) {
    initial = decodeBytes(main.editor().selectedText(), activeCharset(main));
    initial.replace(QLatin1String("\r\n"), QLatin1String(" "));
  }
  const auto query = inputQuery(&main, QStringLiteral("Вопрос!"), QStringLiteral("Что будем искать? "), initial);
  if (!query) return;
  openExternally(netSearchUrl(*query));
}

}  // namespace kiv::cmd
