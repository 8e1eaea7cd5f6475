// The number commands, the date and time insertions and the expression
// evaluator of the "Функции" menu.

#include "core/charsets/code_page.h"
#include "core/common/regional.h"
#include "core/datetime/date_texts.h"
#include "core/expr/evaluator.h"
#include "core/numbers/number_checks.h"
#include "core/numbers/number_inserts.h"
#include "core/numbers/number_result.h"
#include "core/numbers/number_words.h"
#include "core/numbers/radix.h"
#include "core/numbers/roman.h"
#include "ui/app/main_window.h"
#include "ui/commands/handlers.h"
#include "ui/commands/text_command.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/editor/editor_interface.h"

namespace kiv {

namespace {

// A number command: Put replaces the selection (or the working text), Show
// reports, Nothing does nothing. Results are Windows-1251 text (Russian
// words) or ASCII; they go into the document in its own code page.
void numberCommand(MainWindow& main, TextSource source, NumberResult (*fn)(std::string_view)) {
  runTextCommand(main, TextCommand{source, true}, [&](const std::string& text) {
    NumberResult r = fn(text);
    if (r.isShow()) {
      showMessage(&main, qs(r.message));
      return TextOutcome::cancel();
    }
    if (!r.isPut()) return TextOutcome::cancel();
    return TextOutcome::put(std::move(r.text));
  });
}

void numberOnSelection(MainWindow& main, NumberResult (*fn)(std::string_view)) {
  numberCommand(main, TextSource::Selection, fn);
}

}  // namespace

namespace cmd {

void arabicToRoman(MainWindow& main) { numberOnSelection(main, &arabicToRomanCommand); }
void romanToArabic(MainWindow& main) { numberOnSelection(main, &romanToArabicCommand); }
void numberToRussianWords(MainWindow& main) { numberOnSelection(main, &numberToWordsRussianCommand); }
void hexToDecimal(MainWindow& main) { numberOnSelection(main, &hexToDecimalCommand); }
void decimalToHex(MainWindow& main) { numberOnSelection(main, &decimalToHexCommand); }
void decimalToBinary(MainWindow& main) { numberOnSelection(main, &decimalToBinaryCommand); }
void binaryToDecimal(MainWindow& main) { numberOnSelection(main, &binaryToDecimalCommand); }
void checkLeapYear(MainWindow& main) { numberOnSelection(main, &leapYearCommand); }
void checkIsbn(MainWindow& main) { numberOnSelection(main, &isbnCommand); }

void numberToEnglishWords(MainWindow& main) {
  numberCommand(main, TextSource::SelectionOrAll,
                [](std::string_view t) { return dollarsToWordsCommand(t, regionalFormat()); });
}

void numberToGermanWords(MainWindow& main) {
  // German words are written for the document's own code page (umlauts as
  // "ue", "oe" where it has none).
  const CodePage& page = CodePage::ofCharset(activeCharset(main));
  runTextCommand(main, TextCommand{TextSource::Selection, false}, [&](const std::string& text) {
    NumberResult r = numberToWordsGermanCommand(text, page);
    if (r.isShow()) showMessage(&main, qs(r.message));
    return r.isPut() ? TextOutcome::put(std::move(r.text)) : TextOutcome::cancel();
  });
}

void evaluateExpression(MainWindow& main) {
  numberCommand(main, TextSource::Selection,
                [](std::string_view t) { return evaluateCommand(t, regionalFormat()); });
}

void insertFibonacci(MainWindow& main) {
  if (!main.hasDocument()) return;
  const QString answer = inputBox(&main, qs(kFibonacciCaption), qs(kFibonacciPrompt), qs(kFibonacciDefault));
  const NumberResult r = fibonacciCommand(u8(answer));
  if (r.isShow()) showMessage(&main, qs(r.message));
  if (r.isPut()) insertText(main, r.text, true);
}

void insertPi(MainWindow& main) { insertText(main, std::string(kPiText), false); }
void insertE(MainWindow& main) { insertText(main, std::string(kEText), false); }

void insertDate(MainWindow& main) {
  insertText(main, shortDateText(currentLocalDateTime(), regionalFormat()), true);
}
void insertLongDateWithWeekday(MainWindow& main) { insertText(main, longRussianDateWithWeekday(currentLocalDateTime()), true); }
void insertLongDate(MainWindow& main) { insertText(main, longRussianDate(currentLocalDateTime()), true); }
void insertDayNumber(MainWindow& main) { insertText(main, dayNumberText(currentLocalDateTime()), false); }
void insertTime(MainWindow& main) {
  insertText(main, longTimeText(currentLocalDateTime(), regionalFormat()), true);
}

}  // namespace cmd
}  // namespace kiv
