// The "Функции" menu's line, string, case, spacing, format and scrambling
// commands, and the statistics report.

#include <QDateTime>
#include <QFileInfo>
#include <QLineEdit>

#include "core/charsets/code_page.h"
#include "core/charsets/cp1251_literal.h"
#include "core/charsets/cyrillic_conversions.h"
#include "core/common/prng.h"
#include "core/common/regional.h"
#include "core/datetime/date_texts.h"
#include "core/fileio/file_formats.h"
#include "core/textfuncs/case_format.h"
#include "core/textfuncs/line_ops.h"
#include "core/textfuncs/line_sort.h"
#include "core/textfuncs/scramble.h"
#include "core/textfuncs/text_stats.h"
#include "ui/app/main_window.h"
#include "ui/commands/handlers.h"
#include "ui/commands/text_command.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/editor/editor_interface.h"
#include "ui/tools/console_window.h"
#include "ui/tools/enclose_dialog.h"

namespace kiv {

namespace {

using Lines = std::vector<std::string>;

void onLines(MainWindow& main, bool through1251, Lines (*fn)(Lines)) {
  runLinesCommand(main, through1251, [fn](Lines l) -> std::optional<Lines> { return fn(std::move(l)); });
}

void onText(MainWindow& main, TextCommand how, std::string (*fn)(std::string_view)) {
  runTextCommand(main, how, [fn](const std::string& t) { return TextOutcome::put(fn(t)); });
}

TextCommand letters(TextSource source = TextSource::SelectionOrAll) { return TextCommand{source, true}; }

template <class R>
TextOutcome fromRefusable(R result) {
  if (!result.ok()) return TextOutcome::fail(qs(result.error));
  return TextOutcome::put(std::move(result.value));
}

// Text the user typed (a word, a separator), in Windows-1251.
std::string typed1251(const QString& s) { return CodePage::get(CodePageId::Win1251).encodeFromUtf8(u8(s)); }

void scramble(MainWindow& main, bool decode) {
  if (!main.hasDocument()) return;
  const auto password = inputQuery(&main, QStringLiteral("Запрос"), QStringLiteral("Введите пароль"), QString());
  if (!password) return;
  // The password's characters are Windows-1251 bytes whatever the document's code page.
  const std::string key = typed1251(*password);
  runTextCommand(main, {}, [&](const std::string& text) {
    return fromRefusable(decode ? unscrambleText(text, key) : scrambleText(text, key));
  });
}

}  // namespace

namespace cmd {

// --- Lines ------------------------------------------------------------------

void deleteEmptyLines(MainWindow& main) { onLines(main, false, &kiv::deleteEmptyLines); }
void numberLines(MainWindow& main) { onLines(main, false, &kiv::numberLines); }

void encloseLines(MainWindow& main) {
  if (!main.hasDocument()) return;
  auto* dialog = main.tools().get<EncloseDialog>(QStringLiteral("EncloseDialog"));
  dialog->execModal();
  const std::string charset = activeCharset(main);
  const std::string before = encodeText(dialog->before()->text(), charset);
  const std::string after = encodeText(dialog->after()->text(), charset);
  runLinesCommand(main, false, [&](Lines l) -> std::optional<Lines> { return kiv::encloseLines(std::move(l), before, after); });
}

void sortLines(MainWindow& main) {
  runLinesCommand(main, true, [](Lines l) -> std::optional<Lines> {
    return kiv::sortLines(std::move(l), regionalOrderIgnoreCase());
  });
}

void reverseSortLines(MainWindow& main) {
  runLinesCommand(main, true, [](Lines l) -> std::optional<Lines> {
    return kiv::reverseSortLines(std::move(l), regionalOrderIgnoreCase());
  });
}

void reverseText(MainWindow& main) { onText(main, {}, [](std::string_view t) { return reverseString(t); }); }

void reverseLineOrder(MainWindow& main) {
  onText(main, TextCommand{TextSource::WholeText, false}, [](std::string_view t) { return reverseLineOrderOfText(t); });
}

void surnameWithInitials(MainWindow& main) {
  onText(main, TextCommand{TextSource::Selection, false}, [](std::string_view t) { return kiv::surnameWithInitials(t); });
}

void listAnagrams(MainWindow& main) {
  if (!main.hasDocument()) return;
  const std::string charset = activeCharset(main);
  LinesResult r = anagrams(toWin1251Reversibly(main.editor().workingText(), charset));
  if (!r.ok()) {
    showError(&main, qs(r.error));
    return;
  }
  for (auto& line : r.value) line = fromWin1251Reversibly(line, charset);
  if (!r.value.empty()) main.editor().insertLines(r.value);
}

void deleteWord(MainWindow& main) {
  if (!main.hasDocument()) return;
  const auto word = inputQuery(&main, QStringLiteral("Вопрос!"), QStringLiteral("Введите слово для удаления:"), QString());
  if (!word || word->isEmpty()) return;
  const std::string w = typed1251(*word);
  runTextCommand(main, letters(), [&](const std::string& t) { return TextOutcome::put(kiv::deleteWord(t, w)); });
}

void sortParagraphs(MainWindow& main) {
  if (!main.hasDocument() || !main.editor().hasSelection()) return;
  const QString answer = inputBox(&main, QStringLiteral("Символ-разделитель"), QStringLiteral("Введите значение"),
                                  QStringLiteral(";"));
  const std::string separator = typed1251(answer);
  runTextCommand(main, letters(TextSource::Selection), [&](const std::string& t) {
    return fromRefusable(kiv::sortParagraphs(t, separator, regionalOrderIgnoreCase()));
  });
}

void insertRussianAlphabet(MainWindow& main) { insertText(main, russianAlphabet(), true); }
void insertEnglishAlphabet(MainWindow& main) { insertText(main, englishAlphabet(), false); }

// --- Case, spacing, format ------------------------------------------------------

void lowerCase(MainWindow& main) {
  onText(main, letters(TextSource::Selection), [](std::string_view t) { return lowerCaseText(t); });
}
void upperCase(MainWindow& main) {
  onText(main, letters(TextSource::Selection), [](std::string_view t) { return upperCaseText(t); });
}
void hackerize(MainWindow& main) {
  onText(main, letters(), [](std::string_view t) { return kiv::hackerize(t, programPrng()); });
}
void capitalizeFirst(MainWindow& main) { onText(main, letters(), [](std::string_view t) { return kiv::capitalizeFirst(t); }); }
void capitalizeWords(MainWindow& main) { onText(main, letters(), [](std::string_view t) { return kiv::capitalizeWords(t); }); }
void killSpaces(MainWindow& main) { onText(main, {}, [](std::string_view t) { return collapseWhiteSpace(t); }); }
void killFormat(MainWindow& main) { onText(main, {}, [](std::string_view t) { return collapseWhiteSpace(t); }); }
void killTabs(MainWindow& main) { onText(main, {}, [](std::string_view t) { return removeTabs(t); }); }

void tabsToSpaces(MainWindow& main) {
  const int n = main.settings().spacesPerTab;
  runTextCommand(main, {}, [n](const std::string& t) { return TextOutcome::put(kiv::tabsToSpaces(t, n)); });
}

void hardWordWrap(MainWindow& main) {
  if (!main.hasDocument()) return;
  const auto answer = inputQuery(&main, QStringLiteral("Параметры Wrap"), QStringLiteral("Введите ширину в символах"),
                                 QString());
  if (!answer) return;
  runTextCommand(main, {}, [&](const std::string& t) { return fromRefusable(hardWordWrapAnswer(t, u8(*answer))); });
}

namespace {
// Typographic quotes exist in Windows-1251 but not in DOS 866 or KOI8-R.
bool hasPairedQuotes(MainWindow& main) {
  if (CodePage::ofCharset(activeCharset(main)).fromUnicode(0x00AB) >= 0) return true;
  showMessage(&main, QStringLiteral("В кодировке документа нет парных кавычек «»."));
  return false;
}
}  // namespace

void straightToPairedQuotes(MainWindow& main) {
  if (!main.hasDocument() || !hasPairedQuotes(main)) return;
  onText(main, letters(), [](std::string_view t) { return kiv::straightToPairedQuotes(t); });
}

void pairedToStraightQuotes(MainWindow& main) {
  if (!main.hasDocument() || !hasPairedQuotes(main)) return;
  onText(main, letters(), [](std::string_view t) { return kiv::pairedToStraightQuotes(t); });
}

// --- Scrambling -------------------------------------------------------------------

void scrambleWithPassword(MainWindow& main) { scramble(main, false); }
void unscrambleWithPassword(MainWindow& main) { scramble(main, true); }

// --- Statistics and the console ----------------------------------------------------

void showStatistics(MainWindow& main) {
  if (!main.hasDocument()) return;
  auto* console = main.tools().get<ConsoleWindow>(QStringLiteral("ConsoleWindow"));
  if (console->isVisible()) {
    console->close();
    return;
  }
  EditorInterface& ed = main.editor();
  std::string fileTime;
  if (ed.hasFile()) {
    // The same regional texts as the date and time insertions (Russian names).
    const QDateTime modified = QFileInfo(qpath(ed.fileName())).lastModified().toLocalTime();
    const QDate d = modified.date();
    const QTime t = modified.time();
    const LocalDateTime when{d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second(), t.msec()};
    fileTime = shortDateTimeText(when, regionalFormat(), TextCoding::Utf8);
  }
  for (const auto& line : statisticsConsoleLines(ed.workingText(), ed.hasFile(), fileTime))
    console->appendLine(qs(line));
  console->show();
  console->raise();
}

void showModuleVersions(MainWindow& main) {
  auto* console = main.tools().get<ConsoleWindow>(QStringLiteral("ConsoleWindow"));
  console->appendLine(QStringLiteral("Сведения о версиях программных модулей"));
  console->appendLine(MainWindow::buildCaption());
  console->appendLine(QStringLiteral("JCL-version: 1.11"));
  console->appendLine(QStringLiteral("Конвертация величин, версия 1.0 альфа"));
  console->appendLine(qs(main.fileFormats().description()));
  console->show();
  console->raise();
}

}  // namespace cmd
}  // namespace kiv
