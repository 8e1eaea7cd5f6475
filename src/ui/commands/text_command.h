#pragma once
// The shape of a text command: resolve the active document once, take its
// working text, run a transformation, put the result back as one undo step.
// A transformation that fails or is cancelled leaves the document untouched.

#include <QString>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace kiv {

class MainWindow;

// What a transformation gives back: new text, or nothing (cancelled, or an
// error message to show; the document stays as it was).
struct TextOutcome {
  std::optional<std::string> text;
  QString error;

  static TextOutcome put(std::string t) { return {std::move(t), {}}; }
  static TextOutcome cancel() { return {}; }
  static TextOutcome fail(const QString& message) { return {std::nullopt, message}; }
};

enum class TextSource {
  SelectionOrAll,  // the selection, or the whole text; put back the same way
  Selection,       // only with a selection
  WholeText,       // always the whole text
};

struct TextCommand {
  TextSource source = TextSource::SelectionOrAll;
  // Letters are read through the Windows-1251 tables: a "dos" or "koi"
  // document's text goes through Windows-1251 and back.
  bool through1251 = false;
};

void runTextCommand(MainWindow& main, const TextCommand& how,
                    const std::function<TextOutcome(const std::string&)>& transform);

// The selected lines (nothing without a selection), put back as a block.
void runLinesCommand(MainWindow& main, bool through1251,
                     const std::function<std::optional<std::vector<std::string>>(std::vector<std::string>)>& transform);

// Inserts text at the caret of the active document (converted from
// Windows-1251 to the document's code page when `from1251`).
void insertText(MainWindow& main, const std::string& text, bool from1251);

// Windows-1251 text (a command's own Russian words) in a document charset,
// character for character ("?" for what the code page lacks).
std::string recodeFrom1251(const std::string& text, const std::string& charset);

// The document's charset, or "win".
std::string activeCharset(MainWindow& main);

}  // namespace kiv
