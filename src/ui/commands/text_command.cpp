#include "ui/commands/text_command.h"

#include "core/charsets/charset_id.h"
#include "core/charsets/code_page.h"
#include "core/charsets/cyrillic_conversions.h"
#include "ui/app/main_window.h"
#include "ui/common/dialogs.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"

namespace kiv {

std::string activeCharset(MainWindow& main) {
  const std::string id = main.hasDocument() ? main.editor().charset() : std::string();
  return charset::isKnown(id) ? id : std::string(charset::kWin);
}

void runTextCommand(MainWindow& main, const TextCommand& how,
                    const std::function<TextOutcome(const std::string&)>& transform) {
  if (!main.hasDocument()) return;
  EditorInterface& ed = main.editor();
  if (how.source == TextSource::Selection && !ed.hasSelection()) return;
  const std::string charset = activeCharset(main);
  std::string text = how.source == TextSource::WholeText ? ed.text() : ed.workingText();
  if (how.through1251) text = toWin1251Reversibly(text, charset);
  TextOutcome out = transform(text);
  if (!out.text) {
    if (!out.error.isEmpty()) showError(&main, out.error);
    return;
  }
  std::string result = how.through1251 ? fromWin1251Reversibly(*out.text, charset) : std::move(*out.text);
  if (how.source == TextSource::WholeText) ed.setText(result);
  else ed.putWorkingText(result);
}

void runLinesCommand(MainWindow& main, bool through1251,
                     const std::function<std::optional<std::vector<std::string>>(std::vector<std::string>)>& transform) {
  if (!main.hasDocument()) return;
  EditorInterface& ed = main.editor();
  if (!ed.hasSelection()) return;
  const std::string charset = activeCharset(main);
  std::vector<std::string> lines = ed.selectedLines();
  if (through1251)
    for (auto& l : lines) l = toWin1251Reversibly(l, charset);
  auto out = transform(std::move(lines));
  if (!out) return;
  if (through1251)
    for (auto& l : *out) l = fromWin1251Reversibly(l, charset);
  ed.replaceSelectedLines(*out);
}

std::string recodeFrom1251(const std::string& text, const std::string& charset) {
  if (charset == charset::kWin) return text;
  return CodePage::ofCharset(charset).encodeFromUtf8(CodePage::get(CodePageId::Win1251).decodeToUtf8(text));
}

void insertText(MainWindow& main, const std::string& text, bool from1251) {
  if (!main.hasDocument()) return;
  main.editor().insertAtCaret(from1251 ? recodeFrom1251(text, activeCharset(main)) : text);
}

}  // namespace kiv
