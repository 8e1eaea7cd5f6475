#include "ui/editor/editor_interface.h"

#include <Qsci/qsciprinter.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>

#include "core/charsets/charset_id.h"
#include "core/common/file_bytes.h"
#include "core/common/text_lines.h"
#include "core/document/document_rules.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/editor/document_host.h"
#include "ui/editor/memo/find_dialogs.h"
#include "ui/editor/memo/memo_control.h"
#include "ui/editor/ted.h"

namespace kiv {

EditorInterface::EditorInterface(DocumentHost* host, EditorCallbacks callbacks, Settings* settings)
    : host_(host), callbacks_(std::move(callbacks)), settings_(settings) {}

Ted* EditorInterface::active() const {
  QMdiArea* area = host_ ? host_->documentArea() : nullptr;
  if (!area) return nullptr;
  QMdiSubWindow* sub = area->currentSubWindow();
  if (!sub) {
    const auto list = area->subWindowList(QMdiArea::StackingOrder);
    if (list.isEmpty()) return nullptr;
    sub = list.last();
  }
  return qobject_cast<Ted*>(sub->widget());
}

QList<Ted*> EditorInterface::documents() const {
  QList<Ted*> out;
  QMdiArea* area = host_ ? host_->documentArea() : nullptr;
  if (!area) return out;
  const auto list = area->subWindowList(QMdiArea::StackingOrder);
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if (auto* t = qobject_cast<Ted*>((*it)->widget())) out << t;
  return out;
}

QList<Ted*> EditorInterface::documentsLastFirst() const {
  QList<Ted*> docs = documents();
  std::reverse(docs.begin(), docs.end());
  return docs;
}

#define KIV_ACTIVE_OR(value)   \
  Ted* ted = active();         \
  if (!ted) return value;      \
  MemoControl* memo = ted->memo(); \
  (void)memo

void EditorInterface::setModified(bool flag) {
  KIV_ACTIVE_OR();
  memo->setModifiedFlag(flag);
}

bool EditorInterface::isModified() const {
  KIV_ACTIVE_OR(false);
  return memo->modifiedFlag();
}

void EditorInterface::applySettingsToActive() {
  KIV_ACTIVE_OR();
  ted->applySettings();
}

int EditorInterface::topLine() const {
  KIV_ACTIVE_OR(0);
  return memo->topLine();
}

void EditorInterface::goToLine(int line) {
  KIV_ACTIVE_OR();
  memo->moveCaretTo(line, 1);
  memo->SendScintilla(QsciScintillaBase::SCI_SCROLLCARET);
}

void EditorInterface::scrollBy(int columns, int lines) {
  scrollLines(lines);
  KIV_ACTIVE_OR();
  memo->scrollColumnsBy(columns);
}

void EditorInterface::loadText(const std::string& fileName, const std::string& text) {
  KIV_ACTIVE_OR();
  memo->loadTextBytes(text);
  ted->setHasFile(true);
  setFileName(fileName);
  ted->selectHighlighter(qs(highlighterForFile(fileName)));
}

std::string EditorInterface::workingText() const {
  KIV_ACTIVE_OR({});
  return memo->hasSelectedText() ? memo->selectedBytes() : memo->textCrLf();
}

std::string EditorInterface::selectedText() const {
  KIV_ACTIVE_OR({});
  return memo->selectedBytes();
}

void EditorInterface::putWorkingText(const std::string& text) {
  KIV_ACTIVE_OR();
  if (memo->hasSelectedText()) memo->replaceSelectionBytes(text);
  else memo->setTextBytes(text);
}

void EditorInterface::replaceSelection(const std::string& text) {
  KIV_ACTIVE_OR();
  memo->replaceSelectionBytes(text);
}

void EditorInterface::setText(const std::string& text) {
  KIV_ACTIVE_OR();
  memo->setTextBytes(text);
}

std::string EditorInterface::text() const {
  KIV_ACTIVE_OR({});
  return memo->textCrLf();
}

void EditorInterface::setWordWrap(bool on) {
  KIV_ACTIVE_OR();
  memo->setWordWrapOn(on);
}

DocumentLines EditorInterface::lines() const {
  KIV_ACTIVE_OR(DocumentLines());
  return DocumentLines(memo);
}

void EditorInterface::applyColors() {
  applySettingsToActive();
  const Settings& s = *settings_;
  for (Ted* t : documentsLastFirst()) t->memo()->setColors(s.textColor, s.backgroundColor, s.selectionTextColor, s.selectionBackgroundColor);
}

namespace {
void fontOfCharset(const Settings& s, const std::string& id, std::string& name, int& size) {
  if (id == charset::kKoi) name = s.koiFont, size = s.koiFontSize;
  else if (id == charset::kDos) name = s.dosFont, size = s.dosFontSize;
  else name = s.winFont, size = s.winFontSize;
}
}  // namespace

void EditorInterface::applyCharsetFonts() {
  for (Ted* t : documentsLastFirst()) {
    std::string name;
    int size = 10;
    fontOfCharset(*settings_, t->charset(), name, size);
    t->memo()->setDocumentFont(qs(name), size);
  }
}

void EditorInterface::applyCharsetFontSizes() {
  for (Ted* t : documentsLastFirst()) {
    std::string name;
    int size = 10;
    fontOfCharset(*settings_, t->charset(), name, size);
    t->memo()->setDocumentFont(t->memo()->documentFontFamily(), size);
  }
}

void EditorInterface::applyTextBackground() {
  Settings& s = *settings_;
  for (Ted* t : documentsLastFirst()) {
    if (!t->memo()->setTextAreaFill(s.textAreaFill, s.backgroundColor)) {
      // A missing picture: the setting falls back to no fill and the walk stops.
      s.textAreaFill.kind = 0;
      return;
    }
  }
}

void EditorInterface::applyGutter() {
  Settings& s = *settings_;
  for (Ted* t : documentsLastFirst()) {
    t->memo()->setGutterWidthPx(s.gutterFill.width);
    if (!t->memo()->setGutterFill(s.gutterFill)) {
      s.gutterFill.kind = 0;
      return;
    }
  }
}

void EditorInterface::applyMargin() {
  for (Ted* t : documentsLastFirst()) t->memo()->setRightMargin(settings_->rightMargin, settings_->showRightMargin);
}

void EditorInterface::applyLineNumbers() {
  for (Ted* t : documentsLastFirst()) t->memo()->setShowLineNumbers(settings_->showLineNumbers);
}

void EditorInterface::applyBlockIndent() {
  for (Ted* t : documentsLastFirst()) t->memo()->setBlockIndent(settings_->blockIndent);
}

void EditorInterface::applyTabWidth() {
  for (Ted* t : documentsLastFirst()) t->memo()->setSpacesPerTab(settings_->tabWidth());
}

void EditorInterface::applySyntaxHighlight() {
  for (Ted* t : documentsLastFirst()) t->memo()->setSyntaxColoring(settings_->syntaxHighlight);
}

void EditorInterface::applyLineSeparators() {
  for (Ted* t : documentsLastFirst()) t->memo()->setSeparatorLines(settings_->separatorLines);
}

void EditorInterface::undo() {
  KIV_ACTIVE_OR();
  memo->undo();
}

void EditorInterface::redo() {
  KIV_ACTIVE_OR();
  memo->redo();
}

void EditorInterface::copy() {
  KIV_ACTIVE_OR();
  if (memo->hasSelectedText()) memo->copy();
  else QApplication::clipboard()->clear();
}

void EditorInterface::cut() {
  KIV_ACTIVE_OR();
  if (memo->hasSelectedText()) memo->cut();
  else QApplication::clipboard()->clear();
}

void EditorInterface::paste() {
  KIV_ACTIVE_OR();
  memo->paste();
}

bool EditorInterface::canPaste() const {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  return data && data->hasText();
}

bool EditorInterface::hasSelection() const {
  KIV_ACTIVE_OR(false);
  return memo->hasSelectedText();
}

void EditorInterface::showFindDialog() {
  KIV_ACTIVE_OR();
  if (dialogsSuppressed_ || dialogScript()) {
    searchMemo(memo, lastSearch());
    return;
  }
  FindDialog dlg(ted->window(), false);
  dlg.load(lastSearch());
  if (dlg.exec() != QDialog::Accepted) return;
  lastSearch() = dlg.options();
  // The document may have closed while the dialog was open.
  if (Ted* now = active()) searchMemo(now->memo(), lastSearch());
}

bool EditorInterface::findNext() {
  KIV_ACTIVE_OR(false);
  SearchOptions o = lastSearch();
  o.entireScope = false;
  return searchMemo(memo, o);
}

void EditorInterface::showReplaceDialog() {
  KIV_ACTIVE_OR();
  bool all = false;
  if (!dialogsSuppressed_ && !dialogScript()) {
    FindDialog dlg(ted->window(), true);
    dlg.load(lastSearch());
    if (dlg.exec() != QDialog::Accepted) return;
    lastSearch() = dlg.options();
    all = dlg.replaceAllChosen();
    ted = active();
    if (!ted) return;
    memo = ted->memo();
  }
  if (all) replaceAll(memo, lastSearch());
  else replaceNext(memo, lastSearch());
}

void EditorInterface::setCharset(const std::string& id) {
  KIV_ACTIVE_OR();
  ted->setCharset(id);
}

std::string EditorInterface::charset() const {
  KIV_ACTIVE_OR({});
  return ted->charset();
}

void EditorInterface::setFileName(const std::string& name) {
  KIV_ACTIVE_OR();
  ted->setName(name);
}

std::string EditorInterface::fileNameAt(int index) const {
  const auto docs = documents();
  if (index < 0 || index >= docs.size()) return {};
  return docs[index]->fileName();
}

void EditorInterface::exportAs(const std::string& fileName, const std::string& format) {
  KIV_ACTIVE_OR();
  if (format != "HTML" && format != "RTF") return;
  writeFileOrThrow(fileName, memo->exportStyled(format, fileNameOnly(ted->fileName())));
}

void EditorInterface::print() {
  KIV_ACTIVE_OR();
  QsciPrinter printer;
  printer.setDocName(qpath(fileNameOnly(ted->fileName())));
  if (confirmPrint(ted, &printer)) printer.printRange(memo);
}

void EditorInterface::replaceSelectedLines(const std::vector<std::string>& lines) {
  KIV_ACTIVE_OR();
  if (!memo->hasSelectedText()) return;
  const std::string sel = memo->selectedBytes();
  const bool rectangular = memo->SendScintilla(QsciScintillaBase::SCI_SELECTIONISRECTANGLE) != 0;
  const bool endsWithBreak = !rectangular && sel.size() >= 2 && sel.compare(sel.size() - 2, 2, "\r\n") == 0;
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) text += "\r\n";
    text += lines[i];
  }
  if (endsWithBreak && !lines.empty()) text += "\r\n";
  memo->replaceSelectionBytes(text);
}

std::vector<std::string> EditorInterface::selectedLines() const {
  KIV_ACTIVE_OR({});
  return memo->selectedLineList();
}

std::string EditorInterface::fileName() const {
  KIV_ACTIVE_OR({});
  return ted->fileName();
}

Ted* EditorInterface::createDocument(DocumentHost* owner) {
  QMdiArea* area = owner->documentArea();
  auto* ted = new Ted(nullptr, this);
  QMdiSubWindow* sub = area->addSubWindow(ted);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  // The MDI child's own close keys would take the program's Ctrl+W and Ctrl+F4.
  if (QMenu* sys = sub->systemMenu())
    for (QAction* a : sys->actions()) a->setShortcut(QKeySequence());
  sub->resize(settings_->documentWidth, settings_->documentHeight);
  ted->memo()->releaseKeys(programKeys_);
  owner->documentCreated(ted);
  const std::string name = "untitled" + std::to_string(settings_->untitledCounter);
  ted->setHasFile(false);
  sub->show();
  area->setActiveSubWindow(sub);
  ted->setName(name);
  ted->applySettings();
  ted->memo()->setFocus();
  return ted;
}

bool EditorInterface::insertAtCaret(const std::string& text) {
  KIV_ACTIVE_OR(false);
  memo->insertBytesAtCaret(text);
  return true;
}

void EditorInterface::insertLines(const std::vector<std::string>& lines) {
  KIV_ACTIVE_OR();
  memo->insertLineBlock(lines);
}

bool EditorInterface::hasFile() const {
  KIV_ACTIVE_OR(false);
  return ted->hasFile();
}

int EditorInterface::gutterWidth() const {
  KIV_ACTIVE_OR(0);
  return memo->gutterWidthPx();
}

int EditorInterface::marginColumn() const {
  KIV_ACTIVE_OR(0);
  return memo->rightMarginColumn();
}

void EditorInterface::setGutterWidth(int width) {
  KIV_ACTIVE_OR();
  memo->setGutterWidthPx(width);
}

void EditorInterface::setHasFile(bool flag) {
  KIV_ACTIVE_OR();
  ted->setHasFile(flag);
}

void EditorInterface::focusText() {
  KIV_ACTIVE_OR();
  memo->setFocus();
}

void EditorInterface::openFile(const std::string& fileName) {
  if (callbacks_.openFile) callbacks_.openFile(fileName);
}

void EditorInterface::documentClosed(const std::string& fileName, int leftColumn, int topLine) {
  if (callbacks_.documentClosed) callbacks_.documentClosed(fileName, leftColumn, topLine);
}

void EditorInterface::showCharsetInStatus(const std::string& text) {
  if (host_) host_->setStatusPanel(1, qs(text));
}

void EditorInterface::showCaption(const std::string& fileName) {
  if (host_) host_->setHostCaption(qpath(fileName));
}

void EditorInterface::scrollLines(int delta) {
  KIV_ACTIVE_OR();
  memo->scrollLinesBy(delta);
}

#undef KIV_ACTIVE_OR

}  // namespace kiv
